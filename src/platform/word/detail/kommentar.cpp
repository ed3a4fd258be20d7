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

pugi::xml_node Kern::KommentarKnoten(const std::string& id) {
    if (knotenGeneration_ != Generation()) {
        kommentarKnoten_.clear();
        for (pugi::xml_node k : KommentarWurzel(false).children("w:comment"))
            kommentarKnoten_.emplace(k.attribute("w:id").value(), k.internal_object());  // first of an id wins
        knotenGeneration_ = Generation();
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
            for (pugi::xml_node a : Anker())
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
    if (pugi::xml_node k = KommentarKnoten(id)) {
        k.parent().remove_child(k);
        KommentareGeaendert();
    }
    std::vector<pugi::xml_node> weg;
    struct Sammler : pugi::xml_tree_walker {
        const std::string* id;
        std::vector<pugi::xml_node>* weg;
        bool for_each(pugi::xml_node& n) override {
            std::string_view name = n.name();
            if ((name == "w:commentRangeStart" || name == "w:commentRangeEnd" || name == "w:commentReference") &&
                *id == n.attribute("w:id").value())
                weg->push_back(n);
            return true;
        }
    } sammler;
    sammler.id = &id;
    sammler.weg = &weg;
    dokumentXml().document_element().traverse(sammler);
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
    Veraendert();
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

std::vector<pugi::xml_node> Kern::Anker() {
    std::vector<pugi::xml_node> aus;
    struct Sammler : pugi::xml_tree_walker {
        std::vector<pugi::xml_node>* aus;
        bool for_each(pugi::xml_node& n) override {
            if (std::string_view(n.name()) != "wp:anchor" && !VmlForm(n)) return true;
            for (pugi::xml_node v = n.parent(); v; v = v.parent()) {
                std::string_view name = v.name();
                if (name == "mc:Fallback" || name == "w:txbxContent") return true;
            }
            aus->push_back(n);
            return true;
        }
    } sammler;
    sammler.aus = &aus;
    story(kHaupttext).wurzel.traverse(sammler);
    return aus;
}

}  // namespace vk::word::detail
