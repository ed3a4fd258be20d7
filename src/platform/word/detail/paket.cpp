#include "platform/word/detail/paket.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <algorithm>

#include "common/dateiziel.h"
#include "common/fehler.h"
#include "common/systemfehler.h"
#include "platform/word/detail/ersetzen.h"
#include "platform/word/detail/wohlgeformt.h"
#include "platform/word/detail/xml.h"
#include "platform/word/detail/zip.h"

namespace vk::word::detail {

namespace {

[[noreturn]] void Dokumentfehler(const std::filesystem::path& pfad, const std::string& was) {
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, pfad.filename().string() + ": " + was);
}

std::string RelsName(const std::string& quellteil) {
    auto schnitt = quellteil.rfind('/');
    std::string ordner = schnitt == std::string::npos ? "" : quellteil.substr(0, schnitt + 1);
    std::string datei = schnitt == std::string::npos ? quellteil : quellteil.substr(schnitt + 1);
    return ordner + "_rels/" + datei + ".rels";
}

// The buffers of large parts, kept between packages: an invoice is opened, edited and closed again
// and again by one process, and a buffer of megabytes that is given back to the system and taken
// anew is faulted in page by page each time.
constexpr std::size_t kGrosserPuffer = 256 * 1024;
constexpr std::size_t kPufferVorrat = 2;

// Set when the thread's store is gone: a package an object of static storage holds (a dialog's table,
// the invoice context) is released at exit after the thread's own objects, and must not put its buffer
// into a store that no longer exists. A flag without a destructor stays readable until then.
thread_local bool tVorratAufgeloest = false;

struct Puffervorrat {
    std::vector<std::string> puffer;
    ~Puffervorrat() { tVorratAufgeloest = true; }
};

std::vector<std::string>& Vorrat() {
    static thread_local Puffervorrat vorrat;
    return vorrat.puffer;
}

std::string PufferHolen(std::uint64_t groesse) {
    auto& vorrat = Vorrat();
    auto best = vorrat.end();
    for (auto it = vorrat.begin(); it != vorrat.end(); ++it)
        if (it->capacity() >= groesse && (best == vorrat.end() || it->capacity() < best->capacity())) best = it;
    if (best == vorrat.end()) return {};
    std::string puffer = std::move(*best);
    vorrat.erase(best);
    puffer.clear();
    return puffer;
}

}  // namespace

Teil::~Teil() {
    xml.reset();  // the tree may point into the buffer
    if (bytes.capacity() < kGrosserPuffer || tVorratAufgeloest) return;
    auto& vorrat = Vorrat();
    if (vorrat.size() >= kPufferVorrat) {
        auto kleinster = std::min_element(vorrat.begin(), vorrat.end(),
                                          [](const std::string& a, const std::string& b) { return a.capacity() < b.capacity(); });
        if (kleinster->capacity() >= bytes.capacity()) return;
        vorrat.erase(kleinster);
    }
    vorrat.push_back(std::move(bytes));
}

