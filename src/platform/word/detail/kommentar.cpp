// Zero-width marks (comment anchors, bookmarks) and the comments of the document.
#include <algorithm>
#include <tuple>

#include "common/fehler.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

pugi::xml_node Kern::MarkeEinfuegen(int sid, long position, const char* name, bool amEnde) {
    // Only the stream is used here (so a second mark needs no new reading after the first).
    const StoryCache* c = &strom(sid);
    position = std::clamp(position, 0L, c->Laenge());
    if (!amEnde || position == 0) {
        Ort o = OrtBei(sid, position);
        pugi::xml_node m = o.vor ? o.eltern.insert_child_before(name, o.vor) : o.eltern.append_child(name);
        MarkenVeraendert(sid);
        return m;
    }
    LaufTrennen(sid, position);
    c = &strom(sid);
    std::size_t i = c->Finde(position - 1);
    if (i == c->stuecke.size()) return MarkeEinfuegen(sid, position, name, false);
    const Stueck s = c->stuecke[i];
    pugi::xml_node m;
    if (s.art == StueckArt::Text || s.art == StueckArt::Zeichen) {
        pugi::xml_node lauf = pugi::xml_node(s.knoten).parent();
        m = lauf.parent().insert_child_after(name, lauf);
    } else if (s.art == StueckArt::Absatzende || (s.art == StueckArt::Zellende && s.absatz)) {
        m = pugi::xml_node(s.absatz).append_child(name);
    } else {
        // after a row: at the end of the last paragraph of the row's last cell
        pugi::xml_node tc = LetztesElement(pugi::xml_node(s.knoten));
        while (tc && !Ist(tc, "w:tc")) tc = VorigesElement(tc);
        pugi::xml_node p = tc ? LetztesElement(tc) : pugi::xml_node();
        if (!Ist(p, "w:p")) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Keine Stelle für die Marke");
        m = p.append_child(name);
    }
    MarkenVeraendert(sid);
    return m;
}

namespace {

// Whether node a comes before node b in the document (preorder).
bool Vorher(pugi::xml_node a, pugi::xml_node b) {
    std::vector<pugi::xml_node_struct*> va, vb;  // ancestors, the node itself first
    for (pugi::xml_node k = a; k; k = k.parent()) va.push_back(k.internal_object());
    for (pugi::xml_node k = b; k; k = k.parent()) vb.push_back(k.internal_object());
    auto ia = va.rbegin(), ib = vb.rbegin();
    while (ia != va.rend() && ib != vb.rend() && *ia == *ib) ++ia, ++ib;
    if (ia == va.rend()) return ib != vb.rend();  // a holds b
    if (ib == vb.rend()) return false;            // b holds a
    for (pugi::xml_node k(*ia); k; k = k.next_sibling())
        if (k.internal_object() == *ib) return true;
    return false;
}

}  // namespace

void Kern::KommentarmarkenEingefuegt(int sid, bool vorherGueltig, std::initializer_list<pugi::xml_node> marken) {
    Story& st = story(sid);
    if (!vorherGueltig || !st.gueltig || st.cache.markenDoppelt) return;
    StoryCache& c = st.cache;
    struct Neu {
        std::unordered_map<std::string, Marke>* karte;
        std::string id;
        Marke marke;
    };
    std::vector<Neu> neue;
    for (pugi::xml_node m : marken) {
        std::string_view name = m.name();
        auto* karte = name == "w:commentRangeStart" ? &c.kommentarStart
                      : name == "w:commentRangeEnd" ? &c.kommentarEnde
                      : name == "w:commentReference" ? &c.kommentarReferenz : nullptr;
        const std::string id = m.attribute("w:id").value();
        // a second mark of an id: which one counts is a reading's to tell
        if (!karte || karte->count(id)) return;
        // its place: as a reading of its paragraph gives it (a mark between blocks is read again)
        pugi::xml_node p = m.parent();
        while (p && !Ist(p, "w:p") && !Ist(p, "w:tc") && !Ist(p, "w:tbl") && p != st.wurzel) p = p.parent();
        if (!Ist(p, "w:p")) return;
        auto bereich = c.bereiche.find(p.internal_object());
        if (bereich == c.bereiche.end()) return;
        bool letzterInZelle = false;
        if (pugi::xml_node tc = p.parent(); Ist(tc, "w:tc")) {
            pugi::xml_node letzter = LetztesElement(tc);
            while (letzter && !Ist(letzter, "w:p") && !Ist(letzter, "w:tbl") && letzter != tc.child("w:tcPr"))
                letzter = VorigesElement(letzter);
            letzterInZelle = letzter == p;
        }
        const long position = MarkenStelle(p, letzterInZelle, bereich->second.first, m);
        if (position < 0) return;
        neue.push_back({karte, id, {position, m.internal_object(), 0}});
    }
    // Each new mark is numbered between the marks before and after it in the document.
    for (Neu& neu : neue) {
        long davor = 0, danach = -1;
        for (const auto* karte : {&c.kommentarStart, &c.kommentarEnde, &c.kommentarReferenz, &c.textmarkeStart,
                                  &c.textmarkeEnde})
            for (const auto& [id, m] : *karte) {
                const bool vorher = m.position < neu.marke.position ||
                                    (m.position == neu.marke.position &&
                                     Vorher(pugi::xml_node(m.knoten), pugi::xml_node(neu.marke.knoten)));
                if (vorher) davor = std::max(davor, m.folge);
                else if (danach < 0 || m.folge < danach) danach = m.folge;
            }
        if (danach < 0) danach = davor + 2 * kFolgeSchritt;
        if (danach - davor < 2) return;
        neu.marke.folge = davor + (danach - davor) / 2;
        (*neu.karte)[neu.id] = neu.marke;
    }
    st.markenGueltig = true;
}

