// vk apply: one category dialog on an invoice, driven as a person drives it, confirmed (or
// cancelled), the invoice saved atomically; prints the written table and the totals.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

#include "befehle.h"
#include "common/dateiziel.h"
#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "common/konvertierung.h"
#include "common/nachricht.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "component/rechnungsspeicher.h"
#include "component/vk.h"
#include "document/G_frmTabelle.h"
#include "document/kennungen.h"
#include "document/tabellenkennung.h"
#include "platform/controls/form.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vkcli {
namespace {

struct Auftrag {
    std::string db, doc, out, wahl = "new", antwort;
    std::int32_t benutzer = 0, rechnung = 0;
    int kategorie = -1;
    bool abbrechen = false, json = false;
    std::vector<std::pair<std::string, std::string>> eigenschaften;
    std::vector<std::string> setzen;
};

std::pair<std::string, std::string> Paar(const std::string& s, const std::string& option) {
    auto gleich = s.find('=');
    if (gleich == std::string::npos || gleich == 0) throw Aufruffehler{"apply: " + option + " needs NAME=VALUE, got '" + s + "'"};
    return {s.substr(0, gleich), s.substr(gleich + 1)};
}

Auftrag Lesen(const Argumente& args) {
    Auftrag a;
    for (Optionen o(args, "apply"); o.Weiter();) {
        const std::string& n = o.Name();
        if (n == "--db") a.db = o.Wert();
        else if (n == "--doc") a.doc = o.Wert();
        else if (n == "--out") a.out = o.Wert();
        else if (n == "--user") a.benutzer = o.Zahl();
        else if (n == "--invoice") a.rechnung = o.Zahl();
        else if (n == "--category") a.kategorie = o.Zahl();
        else if (n == "--property") a.eigenschaften.push_back(Paar(o.Wert(), n));
        else if (n == "--set") a.setzen.push_back(o.Wert());
        else if (n == "--choose") a.wahl = o.Wert();
        else if (n == "--answer") a.antwort = o.Wert();
        else if (n == "--cancel") a.abbrechen = true;
        else if (n == "--json") a.json = true;
        else o.Unbekannt();
    }
    if (a.db.empty() || a.doc.empty()) throw Aufruffehler{"apply: --db and --doc are required"};
    if (a.kategorie < 0 || a.kategorie > 5) throw Aufruffehler{"apply: --category must be 0 to 5"};
    if (a.antwort != "" && a.antwort != "yes" && a.antwort != "no") throw Aufruffehler{"apply: --answer yes|no"};
    if (a.out.empty()) a.out = a.doc;
    return a;
}

void EigenschaftSetzen(vk::VK& k, const std::string& name, const std::string& wert) {
    using Setter = void (vk::VK::*)(const vk::Variant&);
    static const std::map<std::string, Setter> setter = {
        {"Flurstücksnummer", &vk::VK::Flurstücksnummer}, {"Fläche", &vk::VK::Fläche},
        {"Bodenwert", &vk::VK::Bodenwert},               {"Lage", &vk::VK::Lage},
        {"Baukosten", &vk::VK::Baukosten},               {"Achslänge", &vk::VK::Achslänge},
        {"Grenzlänge", &vk::VK::Grenzlänge},             {"Flurstücke", &vk::VK::Flurstücke},
        {"AnzahlGrenzpunkte", &vk::VK::AnzahlGrenzpunkte}};
    auto it = setter.find(name);
    if (it == setter.end()) throw Aufruffehler{"apply: unknown property '" + name + "'"};
    try {
        (k.*(it->second))(vk::Variant(wert));
    } catch (const vk::LaufzeitFehler& f) {
        const char* hinweis = f.Nummer() == vk::fehlernummer::TypenUnvertraeglich ? "a number is expected, " : "";
        throw Aufruffehler{"apply: property " + name + "='" + wert + "': " + hinweis + f.Beschreibung()};
    }
}

// Answers the table-choice dialog as --choose says. Whether the choice was offered is known only
// once the dialog has come (or not come: an invoice without a table of the category asks nothing),
// so a choice not offered is answered "new" and Pruefen, called once the category dialog is open,
// refuses it before anything is confirmed: nothing is written.
class Wahl {
public:
    explicit Wahl(std::string wahl) : wahl_(std::move(wahl)) {
        if (wahl_ != "new" && wahl_ != "cursor" && !(wahl_.size() == 1 && wahl_[0] >= '1' && wahl_[0] <= '5'))
            throw Aufruffehler{"apply: --choose new|1|2|3|4|5|cursor"};
        vk::G_frmTabelle::ModalHandlerSetzen([this](vk::G_frmTabelle& f) {
            gefragt_ = true;
            if (wahl_ == "cursor" && f.optAktTabelle.Enabled()) f.optAktTabelle.SetValue(true);
            else if (wahl_.size() == 1 && f.optTabelle(wahl_[0] - '1').Enabled()) f.optTabelle(wahl_[0] - '1').SetValue(true);
            else if (wahl_ != "new") nichtAngeboten_ = true;
            f.cmdEnde.Click.Auslösen();
        });
    }
    ~Wahl() { vk::G_frmTabelle::ModalHandlerSetzen({}); }
    Wahl(const Wahl&) = delete;
    Wahl& operator=(const Wahl&) = delete;

