#include "platform/word/detail/paket.h"

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <random>

#include "common/fehler.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

namespace {

[[noreturn]] void Dokumentfehler(const std::filesystem::path& pfad, const std::string& was) {
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, pfad.filename().string() + ": " + was);
}

struct ZipArchiv {
    zip_t* za = nullptr;
    ~ZipArchiv() {
        if (za) zip_discard(za);
    }
};

std::string RelsName(const std::string& quellteil) {
    auto schnitt = quellteil.rfind('/');
    std::string ordner = schnitt == std::string::npos ? "" : quellteil.substr(0, schnitt + 1);
    std::string datei = schnitt == std::string::npos ? quellteil : quellteil.substr(schnitt + 1);
    return ordner + "_rels/" + datei + ".rels";
}

}  // namespace

Paket Paket::Lesen(const std::filesystem::path& pfad) {
    std::error_code ec;
    if (!std::filesystem::exists(pfad, ec))
        throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, pfad.string() + ": Datei nicht gefunden");
    if (std::filesystem::is_directory(pfad, ec)) Dokumentfehler(pfad, "ist ein Ordner, keine Datei");

    int fehler = 0;
    ZipArchiv archiv;
    archiv.za = zip_open(pfad.c_str(), ZIP_RDONLY, &fehler);
    if (!archiv.za) {
        if (fehler == ZIP_ER_NOZIP || fehler == ZIP_ER_INCONS)
            Dokumentfehler(pfad, "kein Word-Dokument (keine gültige ZIP-Datei)");
        zip_error_t ze;
        zip_error_init_with_code(&ze, fehler);
        std::string text = zip_error_strerror(&ze);
        zip_error_fini(&ze);
        Dokumentfehler(pfad, "kann nicht geöffnet werden (" + text + ")");
    }

    Paket paket;
    paket.quelle_ = pfad;
    zip_int64_t anzahl = zip_get_num_entries(archiv.za, 0);
    if (anzahl < 0 || anzahl > kMaxTeile) Dokumentfehler(pfad, "unplausible Anzahl von Einträgen im Paket");
    // The sizes the package claims are checked for every part before anything is unpacked, so a
    // hostile file cannot make us allocate part after part up to the total limit.
    std::vector<zip_stat_t> eintraege;
    unsigned long long gesamt = 0;
    for (zip_int64_t i = 0; i < anzahl; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archiv.za, i, 0, &st) != 0) Dokumentfehler(pfad, "beschädigter Eintrag im Paket");
        std::string name = (st.valid & ZIP_STAT_NAME) ? st.name : "";
        if (name.empty() || name.back() == '/') continue;  // folders
        if (!(st.valid & ZIP_STAT_SIZE)) Dokumentfehler(pfad, name + ": Größe unbekannt");
        if (st.size > kMaxTeilGroesse)
            Dokumentfehler(pfad, name + ": entpackt zu groß (" + std::to_string(st.size / (1024 * 1024)) +
                                     " MB, höchstens 200 MB je Teil)");
        gesamt += st.size;
        if (gesamt > kMaxPaketGroesse) Dokumentfehler(pfad, "entpackt zu groß (mehr als 1 GB)");
        eintraege.push_back(st);
    }
    for (const zip_stat_t& st : eintraege) {
        const std::string name = st.name;
        const zip_uint64_t i = st.index;
        if (paket.Finden(name)) Dokumentfehler(pfad, name + ": doppelter Eintrag");

        auto teil = std::make_unique<Teil>();
        teil->name = name;
        teil->bytes.resize(st.size);
        zip_file_t* zf = zip_fopen_index(archiv.za, i, 0);
        if (!zf) Dokumentfehler(pfad, name + ": kann nicht entpackt werden (" + zip_strerror(archiv.za) + ")");
        zip_uint64_t gelesen = 0;
        while (gelesen < st.size) {
            zip_int64_t n = zip_fread(zf, teil->bytes.data() + gelesen, st.size - gelesen);
            if (n <= 0) break;
            gelesen += static_cast<zip_uint64_t>(n);
        }
        char rest;
        bool mehr = gelesen == st.size && zip_fread(zf, &rest, 1) > 0;
        zip_fclose(zf);
        if (gelesen != st.size || mehr) Dokumentfehler(pfad, name + ": beschädigte Daten im Paket");
        paket.teile_.push_back(std::move(teil));
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
        pugi::xml_parse_result r =
            doc->load_buffer(teil.bytes.data(), teil.bytes.size(), kParseFlags, pugi::encoding_utf8);
        if (!r)
            throw LaufzeitFehler(fehlernummer::Dokumentfehler,
                                 Fehlerort() + ": " + teil.name + ": kein gültiges XML (" + r.description() +
                                     " bei Byte " + std::to_string(r.offset) + ")");
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

void Paket::Schreiben(const std::filesystem::path& pfad, const std::function<void()>& vorDemErsetzen) {
    namespace fs = std::filesystem;
    fs::path ziel = fs::absolute(pfad);
    fs::path ordner = ziel.parent_path();
    std::random_device rd;
    fs::path temp = ordner / ("." + ziel.filename().string() + ".vk" + std::to_string(rd() % 1000000) + ".tmp");

    auto scheitern = [&](const std::string& was) {
        std::error_code ec;
        fs::remove(temp, ec);
        throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, ziel.string() + ": " + was);
    };

    // Serialise changed parts first: nothing touches the disk before everything is ready.
    std::vector<std::string> inhalte;
    inhalte.reserve(teile_.size());
    for (auto& t : teile_)
        inhalte.push_back(t->geaendert && t->xml ? Serialisieren(*t->xml, t->friedhof) : std::string());

    int fehler = 0;
    zip_t* za = zip_open(temp.c_str(), ZIP_CREATE | ZIP_EXCL, &fehler);
    if (!za) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, fehler);
        std::string text = zip_error_strerror(&ze);
        zip_error_fini(&ze);
        scheitern("kann nicht geschrieben werden (" + text + ")");
    }
    for (std::size_t i = 0; i < teile_.size(); ++i) {
        const std::string& daten = teile_[i]->geaendert && teile_[i]->xml ? inhalte[i] : teile_[i]->bytes;
        zip_source_t* quelle = zip_source_buffer(za, daten.data(), daten.size(), 0);
        zip_int64_t index = quelle ? zip_file_add(za, teile_[i]->name.c_str(), quelle, ZIP_FL_ENC_UTF_8) : -1;
        if (index >= 0) zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);  // fast
        if (index < 0) {
            if (quelle) zip_source_free(quelle);
            std::string text = zip_strerror(za);
            zip_discard(za);
            scheitern("kann nicht geschrieben werden (" + text + ")");
        }
    }
    if (zip_close(za) != 0) {
        std::string text = zip_strerror(za);
        zip_discard(za);
        scheitern("kann nicht geschrieben werden (" + text + ")");
    }
    int fd = ::open(temp.c_str(), O_RDONLY);
    if (fd < 0) scheitern("kann nicht geschrieben werden");
    bool synchron = ::fsync(fd) == 0;
    ::close(fd);
    if (!synchron) scheitern("kann nicht auf den Datenträger geschrieben werden");
    if (vorDemErsetzen) {
        try {
            vorDemErsetzen();
        } catch (...) {
            std::error_code ec;
            fs::remove(temp, ec);
            throw;
        }
    }
    if (std::rename(temp.c_str(), ziel.c_str()) != 0) scheitern("kann nicht ersetzt werden");
    int dfd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    for (std::size_t i = 0; i < teile_.size(); ++i) {
        if (teile_[i]->geaendert && teile_[i]->xml) {
            teile_[i]->bytes = std::move(inhalte[i]);
            teile_[i]->geaendert = false;
        }
    }
    quelle_ = ziel;
}

}  // namespace vk::word::detail