pugi::xml_node Kern::KommentarKnoten(const std::string& id) {
    // Built again only when a comment came or went: edits of the text leave the comments part as it is.
    if (knotenStand_ != kommentarBestand_) {
        kommentarKnoten_.clear();
        for (pugi::xml_node k : KommentarWurzel(false).children("w:comment"))
            kommentarKnoten_.emplace(k.attribute("w:id").value(), k.internal_object());  // first of an id wins
        knotenStand_ = kommentarBestand_;
    }
    auto it = kommentarKnoten_.find(id);
    return it == kommentarKnoten_.end() ? pugi::xml_node() : pugi::xml_node(it->second);
}

bool Kern::KommentarAnker(const std::string& id, int& sid, long& start, long& ende, long* folge) {
    std::vector<int> kandidaten{kHaupttext};
    for (std::size_t i = 0; i < kandidaten.size(); ++i) {
        int s = kandidaten[i];
        const StoryCache& c = cache(s);
        auto st = c.kommentarStart.find(id);
        auto ref = c.kommentarReferenz.find(id);
        if (st != c.kommentarStart.end()) {
            sid = s;
            start = st->second.position;
            auto en = c.kommentarEnde.find(id);
            ende = en != c.kommentarEnde.end() ? en->second.position
                                               : (ref != c.kommentarReferenz.end() ? ref->second.position : start);
            if (ende < start) ende = start;
            if (folge) *folge = st->second.folge;
            return true;
        }
        if (ref != c.kommentarReferenz.end()) {
            sid = s;
            start = ende = ref->second.position;
            if (folge) *folge = ref->second.folge;
            return true;
        }
        if (i == 0) {  // not in the main text: look in the text boxes
            const std::vector<pugi::xml_node> anker = Anker();
            for (pugi::xml_node a : anker)
                if (pugi::xml_node t = a.select_node(".//w:txbxContent").node()) kandidaten.push_back(StoryVon(t));
        }
    }
    return false;
}

const std::vector<Kern::KommentarStelle>& Kern::KommentarStellen() {
    if (kommentarGeneration_ == Generation()) return kommentarStellen_;
    std::vector<std::tuple<int, long, long, std::string>> liste;
    long nr = 0;
    pugi::xml_node wurzel = KommentarWurzel(false);
    for (pugi::xml_node k : wurzel.children("w:comment")) {
        std::string id = k.attribute("w:id").value();
        int s = 0;
        long a = 0, e = 0, folge = 0;
        if (KommentarAnker(id, s, a, e, &folge)) liste.emplace_back(s, a, folge * 100000 + nr, id);
        ++nr;
    }
    std::sort(liste.begin(), liste.end());
    kommentarStellen_.clear();
    kommentarIds_.clear();
    for (auto& t : liste) {
        kommentarStellen_.push_back({std::get<0>(t), std::get<1>(t), std::get<3>(t)});
        kommentarIds_.push_back(std::get<3>(t));
    }
    kommentarGeneration_ = Generation();
    return kommentarStellen_;
}

std::vector<std::string> Kern::KommentarIds() {
    KommentarStellen();
    return kommentarIds_;
}

void Kern::KommentarEntfernen(const std::string& id) {
    KommentarLoesen(id);
    Veraendert();
}