    void Pruefen(int kategorie) const {
        if (wahl_ == "new") return;
        if (!gefragt_)
            throw Aufruffehler{"apply: --choose " + wahl_ + ": the invoice has no table of category " +
                               std::to_string(kategorie) + " to choose; nothing was changed"};
        if (nichtAngeboten_)
            throw Aufruffehler{"apply: --choose " + wahl_ + ": the table choice does not offer it; nothing was changed"};
    }

private:
    std::string wahl_;
    bool gefragt_ = false, nichtAngeboten_ = false;
};

// A transaction of the office database that is rolled back unless it was committed.
class Transaktion {
public:
    explicit Transaktion(vk::dao::Database& db) : db_(db) {}
    ~Transaktion() {
        if (offen_) vk::FehlerIgnorieren([&] { db_.Rollback(); });
    }
    Transaktion(const Transaktion&) = delete;
    Transaktion& operator=(const Transaktion&) = delete;

    // A transaction that cannot begin (a database locked beyond the timeout) raises its error:
    // without one the record would change before the invoice file.
    void Beginnen() {
        db_.BeginTrans();
        offen_ = true;
    }
    void Abschliessen() {
        if (!offen_) return;
        db_.CommitTrans();
        offen_ = false;
    }

private:
    vk::dao::Database& db_;
    bool offen_ = false;
};

// The invoice, and the file --out names when it is another one, held from before the document is
// read until it is replaced (in one order, so two runs with the two files swapped cannot wait for
// each other). What was done about a save a killed run left is said on standard error.
std::vector<std::unique_ptr<vk::Rechnungssperre>> Sperren(const Auftrag& a) {
    std::vector<std::filesystem::path> dateien = {vk::DateiZiel(a.doc), vk::DateiZiel(a.out)};
    std::sort(dateien.begin(), dateien.end());
    dateien.erase(std::unique(dateien.begin(), dateien.end()), dateien.end());
    std::vector<std::unique_ptr<vk::Rechnungssperre>> sperren;
    for (const auto& datei : dateien) {
        sperren.push_back(std::make_unique<vk::Rechnungssperre>(datei, a.db));
        if (!sperren.back()->Hinweis().empty()) std::cerr << "vk: apply: " << sperren.back()->Hinweis() << "\n";
    }
    return sperren;
}

vk::ui::Form* OffenerDialog() {
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen() && f->Name() != "G_frmTabelle") return f;
    return nullptr;
}

std::string Ohne(const std::string& t) { return t.size() >= 2 ? t.substr(0, t.size() - 2) : t; }

