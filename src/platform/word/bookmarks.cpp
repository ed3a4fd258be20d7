#include "platform/word/bookmarks.h"

#include <algorithm>

#include "common/fehler.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"

namespace vk::word {

using detail::Kern;

Bookmarks::Bookmarks(std::shared_ptr<Kern> kern) : kern_(std::move(kern)) {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
}

void Bookmarks::Add(std::string_view name, const word::Range& bereich) {
    Kern& k = *kern_;
    if (bereich.IstNothing()) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    if (name.empty() || name.size() > 40 || name.find_first_of(" \t\r\n") != std::string_view::npos)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Textmarkenname");
    int sid = bereich.BereichIntern()->story;
    if (sid != Kern::kHaupttext)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Textmarken nur im Haupttext");
    long s = bereich.Start(), e = bereich.End();
    std::string n(name);
    {
        const auto& c = k.cache(sid);
        auto it = c.textmarkeStart.find(n);
        if (it != c.textmarkeStart.end()) {
            pugi::xml_node start(it->second.knoten);
            std::string id = c.textmarkeId.at(n);
            auto en = c.textmarkeEnde.find(id);
            pugi::xml_node ende = en != c.textmarkeEnde.end() ? pugi::xml_node(en->second.knoten) : pugi::xml_node();
            start.parent().remove_child(start);
            if (ende) ende.parent().remove_child(ende);
            k.Veraendert(sid);
        }
    }
    long id = 0;
    {
        const auto& c = k.cache(sid);
        for (const auto& [nm, i] : c.textmarkeId) id = std::max(id, std::atol(i.c_str()) % 2000000000 + 1);
        for (const auto& [i, m] : c.textmarkeEnde) id = std::max(id, std::atol(i.c_str()) % 2000000000 + 1);
    }
    pugi::xml_node ende = k.MarkeEinfuegen(sid, e, "w:bookmarkEnd", e > s);
    detail::Setzen(ende, "w:id", id);
    pugi::xml_node start = e > s ? k.MarkeEinfuegen(sid, s, "w:bookmarkStart", false)
                                 : ende.parent().insert_child_before("w:bookmarkStart", ende);
    detail::Setzen(start, "w:id", id);
    detail::Setzen(start, "w:name", n);
    k.DokumentGeaendert();
    k.Veraendert(sid);
}

long Bookmarks::Count() const { return static_cast<long>(kern_->cache(Kern::kHaupttext).textmarkenNamen.size()); }

bool Bookmarks::Exists(std::string_view name) const {
    return kern_->cache(Kern::kHaupttext).textmarkeStart.count(std::string(name)) > 0;
}

word::Range Bookmarks::Item(std::string_view name) const {
    const auto& c = kern_->cache(Kern::kHaupttext);
    auto it = c.textmarkeStart.find(std::string(name));
    if (it == c.textmarkeStart.end())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Textmarke existiert nicht");
    long s = it->second.position, e = s;
    auto en = c.textmarkeEnde.find(c.textmarkeId.at(std::string(name)));
    if (en != c.textmarkeEnde.end()) e = std::max(s, en->second.position);
    return word::Range(kern_, kern_->NeuerBereich(Kern::kHaupttext, s, e));
}

void Bookmarks::SetDefaultSorting(int sortierung) {
    if (sortierung != 0 && sortierung != 1) throw LaufzeitFehler(fehlernummer::UngueltigesArgument);
    kern_->textmarkenSortierung = sortierung;
}
int Bookmarks::DefaultSorting() const { return kern_->textmarkenSortierung; }
void Bookmarks::SetShowHidden(bool wert) { kern_->textmarkenVersteckteZeigen = wert; }
bool Bookmarks::ShowHidden() const { return kern_->textmarkenVersteckteZeigen; }

}  // namespace vk::word
