#include "platform/word/detail/kern.h"

#include <algorithm>

#include "common/fehler.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

namespace {
const char* kTypOfficeDocument = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
const char* kTypKommentare = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments";
const char* kTypEinstellungen = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
const char* kTypStile = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
const char* kNsW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

[[noreturn]] void Dokumentfehler(const Paket& p, const std::string& was) {
    std::string ort = p.Quelle().empty() ? std::string("Dokument") : p.Quelle().filename().string();
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, ort + ": " + was);
}
}  // namespace

Kern::Kern(Paket paket) : paket_(std::move(paket)) {
    std::string ziel = paket_.Beziehungsziel("", kTypOfficeDocument);
    if (ziel.empty()) Dokumentfehler(paket_, "kein Word-Dokument (Hauptteil nicht angegeben)");
    dokumentName_ = Paket::ZielTeil("", ziel);
    dokument_ = paket_.Finden(dokumentName_);
    if (!dokument_) Dokumentfehler(paket_, "kein Word-Dokument (" + dokumentName_ + " fehlt)");
    pugi::xml_node wurzel = paket_.Xml(*dokument_).document_element();
    if (std::string_view(wurzel.name()) != "w:document" || std::string_view(wurzel.attribute("xmlns:w").value()) != kNsW)
        Dokumentfehler(paket_, "kein Word-Dokument (" + dokumentName_ + " ist kein WordprocessingML-Dokument)");
    pugi::xml_node body = wurzel.child("w:body");
    if (!body) Dokumentfehler(paket_, "beschädigt (" + dokumentName_ + " ohne w:body)");

    std::string kz = paket_.Beziehungsziel(dokumentName_, kTypKommentare);
    if (!kz.empty()) {
        kommentare_ = paket_.Finden(Paket::ZielTeil(dokumentName_, kz));
        if (kommentare_ && std::string_view(paket_.Xml(*kommentare_).document_element().name()) != "w:comments")
            Dokumentfehler(paket_, "beschädigt (" + kommentare_->name + " enthält keine Kommentare)");
    }
    std::string ez = paket_.Beziehungsziel(dokumentName_, kTypEinstellungen);
    if (!ez.empty()) einstellungen_ = paket_.Finden(Paket::ZielTeil(dokumentName_, ez));
    std::string sz = paket_.Beziehungsziel(dokumentName_, kTypStile);
    if (!sz.empty()) stile_ = paket_.Finden(Paket::ZielTeil(dokumentName_, sz));

    stories_.push_back(Story{body, false, false, {}});
    textStories_.push_back(kHaupttext);
    storyIds_.emplace(body.internal_object(), kHaupttext);
    auswahl_ = std::make_shared<Auswahl>();
    auswahl_->bereich = NeuerBereich(kHaupttext, 0, 0);
    pfad = paket_.Quelle();
}

pugi::xml_node Kern::KommentarWurzel(bool anlegen) {
    if (kommentare_) return paket_.Xml(*kommentare_).document_element();
    if (!anlegen) return {};
    std::string name = "word/comments.xml";
    if (auto s = dokumentName_.rfind('/'); s != std::string::npos) name = dokumentName_.substr(0, s + 1) + "comments.xml";
    kommentare_ = &paket_.NeuerTeil(
        name, std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:comments xmlns:w=\"") +
                  kNsW + "\"/>");
    paket_.InhaltstypSetzen(name, "application/vnd.openxmlformats-officedocument.wordprocessingml.comments+xml");
    paket_.BeziehungHinzufuegen(dokumentName_, kTypKommentare, name.substr(name.rfind('/') + 1));
    return paket_.Xml(*kommentare_).document_element();
}

void Kern::GeaendertBei(pugi::xml_node knoten) {
    if (knoten.root() == dokumentXml()) DokumentGeaendert();
    else if (kommentare_) kommentare_->geaendert = true;
}

void Kern::KommentareGeaendert() {
    if (kommentare_) kommentare_->geaendert = true;
    Veraendert();
}