void TabelleDrucken(const char* titel, vk::word::Table t, bool json, std::ostream& out) {
    if (json) out << "\"" << titel << "\":[";
    else out << titel << ":\n";
    if (!t.IstNothing()) {
        for (long r = 1; r <= t.Rows().Count(); ++r) {
            if (json) out << (r > 1 ? "," : "") << "[";
            else out << " ";
            for (long c = 1; c <= t.Rows().Item(r).CellCount(); ++c) {
                std::string text = Ohne(t.Cell(r, c).Range().Text());
                if (json) {
                    std::string s;
                    for (char ch : text) {
                        if (ch == '"' || ch == '\\') s += '\\', s += ch;
                        else if (ch == '\r') s += "\\r";
                        else if (ch == '\v') s += "\\u000b";
                        else if (ch == '\t') s += "\\t";
                        else s += ch;
                    }
                    out << (c > 1 ? "," : "") << '"' << s << '"';
                } else {
                    for (char& ch : text)
                        if (ch == '\r' || ch == '\v') ch = '/';
                    out << " | " << text;
                }
            }
            out << (json ? "]" : "\n");
        }
    }
    if (json) out << "]";
}

// The totals table: the invoice has one, after the fee tables, so it is looked for from the end.
vk::word::Table Summentabelle(vk::word::Document& doc) {
    const std::vector<vk::word::Table> tabellen = vk::AlleTabellen(doc);
    for (auto t = tabellen.rbegin(); t != tabellen.rend(); ++t)
        if (vk::TraegtKennung(*t, vk::kennung::Summe)) return *t;
    return {};
}

}  // namespace