void Kern::KommentarLoesen(const std::string& id, int sid) {
    if (pugi::xml_node k = KommentarKnoten(id)) {
        // its story goes with it: handles to it see it as deleted, and a comment added later in the
        // same memory is a story of its own
        if (auto it = storyIds_.find(k.internal_object()); it != storyIds_.end()) {
            Story& s = stories_[static_cast<std::size_t>(it->second)];
            s.gueltig = false;
            s.wurzel = pugi::xml_node();
            storyIds_.erase(it);
        }
        k.parent().remove_child(k);
        if (kommentare_) kommentare_->geaendert = true;
        // the lookup by id is built again: the node is gone (and its memory may hold a new one)
        ++kommentarBestand_;
    }
    std::vector<pugi::xml_node> weg;
    // The story's cached marks name the nodes of the comment's start and end (and its reference):
    // when the cache is current and holds both, they are taken from there (those moved out with a
    // removed table no longer live and stay where they are); otherwise the document is searched.
    if (sid >= 0 && sid < static_cast<int>(stories_.size())) {
        const Story& s = stories_[static_cast<std::size_t>(sid)];
        const StoryCache& c = s.cache;
        const auto start = c.kommentarStart.find(id), ende = c.kommentarEnde.find(id);
        if (s.gueltig && s.markenGueltig && !s.kommentar && !c.markenDoppelt && start != c.kommentarStart.end() &&
            ende != c.kommentarEnde.end()) {
            for (pugi::xml_node n : {pugi::xml_node(start->second.knoten), pugi::xml_node(ende->second.knoten)})
                if (Lebt(n)) weg.push_back(n);
            if (const auto ref = c.kommentarReferenz.find(id); ref != c.kommentarReferenz.end())
                if (pugi::xml_node n(ref->second.knoten); Lebt(n)) weg.push_back(n);
            sid = -2;
        }
    }
    struct Sammler : pugi::xml_tree_walker {
        const std::string* id;
        std::vector<pugi::xml_node>* weg;
        bool for_each(pugi::xml_node& n) override {
            const char* name = n.name();  // most names fail at the third character
            if (name[0] == 'w' && name[1] == ':' && name[2] == 'c' &&
                (NameIst(name, "w:commentRangeStart") || NameIst(name, "w:commentRangeEnd") ||
                 NameIst(name, "w:commentReference")) &&
                *id == n.attribute("w:id").value())
                weg->push_back(n);
            return true;
        }
    } sammler;
    sammler.id = &id;
    sammler.weg = &weg;
    if (sid != -2) dokumentXml().document_element().traverse(sammler);
    for (pugi::xml_node n : weg) {
        pugi::xml_node eltern = n.parent();
        eltern.remove_child(n);
        if (Ist(eltern, "w:r")) {
            bool leer = true;
            for (pugi::xml_node k = ErstesElement(eltern); k; k = NaechstesElement(k))
                if (!Ist(k, "w:rPr")) leer = false;
            if (leer) eltern.parent().remove_child(eltern);
        }
    }
    if (!weg.empty()) DokumentGeaendert();
}

namespace {
// A floating VML shape of a picture element (w:pict): absolutely positioned, so a shape of its own
// and not a character of the text.
bool VmlForm(pugi::xml_node n) {
    std::string_view name = n.name();
    if (name.substr(0, 2) != "v:" || name == "v:shapetype" || !Ist(n.parent(), "w:pict")) return false;
    std::string_view stil = n.attribute("style").value();
    return stil.find("position:absolute") != std::string_view::npos;
}
}  // namespace

void Kern::FormEntfernt(pugi::xml_node weg) {
    const bool aktuell = ankerGelesen_ == ankerStand_;
    FormenVeraendert();
    if (!aktuell) return;
    std::erase_if(anker_, [&](pugi::xml_node a) {
        for (pugi::xml_node k = a; k; k = k.parent())
            if (k == weg) return true;
        return false;
    });
    ankerGelesen_ = ankerStand_;
}

void Kern::FormHinzugefuegt(pugi::xml_node form) {
    const bool aktuell = ankerGelesen_ == ankerStand_;
    FormenVeraendert();
    if (!aktuell) return;
    // the anchors are in document order: the new one after every one before it
    auto stelle = std::partition_point(anker_.begin(), anker_.end(), [&](pugi::xml_node a) { return Vorher(a, form); });
    anker_.insert(stelle, form);
    ankerGelesen_ = ankerStand_;
}

const std::vector<pugi::xml_node>& Kern::Anker() {
    // One walk over the document serves every lookup until an edit that may add or remove a shape.
    if (ankerGelesen_ == ankerStand_) {
        if (ankerPruefen_) std::erase_if(anker_, [this](pugi::xml_node a) { return !Lebt(a); });
        ankerPruefen_ = false;
        return anker_;
    }
    struct Sammler : pugi::xml_tree_walker {
        std::vector<pugi::xml_node>* aus;
        bool for_each(pugi::xml_node& n) override {
            const char* name = n.name();  // most names fail at the first or second character
            const bool form = (name[0] == 'w' && name[1] == 'p' && NameIst(name, "wp:anchor")) ||
                              (name[0] == 'v' && name[1] == ':' && VmlForm(n));
            if (!form) return true;
            for (pugi::xml_node v = n.parent(); v; v = v.parent())
                if (NameIst(v.name(), "mc:Fallback") || NameIst(v.name(), "w:txbxContent")) return true;
            aus->push_back(n);
            return true;
        }
    } sammler;
    anker_.clear();
    sammler.aus = &anker_;
    story(kHaupttext).wurzel.traverse(sammler);
    ankerGelesen_ = ankerStand_;
    ankerPruefen_ = false;
    return anker_;
}

}  // namespace vk::word::detail
