#include "component/rechnungsspeicher.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "common/dateiziel.h"
#include "common/fehler.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "common/systemfehler.h"
#include "platform/dao/dao.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

// A file beside the invoice: ".Rechnung.docx" followed by the ending.
fs::path Beiname(const fs::path& ziel, const char* endung) {
    return ziel.parent_path() / ("." + ziel.filename().string() + endung);
}

// What a save notes before it replaces the invoice.
struct Journal {
    std::string neu, alt;        // file names beside the invoice ("" for alt: the invoice was new)
    std::string datenbank;       // its name as the layer shows it (a server address without password)
    std::optional<std::int32_t> rechnung;
    std::string datensatz;       // the record as the open transaction holds it
};

constexpr const char* kKopf = "vk-speicherjournal 1";

std::string Maskiert(const std::string& text) {
    std::string aus;
    for (char c : text) {
        if (c == '\\') aus += "\\\\";
        else if (c == '\n') aus += "\\n";
        else if (c == '\r') aus += "\\r";
        else aus += c;
    }
    return aus;
}

std::string Demaskiert(const std::string& text) {
    std::string aus;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            aus += text[i];
            continue;
        }
        const char c = text[++i];
        aus += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return aus;
}

// Written and synced completely before the replace; its last line "ende" tells a complete one.
void JournalSchreiben(const fs::path& pfad, const Journal& j) {
    std::ostringstream text;
    text << kKopf << "\nneu " << Maskiert(j.neu) << "\nalt " << Maskiert(j.alt) << "\ndatenbank " << Maskiert(j.datenbank)
         << "\nrechnung " << (j.rechnung ? std::to_string(*j.rechnung) : "-") << "\ndatensatz " << Maskiert(j.datensatz)
         << "\nende\n";
    const std::string bytes = text.str();
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    const auto fehler = [&](int nr) {
        if (fd >= 0) ::close(fd);
        ::unlink(pfad.c_str());
        throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler,
                             pfad.string() + ": kann nicht geschrieben werden (" + Systemfehlertext(nr) + ")");
    };
    if (fd < 0) fehler(errno);
    for (std::size_t geschrieben = 0; geschrieben < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fehler(errno);
        geschrieben += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) fehler(errno);
    ::close(fd);
    OrdnerSynchron(pfad.parent_path());
}

// The journal, when a complete one is there.
std::optional<Journal> JournalLesen(const fs::path& pfad) {
    std::ifstream in(pfad, std::ios::binary);
    std::string zeile;
    if (!std::getline(in, zeile) || zeile != kKopf) return std::nullopt;
    Journal j;
    bool ende = false;
    while (std::getline(in, zeile)) {
        const std::size_t blank = zeile.find(' ');
        const std::string name = zeile.substr(0, blank);
        const std::string wert = blank == std::string::npos ? "" : Demaskiert(zeile.substr(blank + 1));
        if (name == "neu") j.neu = wert;
        else if (name == "alt") j.alt = wert;
        else if (name == "datenbank") j.datenbank = wert;
        else if (name == "rechnung" && wert != "-") j.rechnung = static_cast<std::int32_t>(std::stol(wert));
        else if (name == "datensatz") j.datensatz = wert;
        else if (name == "ende") ende = true;
    }
    if (!ende || j.neu.empty() || j.neu.find('/') != std::string::npos || j.alt.find('/') != std::string::npos)
        return std::nullopt;
    return j;
}

// The database's name as a journal keeps it: a file by its absolute path.
std::string Datenbankname(const std::string& name) {
    if (name.empty() || dao::IstServerAdresse(name)) return dao::OhnePasswort(name);
    return fs::absolute(name).lexically_normal().string();
}