void Kern::KommentarHinzugefuegt() {
    // The other comments' stories stay: a removed comment's story was dropped with it (so a new
    // comment in its memory is a story of its own).
    if (kommentare_) kommentare_->geaendert = true;
    ++generation_;
    ++kommentarBestand_;
}

pugi::xml_node Kern::EinstellungenWurzel(bool anlegen) {
    if (einstellungen_) return paket_.Xml(*einstellungen_).document_element();
    if (!anlegen) return {};
    std::string name = "word/settings.xml";
    if (auto s = dokumentName_.rfind('/'); s != std::string::npos) name = dokumentName_.substr(0, s + 1) + "settings.xml";
    einstellungen_ = &paket_.NeuerTeil(
        name, std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:settings xmlns:w=\"") +
                  kNsW + "\"/>");
    paket_.InhaltstypSetzen(name, "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml");
    paket_.BeziehungHinzufuegen(dokumentName_, kTypEinstellungen, name.substr(name.rfind('/') + 1));
    return paket_.Xml(*einstellungen_).document_element();
}

void Kern::EinstellungenGeaendert() {
    if (einstellungen_) einstellungen_->geaendert = true;
}

void Kern::Speichern(const std::filesystem::path& ziel, const Ersetzen& schritte) {
    std::vector<pugi::xml_node_struct*> offen;
    offen.swap(gitterOffen_);
    std::sort(offen.begin(), offen.end());
    offen.erase(std::unique(offen.begin(), offen.end()), offen.end());
    for (auto* t : offen) {
        pugi::xml_node tbl(t);
        if (Lebt(tbl)) GitterNeuBerechnen(tbl);
    }
    if (!offen.empty()) DokumentGeaendert();
    try {
        paket_.Schreiben(ziel, schritte);
    } catch (...) {
        gitterOffen_.insert(gitterOffen_.end(), offen.begin(), offen.end());
        throw;
    }
    pfad = paket_.Quelle();
}

// --- stories ----------------------------------------------------------------------------------

int Kern::StoryVon(pugi::xml_node wurzel) {
    auto [it, neu] = storyIds_.emplace(wurzel.internal_object(), static_cast<int>(stories_.size()));
    if (!neu) return it->second;
    stories_.push_back(Story{wurzel, false, std::string_view(wurzel.name()) == "w:comment", {}});
    if (!stories_.back().kommentar) textStories_.push_back(static_cast<int>(stories_.size() - 1));
    return static_cast<int>(stories_.size() - 1);
}

int Kern::StoryEines(pugi::xml_node knoten) {
    // one walk up to the root: the innermost story root on the way, and whether the top is the
    // document (not the holder of removed nodes)
    if (!knoten) return -1;
    pugi::xml_node wurzel;
    pugi::xml_node n = knoten;
    for (pugi::xml_node eltern = n.parent(); eltern; eltern = eltern.parent()) {
        const char* name = n.name();
        if (!wurzel && name[0] == 'w' && name[1] == ':' &&
            (NameIst(name, "w:body") || NameIst(name, "w:txbxContent") || NameIst(name, "w:comment")))
            wurzel = n;
        if (eltern.type() == pugi::node_document) {
            if (NameIst(name, "vk-entfernt") || !wurzel) return -1;
            return StoryVon(wurzel);
        }
        n = eltern;
    }
    return -1;
}

Story& Kern::story(int id) {
    if (id < 0 || id >= static_cast<int>(stories_.size()))
        throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    Story& s = stories_[static_cast<std::size_t>(id)];
    if (!Lebt(s.wurzel)) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Das Objekt wurde gelöscht");
    return s;
}

const StoryCache& Kern::cache(int id) {
    Story& s = story(id);
    if (!s.gueltig || !s.markenGueltig) {
        StoryLesen(s.wurzel, s.cache, id == kHaupttext ? dokument_->bytes.size() : 0);
        s.gueltig = true;
        s.markenGueltig = true;
    }
    return s.cache;
}