Paket Paket::Lesen(const std::filesystem::path& pfad) {
    std::error_code ec;
    if (!std::filesystem::exists(pfad, ec))
        throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, pfad.string() + ": Datei nicht gefunden");
    if (std::filesystem::is_directory(pfad, ec)) Dokumentfehler(pfad, "ist ein Ordner, keine Datei");

    std::string bytes;
    {
        // Opened without waiting (a FIFO would block until someone writes to it) and read only when
        // it is a regular file: a device or a FIFO never ends.
        const int fd = ::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) Dokumentfehler(pfad, std::string("kann nicht geöffnet werden (") + Systemfehlertext(errno) + ")");
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            Dokumentfehler(pfad, "ist keine gewöhnliche Datei");
        }
        if (static_cast<unsigned long long>(st.st_size) > kMaxPaketGroesse) {
            ::close(fd);
            Dokumentfehler(pfad, "zu groß (mehr als 1 GB)");
        }
        if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
        char puffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, puffer, sizeof puffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                const int fehler = errno;
                ::close(fd);
                Dokumentfehler(pfad, std::string("kann nicht gelesen werden (") + Systemfehlertext(fehler) + ")");
            }
            if (n == 0) break;
            bytes.append(puffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
    }

    Paket paket;
    paket.quelle_ = pfad;
    try {
        const ZipLeser zip(std::move(bytes));
        const auto& eintraege = zip.Eintraege();
        if (eintraege.size() > static_cast<std::size_t>(kMaxTeile))
            Dokumentfehler(pfad, "unplausible Anzahl von Einträgen im Paket");
        // The sizes the package claims are checked for every part before anything is unpacked, so a
        // hostile file cannot make us allocate part after part up to the total limit.
        unsigned long long gesamt = 0;
        for (const ZipEintrag& e : eintraege) {
            if (e.name.empty() || e.name.back() == '/') continue;  // folders
            if (e.groesse > kMaxTeilGroesse)
                Dokumentfehler(pfad, e.name + ": entpackt zu groß (" + std::to_string(e.groesse / (1024 * 1024)) +
                                         " MB, höchstens 200 MB je Teil)");
            gesamt += e.groesse;
            if (gesamt > kMaxPaketGroesse) Dokumentfehler(pfad, "entpackt zu groß (mehr als 1 GB)");
        }
        for (const ZipEintrag& e : eintraege) {
            if (e.name.empty() || e.name.back() == '/') continue;
            if (paket.Finden(e.name)) Dokumentfehler(pfad, e.name + ": doppelter Eintrag");
            auto teil = std::make_unique<Teil>();
            teil->name = e.name;
            teil->bytes = PufferHolen(e.groesse);
            zip.Entpacken(e, teil->bytes);
            teil->roh = zip.Roh(e);
            paket.teile_.push_back(std::move(teil));
        }
    } catch (const ZipFehler& f) {
        switch (f.art) {
        case ZipFehler::Art::KeinZip:
            Dokumentfehler(pfad, "kein Word-Dokument (keine gültige ZIP-Datei)");
        case ZipFehler::Art::NichtUnterstuetzt:
            Dokumentfehler(pfad, f.eintrag + ": kann nicht entpackt werden (" + f.what() + ")");
        default:
            Dokumentfehler(pfad, f.eintrag + ": beschädigte Daten im Paket");
        }
    }

    if (!paket.Finden("[Content_Types].xml"))
        Dokumentfehler(pfad, "kein Word-Dokument ([Content_Types].xml fehlt)");
    return paket;
}

Teil* Paket::Finden(const std::string& name) {
    std::string n = !name.empty() && name.front() == '/' ? name.substr(1) : name;
    for (auto& t : teile_)
        if (t->name == n) return t.get();
    return nullptr;
}

std::string Paket::Fehlerort() const { return quelle_.empty() ? std::string("Dokument") : quelle_.filename().string(); }

pugi::xml_document& Paket::Xml(Teil& teil) {
    if (!teil.xml) {
        auto doc = std::make_unique<pugi::xml_document>();
        // A part read from a file is parsed in its own buffer (no copy of a large part): its bytes are
        // kept packed in `roh` for writing it back unchanged, and unpacked again when it is no XML.
        // A character XML forbids makes the part no XML, however a parser takes it; nesting deeper
        // than any word processor writes is refused before any reader walks it.
        if (const std::size_t stelle = VerbotenesZeichen(teil.bytes); stelle != std::string::npos)
            throw LaufzeitFehler(fehlernummer::Dokumentfehler, Fehlerort() + ": " + teil.name +
                                                                   ": kein gültiges XML (unzulässiges Zeichen bei Byte " +
                                                                   std::to_string(stelle) + ")");
        if (TieferAls(teil.bytes, kMaxTiefe))
            throw LaufzeitFehler(fehlernummer::Dokumentfehler, Fehlerort() + ": " + teil.name + ": Elemente tiefer als " +
                                                                   std::to_string(kMaxTiefe) + " Ebenen verschachtelt");
        pugi::xml_parse_result r =
            teil.roh.da ? doc->load_buffer_inplace(teil.bytes.data(), teil.bytes.size(), kParseFlags, pugi::encoding_utf8)
                        : doc->load_buffer(teil.bytes.data(), teil.bytes.size(), kParseFlags, pugi::encoding_utf8);
        if (!r) {
            doc.reset();
            if (teil.roh.da) ZipEntpacken(teil.roh, teil.name, teil.bytes);
            throw LaufzeitFehler(fehlernummer::Dokumentfehler,
                                 Fehlerort() + ": " + teil.name + ": kein gültiges XML (" + r.description() +
                                     " bei Byte " + std::to_string(r.offset) + ")");
        }
        teil.friedhof = doc->append_child("vk-entfernt");
        teil.xml = std::move(doc);
    }
    return *teil.xml;
}