// Every field of the invoice record as text, in column order; on a server the row locked first when
// `sperren` (inside the caller's transaction).
std::string Datensatzstand(dao::Database& db, std::int32_t rechnung, bool sperren) {
    const bool server = dao::IstServerAdresse(db.Name());
    auto rs = db.OpenRecordset(std::string("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?") +
                                   (sperren && server ? " FOR UPDATE" : ""),
                               {Variant(rechnung)}, dao::dbOpenForwardOnly);
    if (rs->EOF()) return "(kein Datensatz)";
    std::string stand;
    for (int i = 0; i < rs->FieldCount(); ++i) {
        const Variant wert = rs->Fields(i).Value();
        stand += rs->Fields(i).Name() + "=" + (wert.IstNull() ? std::string("Null") : CStr(wert)) + "\t";
    }
    return stand;
}

// Whether the record holds what the journal says the interrupted save committed.
bool Festgeschrieben(const Journal& j, const std::string& adresse) {
    if (!j.rechnung) return true;
    auto ws = std::make_shared<dao::Workspace>();
    const std::string name = !adresse.empty() && Datenbankname(adresse) == j.datenbank ? adresse : j.datenbank;
    std::shared_ptr<dao::Database> db = ws->OpenDatabase(name);
    // On a server a transaction the killed program left open may still hold the row: its end is
    // waited for. (A database file rolls back what a killed program left when it is read.)
    const bool server = dao::IstServerAdresse(db->Name());
    if (server) db->BeginTrans();
    const std::string stand = Datensatzstand(*db, *j.rechnung, server);
    if (server) FehlerIgnorieren([&] { db->Rollback(); });
    return stand == j.datensatz;
}

// Finishes or undoes the save the journal describes; returns what was done.
std::string Heilen(const fs::path& ziel, const fs::path& journalpfad, const std::string& adresse) {
    const std::optional<Journal> j = JournalLesen(journalpfad);
    const std::string datei = ziel.filename().string();
    std::error_code ec;
    // An incomplete journal: its save had not replaced anything yet.
    if (!j) {
        fs::remove(journalpfad, ec);
        return {};
    }
    const fs::path neu = ziel.parent_path() / j->neu;
    const fs::path alt = j->alt.empty() ? fs::path() : ziel.parent_path() / j->alt;
    const bool ersetzt = !fs::exists(neu, ec);
    bool festgeschrieben = false;
    try {
        festgeschrieben = Festgeschrieben(*j, adresse);
    } catch (const LaufzeitFehler& f) {
        throw LaufzeitFehler(f.Nummer(), datei + ": eine unterbrochene Speicherung kann nicht abgeschlossen werden, "
                                                 "der Rechnungsdatensatz ist nicht zu lesen: " +
                                             f.Beschreibung());
    }
    std::string hinweis;
    if (festgeschrieben) {
        if (!ersetzt && std::rename(neu.c_str(), ziel.c_str()) != 0)
            throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler,
                                 datei + ": eine unterbrochene Speicherung kann nicht abgeschlossen werden (" +
                                     Systemfehlertext(errno) + ")");
        hinweis = "Die unterbrochene Speicherung von " + datei +
                  " wurde abgeschlossen: der Rechnungsdatensatz hielt ihre Beträge schon.";
    } else {
        if (ersetzt) {
            const int r = alt.empty() ? ::unlink(ziel.c_str()) : std::rename(alt.c_str(), ziel.c_str());
            if (r != 0)
                throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler,
                                     datei + ": eine unterbrochene Speicherung kann nicht zurückgenommen werden (" +
                                         Systemfehlertext(errno) + ")");
        }
        hinweis = "Die unterbrochene Speicherung von " + datei +
                  " wurde zurückgenommen: Datei und Rechnungsdatensatz sind wie vorher.";
    }
    OrdnerSynchron(ziel.parent_path());
    fs::remove(neu, ec);
    if (!alt.empty()) fs::remove(alt, ec);
    fs::remove(journalpfad, ec);
    OrdnerSynchron(ziel.parent_path());
    return hinweis;
}