const StoryCache& Kern::strom(int id) {
    Story& s = story(id);
    if (!s.gueltig) {
        StoryLesen(s.wurzel, s.cache, id == kHaupttext ? dokument_->bytes.size() : 0);
        s.gueltig = true;
        s.markenGueltig = true;
    }
    return s.cache;
}

bool Kern::Lebt(pugi::xml_node knoten) {
    pugi::xml_node n = knoten;
    for (pugi::xml_node eltern = n.parent(); eltern; eltern = eltern.parent()) {
        if (eltern.type() == pugi::node_document) return !NameIst(n.name(), "vk-entfernt");
        n = eltern;
    }
    return false;
}

void Kern::Pruefen(pugi::xml_node knoten) {
    if (!Lebt(knoten)) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Das Objekt wurde gelöscht");
}

void Kern::Veraendert() {
    ++generation_;
    ++ankerStand_;
    for (auto& s : stories_) s.gueltig = false;
}

void Kern::Veraendert(int id) {
    ++generation_;
    ++ankerStand_;
    if (id < 0 || id >= static_cast<int>(stories_.size())) return Veraendert();
    Story& bearbeitet = stories_[static_cast<std::size_t>(id)];
    // A text box's content is no part of the main text's stream (story.cpp does not descend into a
    // drawing), so an edit inside it leaves the main text valid; an edit of the main text may remove
    // a text box's anchor, so it invalidates the text boxes along with it.
    if (bearbeitet.kommentar || id != kHaupttext) {
        bearbeitet.gueltig = false;
        return;
    }
    for (int i : textStories_) stories_[static_cast<std::size_t>(i)].gueltig = false;
}

void Kern::FormenVeraendert() {
    // An anchor is a run of the main text without characters of its own (story.cpp reads no
    // character for a floating drawing or picture), so adding or removing one leaves the main
    // text's stream as it is; the text boxes' stories begin or end with it.
    ++generation_;
    ++ankerStand_;
    for (int i : textStories_)
        if (i != kHaupttext) stories_[static_cast<std::size_t>(i)].gueltig = false;
}

void Kern::MarkenVeraendert(int id) {
    ++generation_;
    story(id).markenGueltig = false;
}

void Kern::StoryGeaendert(int id) {
    if (story(id).kommentar) {
        if (kommentare_) kommentare_->geaendert = true;
    } else {
        DokumentGeaendert();
    }
}

// --- live ranges --------------------------------------------------------------------------------

std::shared_ptr<Bereich> Kern::NeuerBereich(int story, long start, long ende) {
    auto b = std::make_shared<Bereich>();
    b->story = story;
    b->start = start;
    b->ende = std::max(start, ende);
    if (bereiche_.size() > 64 && bereiche_.size() % 64 == 0) {
        bereiche_.erase(std::remove_if(bereiche_.begin(), bereiche_.end(),
                                       [](const std::weak_ptr<Bereich>& w) { return w.expired(); }),
                        bereiche_.end());
    }
    bereiche_.push_back(b);
    return b;
}

void Kern::BereicheAbbilden(int story, const std::function<void(Bereich&)>& f, const Bereich* ausser) {
    for (auto& w : bereiche_) {
        auto b = w.lock();
        if (!b || b.get() == ausser || b->story != story) continue;
        f(*b);
        if (b->ende < b->start) b->ende = b->start;
    }
}

void Kern::Eingefuegt(int story, long position, long n, const Bereich* ausser) {
    if (n == 0) return;
    BereicheAbbilden(
        story,
        [&](Bereich& b) {
            bool leer = b.start == b.ende;
            if (b.start >= position) b.start += n;
            if (b.ende > position || (leer && b.ende == position)) b.ende += n;
        },
        ausser);
}

void Kern::Ersetzt(int story, long a, long bis, long n, const Bereich* ausser) {
    long d = n - (bis - a);
    BereicheAbbilden(
        story,
        [&](Bereich& b) {
            if (b.start >= bis) b.start += d;
            else if (b.start > a) b.start = a;
            if (b.ende > bis) b.ende += d;
            else if (b.ende > a) b.ende = a;
        },
        ausser);
}

}  // namespace vk::word::detail
