#include "platform/word/comment.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/utf.h"
#include "platform/word/detail/xml.h"

namespace vk::word {

using detail::Kern;

namespace {

std::string JetztIso() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char puffer[32];
    std::strftime(puffer, sizeof puffer, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return puffer;
}

long NaechsteKommentarId(Kern& k) {
    long hoechste = -1;
    for (pugi::xml_node c : k.KommentarWurzel(true).children("w:comment"))
        hoechste = std::max(hoechste, static_cast<long>(c.attribute("w:id").as_llong(-1) % 2000000000));
    const auto& cache = k.cache(Kern::kHaupttext);
    for (const auto* karte : {&cache.kommentarStart, &cache.kommentarEnde, &cache.kommentarReferenz})
        for (const auto& [id, m] : *karte) hoechste = std::max(hoechste, std::atol(id.c_str()) % 2000000000);
    return hoechste + 1;
}

}  // namespace

// --- Comment ------------------------------------------------------------------------------------

Comment::Comment(std::shared_ptr<Kern> kern, std::string id) : kern_(std::move(kern)), id_(std::move(id)) {}

Kern& Comment::kern() const {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *kern_;
}

word::Range Comment::Range() const {
    Kern& k = kern();
    pugi::xml_node knoten = k.KommentarKnoten(id_);
    if (!knoten) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Der Kommentar wurde gelöscht");
    int sid = k.StoryVon(knoten);
    const auto& c = k.cache(sid);
    long ende = c.Laenge();
    if (ende > 0 && c.text.back() == U'\r') --ende;
    return word::Range(kern_, k.NeuerBereich(sid, 0, ende));
}

std::string Comment::Text() const { return Range().Text(); }

word::Range Comment::Reference() const {
    DokumentStoerung.Punkt("Comment.Reference", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    int sid = 0;
    long a = 0, e = 0;
    if (!k.KommentarAnker(id_, sid, a, e))
        throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Der Kommentar ist an keiner Stelle verankert");
    return word::Range(kern_, k.NeuerBereich(sid, a, e));
}

void Comment::Delete() {
    DokumentStoerung.Punkt("Comment.Delete", fehlernummer::NichtVerfuegbar);
    kern().KommentarEntfernen(id_);
}

// --- Comments -----------------------------------------------------------------------------------

Comments::Comments(std::shared_ptr<Kern> kern, word::Range filter) : kern_(std::move(kern)), filter_(std::move(filter)) {}

Kern& Comments::kern() const {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *kern_;
}

namespace {
// The comments anchored in the filter range (a collapsed range: anchored at its place), in anchor
// order: [von, bis) of the anchors of the document, found by binary search (the anchors are
// ordered by story, then start), so counting and indexing cost no copy of the list.
struct Auswahl {
    const std::vector<Kern::KommentarStelle>* stellen;
    std::size_t von, bis;
};

Auswahl Gefiltert(Kern& k, const word::Range& filter) {
    if (filter.IstNothing()) {
        const auto& stellen = k.KommentarStellen();
        return {&stellen, 0, stellen.size()};
    }
    const int fs = filter.BereichIntern()->story;
    const long s = filter.Start(), e = filter.End();
    const long bis = s == e ? s + 1 : e;
    const auto& stellen = k.KommentarStellen();
    auto vor = [](const Kern::KommentarStelle& a, const std::pair<int, long>& b) {
        return std::pair<int, long>(a.story, a.start) < b;
    };
    auto von = std::lower_bound(stellen.begin(), stellen.end(), std::pair<int, long>(fs, s), vor);
    auto nach = std::lower_bound(von, stellen.end(), std::pair<int, long>(fs, bis), vor);
    return {&stellen, static_cast<std::size_t>(von - stellen.begin()), static_cast<std::size_t>(nach - stellen.begin())};
}
}  // namespace

long Comments::Count() const {
    Auswahl a = Gefiltert(kern(), filter_);
    return static_cast<long>(a.bis - a.von);
}

Comment Comments::Item(long index) const {
    Auswahl a = Gefiltert(kern(), filter_);
    if (index < 1 || index > static_cast<long>(a.bis - a.von)) throw LaufzeitFehler(fehlernummer::IndexAusserhalb);
    return Comment(kern_, (*a.stellen)[a.von + static_cast<std::size_t>(index) - 1].id);
}

Comment Comments::Add(const word::Range& anker, std::string_view text) {
    DokumentStoerung.Punkt("Comments.Add", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (anker.IstNothing()) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    if (anker.KernIntern() != kern_)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Der Bereich gehört zu einem anderen Dokument");
    int sid = anker.BereichIntern()->story;
    if (pugi::xml_node w = k.story(sid).wurzel; detail::Ist(w, "w:comment"))
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Ein Kommentar kann nicht in einem Kommentar stehen");
    long s = anker.Start(), e = anker.End();
    std::string id = std::to_string(NaechsteKommentarId(k));

    pugi::xml_node wurzel = k.KommentarWurzel(true);
    pugi::xml_node kommentar = wurzel.append_child("w:comment");
    detail::Setzen(kommentar, "w:id", id);
    detail::Setzen(kommentar, "w:author", "vk_lp_08");
    detail::Setzen(kommentar, "w:date", JetztIso());
    detail::Setzen(kommentar, "w:initials", "VK");
    std::string rest(text);
    for (;;) {
        auto schnitt = rest.find_first_of("\r\n");
        std::string teil = rest.substr(0, schnitt);
        pugi::xml_node p = kommentar.append_child("w:p");
        if (!teil.empty()) detail::TextSetzen(p.append_child("w:r").append_child("w:t"), teil);
        if (schnitt == std::string::npos) break;
        if (rest[schnitt] == '\r' && schnitt + 1 < rest.size() && rest[schnitt + 1] == '\n') ++schnitt;
        rest = rest.substr(schnitt + 1);
    }
    k.KommentarHinzugefuegt();

    // whether the story's marks are up to date before these (a stream read anew reads them too)
    const bool markenGueltig = !k.story(sid).gueltig || k.story(sid).markenGueltig;
    pugi::xml_node ende = k.MarkeEinfuegen(sid, e, "w:commentRangeEnd", s != e);
    detail::Setzen(ende, "w:id", id);
    pugi::xml_node start;
    if (s == e) start = ende.parent().insert_child_before("w:commentRangeStart", ende);
    else start = k.MarkeEinfuegen(sid, s, "w:commentRangeStart", false);
    // A range over an empty cell or paragraph has both places at the end of one paragraph, where
    // the start went in after the end: it goes before it, so the range begins before it ends.
    for (pugi::xml_node n = ende.next_sibling(); n; n = n.next_sibling())
        if (n == start) {
            ende.parent().insert_move_before(start, ende);
            break;
        }
    detail::Setzen(start, "w:id", id);
    pugi::xml_node lauf = ende.parent().insert_child_after("w:r", ende);
    pugi::xml_node referenz = lauf.append_child("w:commentReference");
    detail::Setzen(referenz, "w:id", id);
    k.DokumentGeaendert();
    // zero-width marks only: the stream stays, the marks go into its maps
    k.KommentarmarkenEingefuegt(sid, markenGueltig, {start, ende, referenz});
    return Comment(kern_, id);
}

}  // namespace vk::word