Teil& Paket::NeuerTeil(const std::string& name, std::string_view xml) {
    auto teil = std::make_unique<Teil>();
    teil->name = name;
    teil->bytes = std::string(xml);
    teil->geaendert = true;
    teile_.push_back(std::move(teil));
    Teil& t = *teile_.back();
    Xml(t);
    return t;
}

void Paket::InhaltstypSetzen(const std::string& teilname, const std::string& typ) {
    Teil* ct = Finden("[Content_Types].xml");
    pugi::xml_node types = Xml(*ct).child("Types");
    std::string partName = "/" + teilname;
    for (pugi::xml_node o : types.children("Override"))
        if (partName == o.attribute("PartName").value()) {
            if (typ != o.attribute("ContentType").value()) {
                Setzen(o, "ContentType", typ);
                ct->geaendert = true;
            }
            return;
        }
    pugi::xml_node o = types.append_child("Override");
    Setzen(o, "PartName", partName);
    Setzen(o, "ContentType", typ);
    ct->geaendert = true;
}

std::string Paket::ZielTeil(const std::string& quellteil, const std::string& ziel) {
    if (!ziel.empty() && ziel.front() == '/') return ziel.substr(1);
    auto schnitt = quellteil.rfind('/');
    std::string basis = schnitt == std::string::npos ? "" : quellteil.substr(0, schnitt + 1);
    std::string voll = basis + ziel;
    // resolve "../"
    std::vector<std::string> teile;
    std::size_t i = 0;
    while (i <= voll.size()) {
        std::size_t j = voll.find('/', i);
        if (j == std::string::npos) j = voll.size();
        std::string s = voll.substr(i, j - i);
        if (s == "..") {
            if (!teile.empty()) teile.pop_back();
        } else if (!s.empty() && s != ".") {
            teile.push_back(s);
        }
        i = j + 1;
    }
    std::string aus;
    for (auto& s : teile) aus += (aus.empty() ? "" : "/") + s;
    return aus;
}

std::string Paket::Beziehungsziel(const std::string& quellteil, const std::string& typ) {
    Teil* rels = Finden(RelsName(quellteil));
    if (!rels) return {};
    for (pugi::xml_node r : Xml(*rels).child("Relationships").children("Relationship")) {
        if (typ == r.attribute("Type").value() &&
            std::string_view(r.attribute("TargetMode").value()) != "External")
            return r.attribute("Target").value();
    }
    return {};
}

void Paket::BeziehungHinzufuegen(const std::string& quellteil, const std::string& typ, const std::string& ziel) {
    std::string relsName = RelsName(quellteil);
    Teil* rels = Finden(relsName);
    if (!rels)
        rels = &NeuerTeil(relsName, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                                    "relationships\"/>");
    pugi::xml_node wurzel = Xml(*rels).child("Relationships");
    int n = 1;
    std::string id;
    for (;; ++n) {
        id = "rIdVk" + std::to_string(n);
        bool frei = true;
        for (pugi::xml_node r : wurzel.children("Relationship"))
            if (id == r.attribute("Id").value()) frei = false;
        if (frei) break;
    }
    pugi::xml_node r = wurzel.append_child("Relationship");
    Setzen(r, "Id", id);
    Setzen(r, "Type", typ);
    Setzen(r, "Target", ziel);
    rels->geaendert = true;
}