int BefehlApply(const Argumente& args) {
    const Auftrag a = Lesen(args);
    if (!vk::dao::IstServerAdresse(a.db) && !std::filesystem::exists(a.db))
        throw Aufruffehler{"apply: database not found: " + a.db};

    std::vector<std::unique_ptr<vk::Rechnungssperre>> sperren;
    std::shared_ptr<vk::word::Document> doc;
    std::shared_ptr<vk::dao::Workspace> ws = std::make_shared<vk::dao::Workspace>();
    std::shared_ptr<vk::dao::Database> db;
    std::shared_ptr<vk::dao::Recordset> rechnung;
    std::unique_ptr<Transaktion> transaktion;
    bool benutzerDa = false;
    try {
        sperren = Sperren(a);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: nothing was saved: " + f.Beschreibung()};
    }
    try {
        doc = vk::word::Document::Open(a.doc);
        db = ws->OpenDatabase(a.db);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: " + f.Beschreibung()};
    }
    // The confirmation's changes to the invoice record wait in a transaction that commits once the
    // new invoice file has replaced the old one (vk::RechnungSpeichern): record and document change
    // together or not at all. It begins before the record is read, with the record's row locked on
    // a server, so a second confirmation on the same record waits and then reads the first one's.
    if (!a.abbrechen) {
        transaktion = std::make_unique<Transaktion>(*db);
        try {
            transaktion->Beginnen();
        } catch (const vk::LaufzeitFehler& f) {
            throw Aufruffehler{"apply: nothing was saved: " + f.Beschreibung()};
        }
        try {
            vk::DatensatzSperren(*db, static_cast<std::int32_t>(a.rechnung));
        } catch (const vk::LaufzeitFehler& f) {
            throw Aufruffehler{"apply: nothing was saved: invoice " + std::to_string(a.rechnung) + ": " + f.Beschreibung()};
        }
    }
    try {
        rechnung = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?",
                                     {vk::Variant(a.rechnung)});
        benutzerDa = vk::BenutzerVorhanden(*db, a.benutzer);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: " + f.Beschreibung()};
    }
    if (rechnung->EOF()) throw Aufruffehler{"apply: no invoice " + std::to_string(a.rechnung) + " in " + db->Name()};
    if (!benutzerDa)
        throw Aufruffehler{"apply: no user " + std::to_string(a.benutzer) + " in table TempDoc of " + db->Name()};

    const vk::Protokollstand protokollVorher = vk::Protokolliert();
    vk::VK komponente;
    komponente.Doc(vk::Variant(doc));
    komponente.KalWorkspace(vk::Variant(ws));
    komponente.DatenbankPfad(vk::Variant(a.db));
    komponente.ID_Benutzer(vk::Variant(a.benutzer));
    komponente.NeueAbfrage(vk::Variant(db));
    for (const auto& [name, wert] : a.eigenschaften) EigenschaftSetzen(komponente, name, wert);
    Wahl wahl(a.wahl);
    if (!a.antwort.empty())
        for (int i = 0; i < 100; ++i) vk::StandardNachrichten().Antworten(a.antwort == "yes" ? 6 : 7);

    komponente.Show(static_cast<std::int16_t>(a.kategorie), rechnung, 0);
    vk::ui::Form* form = OffenerDialog();
    if (!form) throw Aufruffehler{"apply: category " + std::to_string(a.kategorie) + " has no dialog yet"};
    wahl.Pruefen(a.kategorie);
    // An invoice priced without the user's VAT rate, discount and advance is no invoice of theirs.
    if (!a.abbrechen && !vk::Kontext().EinstellungenGelesen)
        throw Aufruffehler{"apply: nothing was saved: the settings of user " + std::to_string(a.benutzer) +
                           " cannot be read: " + vk::Kontext().EinstellungenFehler};
    vk::Kontext().DatensatzGespeichert = false;
    vk::Kontext().DatensatzFehler.clear();
    try {
        for (const std::string& s : a.setzen) vk::ui::Setzen(*form, s);
        vk::ui::Klicken(*form, a.abbrechen ? "CommandAbbruch" : "CommandEnde");
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: " + f.Beschreibung()};
    }
    if (a.abbrechen) {
        std::cout << (a.json ? "{\"cancelled\":true}\n" : "cancelled: the invoice is unchanged\n");
        return 0;
    }
    // The component logs a failed statement and goes on; a record it could not store would leave the
    // saved invoice and the record apart.
    if (!vk::Kontext().DatensatzGespeichert) {
        const std::string& grund = vk::Kontext().DatensatzFehler;
        throw Aufruffehler{"apply: nothing was saved: " +
                           (grund.empty() ? "the totals were not stored in invoice " + std::to_string(a.rechnung) : grund)};
    }
    try {
        vk::RechnungSpeichern(*doc, a.out, db.get(), static_cast<std::int32_t>(a.rechnung),
                              [&] { transaktion->Abschliessen(); });
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: nothing was saved: " + f.Beschreibung()};
    }
    // What was written is printed from the document; the invoice is saved whatever happens here.
    std::ostringstream out;
    try {
        if (a.json) out << "{";
        // the table this confirmation wrote, not the first of its kind: with --choose 2 or new it is
        // another one
        TabelleDrucken("table", vk::Kontext().GeschriebeneTabelle, a.json, out);
        if (a.json) out << ",";
        TabelleDrucken("totals", Summentabelle(*doc), a.json, out);
        out << (a.json ? "}\n" : "");
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: the invoice was saved, but its tables cannot be printed: " + f.Beschreibung()};
    }
    std::cout << out.str();
    // The component logs a failing statement and goes on; a script learns of it here, on standard
    // error, while the exit status says that the invoice was saved.
    const vk::Protokollstand protokoll = vk::Protokolliert();
    if (const std::uint64_t n = protokoll.anzahl - protokollVorher.anzahl)
        std::cerr << "vk: apply: the invoice was saved, but " << n << (n == 1 ? " error was" : " errors were")
                  << " logged on the way (see " << vk::ProtokollPfad().string() << "), the last: " << protokoll.letzter
                  << "\n";
    return 0;
}

}  // namespace vkcli