// The name without its first two characters (UTF-8), as Word names its owner file of a long name.
std::string OhneZweiZeichen(const std::string& name) {
    std::size_t i = 0;
    for (int zeichen = 0; zeichen < 2 && i < name.size(); ++zeichen)
        do ++i;
        while (i < name.size() && (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80);
    return name.substr(i);
}

// A word processor that has the invoice open marks it with a file beside it: LibreOffice
// ".~lock.Rechnung.docx#", Word "~$" with the name (from eight characters on without its first two:
// "~$chnung.docx"). Its next save would overwrite what is saved now, and the record would describe
// an invoice that is gone: nothing is saved while it is open.
void TextverarbeitungAusschliessen(const fs::path& ziel) {
    for (const fs::path& datei : {ziel, DateiZiel(ziel)}) {
        const std::string name = datei.filename().string();
        for (const std::string& marke : {".~lock." + name + "#", "~$" + name, "~$" + OhneZweiZeichen(name)}) {
            std::error_code ec;
            if (!fs::exists(datei.parent_path() / marke, ec)) continue;
            throw LaufzeitFehler(fehlernummer::ZugriffVerweigert,
                                 "Die Rechnung " + datei.string() + " ist in einem Textverarbeitungsprogramm geöffnet (" +
                                     marke + "), das sie beim nächsten Speichern überschreiben würde. Bitte sie dort "
                                     "schließen; eine Sperrdatei, die ein abgestürztes Programm zurückließ, kann gelöscht werden.");
        }
    }
}

}  // namespace

Rechnungssperre::Rechnungssperre(const fs::path& dokument, const std::string& datenbank,
                                 std::chrono::milliseconds wartezeit) {
    const fs::path ziel = DateiZiel(dokument);
    try {
        sperre_ = std::make_unique<Dateisperre>(Beiname(ziel, ".vksperre"), wartezeit);
    } catch (const LaufzeitFehler& f) {
        if (f.Nummer() != fehlernummer::ZugriffVerweigert) throw;
        const long ms = static_cast<long>(wartezeit.count());
        const std::string dauer = ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
        throw LaufzeitFehler(fehlernummer::ZugriffVerweigert, "Die Rechnung " + ziel.string() +
                                                                  " wird gerade von einem anderen Programm bearbeitet "
                                                                  "(länger als " + dauer + " gesperrt).");
    }
    if (!sperre_->Gehalten()) return;
    const fs::path journal = Beiname(ziel, ".vkjournal");
    std::error_code ec;
    if (fs::exists(journal, ec)) hinweis_ = Heilen(ziel, journal, datenbank);
    word::SpeicherresteEntfernen(ziel);
}

void DatensatzSperren(dao::Database& db, std::int32_t rechnung) {
    if (!dao::IstServerAdresse(db.Name())) return;
    db.OpenRecordset("SELECT ID_Rechnungsnummer FROM Rechnung WHERE ID_Rechnungsnummer = ? FOR UPDATE",
                     {Variant(rechnung)}, dao::dbOpenForwardOnly)
        ->Close();
}

void RechnungSpeichern(word::Document& doc, const fs::path& ziel, dao::Database* db, std::int32_t rechnung,
                       const std::function<void()>& festschreiben) {
    TextverarbeitungAusschliessen(ziel);
    const fs::path journal = Beiname(DateiZiel(ziel), ".vkjournal");
    word::Ersetzen schritte;
    schritte.vorher = [&](const word::Ersatzdateien& dateien) {
        Journal j;
        j.neu = dateien.neu.filename().string();
        j.alt = dateien.alt.empty() ? std::string() : dateien.alt.filename().string();
        if (db) {
            j.datenbank = Datenbankname(db->Name());
            j.rechnung = rechnung;
            j.datensatz = Datensatzstand(*db, rechnung, false);
        }
        JournalSchreiben(journal, j);
    };
    schritte.danach = [&] {
        if (festschreiben) festschreiben();
    };
    try {
        doc.Save(ziel, schritte);
    } catch (...) {
        std::error_code ec;
        fs::remove(journal, ec);
        throw;
    }
    std::error_code ec;
    fs::remove(journal, ec);
}

}  // namespace vk