void Paket::Schreiben(const std::filesystem::path& pfad, const Ersetzen& schritte) {
    namespace fs = std::filesystem;
    // Through a link the file it points to is replaced; the link stays.
    const fs::path ziel = DateiZiel(pfad);
    const fs::path ordner = ziel.parent_path();
    auto fehler = [&](const std::string& was) {
        return LaufzeitFehler(fehlernummer::DateiZugriffsfehler, ziel.string() + ": " + was);
    };
    // Only a regular file is replaced, and only one that may be written.
    struct stat alt {};
    const bool vorhanden = ::stat(ziel.c_str(), &alt) == 0;
    if (vorhanden && !S_ISREG(alt.st_mode)) throw fehler("ist keine gewöhnliche Datei");
    if (vorhanden && ((alt.st_mode & 0222) == 0 || ::access(ziel.c_str(), W_OK) != 0))
        throw fehler("ist schreibgeschützt");

    // Serialise changed parts first: nothing touches the disk before everything is ready. The others
    // are copied as they were packed.
    std::vector<std::string> inhalte(teile_.size());
    std::vector<ZipRoh> gepackt(teile_.size());
    std::vector<ZipTeil> eintraege;
    eintraege.reserve(teile_.size());
    for (std::size_t i = 0; i < teile_.size(); ++i) {
        Teil& t = *teile_[i];
        if (t.geaendert && t.xml) {
            inhalte[i] = Serialisieren(*t.xml, t.friedhof, t.bytes.size() + t.bytes.size() / 16);
            // What no word processor would open again is not saved.
            if (const std::size_t stelle = VerbotenesZeichen(inhalte[i]); stelle != std::string::npos)
                throw fehler(t.name + ": kein gültiges XML (unzulässiges Zeichen bei Byte " + std::to_string(stelle) + ")");
            eintraege.push_back({t.name, inhalte[i], nullptr, &gepackt[i]});
        } else if (t.roh.da) {
            eintraege.push_back({t.name, {}, &t.roh, nullptr});
        } else {
            eintraege.push_back({t.name, t.bytes, nullptr, &gepackt[i]});
        }
    }

    std::random_device rd;
    const unsigned nummer = rd() % 1000000;
    const Ersatzdateien dateien{ziel, Beiname(ziel, nummer, ".tmp"), vorhanden ? Beiname(ziel, nummer, ".alt") : fs::path()};
    auto aufraeumen = [&] {
        std::error_code ec;
        fs::remove(dateien.neu, ec);
        if (!dateien.alt.empty()) fs::remove(dateien.alt, ec);
    };
    auto scheitern = [&](const std::string& was) {
        aufraeumen();
        throw fehler(was);
    };
    const int fd = ::open(dateien.neu.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, vorhanden ? 0600 : 0666);
    if (fd < 0) scheitern(std::string("kann nicht geschrieben werden (") + Systemfehlertext(errno) + ")");
    if (vorhanden) WieDasAlte(fd, alt);
    if (!ZipSchreiben(fd, eintraege)) {
        const int nr = errno;
        ::close(fd);
        scheitern(std::string("kann nicht geschrieben werden (") + Systemfehlertext(nr) + ")");
    }
    bool synchron = ::fsync(fd) == 0;
    synchron = ::close(fd) == 0 && synchron;
    if (!synchron) scheitern("kann nicht auf den Datenträger geschrieben werden");
    if (vorhanden && !Aufbewahren(ziel, dateien.alt, alt))
        scheitern(std::string("kann nicht gesichert werden (") + Systemfehlertext(errno) + ")");
    if (schritte.vorher) {
        try {
            schritte.vorher(dateien);
        } catch (...) {
            aufraeumen();
            throw;
        }
    }
    if (std::rename(dateien.neu.c_str(), ziel.c_str()) != 0)
        scheitern(std::string("kann nicht ersetzt werden (") + Systemfehlertext(errno) + ")");
    OrdnerSynchron(ordner);
    if (schritte.danach) {
        try {
            schritte.danach();
        } catch (...) {
            // The old file back in its place (a new one removed): the host's failure after the replace
            // leaves the target as it was.
            if (vorhanden) (void)std::rename(dateien.alt.c_str(), ziel.c_str());
            else (void)::unlink(ziel.c_str());
            OrdnerSynchron(ordner);
            aufraeumen();
            throw;
        }
    }
    if (vorhanden) ::unlink(dateien.alt.c_str());
    for (std::size_t i = 0; i < teile_.size(); ++i) {
        if (!gepackt[i].da) continue;
        teile_[i]->roh = std::move(gepackt[i]);
        teile_[i]->geaendert = false;
    }
    quelle_ = fs::absolute(pfad);
}

}  // namespace vk::word::detail
