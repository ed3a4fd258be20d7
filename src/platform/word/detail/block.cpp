#include "platform/word/detail/block.h"

#include <algorithm>

#include "common/fehler.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

std::vector<pugi::xml_node> Zeilen(pugi::xml_node tbl) {
    std::vector<pugi::xml_node> aus;
    for (pugi::xml_node tr : tbl.children("w:tr")) aus.push_back(tr);
    return aus;
}

std::vector<pugi::xml_node> Zellen(pugi::xml_node tr) {
    std::vector<pugi::xml_node> aus;
    for (pugi::xml_node tc : tr.children("w:tc")) aus.push_back(tc);
    return aus;
}

pugi::xml_node ZelleBei(pugi::xml_node tbl, long zeile, long spalte) {
    if (zeile < 1 || spalte < 1) return {};
    long z = 0;
    for (pugi::xml_node tr : tbl.children("w:tr")) {
        if (++z != zeile) continue;
        long s = 0;
        for (pugi::xml_node tc : tr.children("w:tc"))
            if (++s == spalte) return tc;
        return {};
    }
    return {};
}

long MaxZellen(pugi::xml_node tbl) {
    long m = 0;
    for (pugi::xml_node tr : tbl.children("w:tr")) m = std::max(m, static_cast<long>(Zellen(tr).size()));
    return m;
}

long ZeilenIndex(pugi::xml_node tc) {
    pugi::xml_node tr = tc.parent();
    long z = 0;
    for (pugi::xml_node k : tr.parent().children("w:tr")) {
        ++z;
        if (k == tr) return z;
    }
    return 0;
}

long SpaltenIndex(pugi::xml_node tc) {
    long s = 0;
    for (pugi::xml_node k : tc.parent().children("w:tc")) {
        ++s;
        if (k == tc) return s;
    }
    return 0;
}

std::vector<pugi::xml_node> BlockZellen(const Auswahl& a) {
    std::vector<pugi::xml_node> aus;
    if (!a.tabelle) return aus;
    long z = 0;
    for (pugi::xml_node tr : pugi::xml_node(a.tabelle).children("w:tr")) {
        ++z;
        if (z < a.zeile1 || z > a.zeile2) continue;
        long s = 0;
        for (pugi::xml_node tc : tr.children("w:tc")) {
            ++s;
            if (s >= a.spalte1 && s <= a.spalte2) aus.push_back(tc);
        }
    }
    return aus;
}

void BlockWaehlen(Kern& kern, pugi::xml_node tbl, long z1, long z2, long s1, long s2) {
    int sid = kern.StoryEines(tbl);
    const StoryCache& c = kern.cache(sid);
    auto a = std::make_shared<Auswahl>();
    a->tabelle = tbl.internal_object();
    a->zeile1 = z1;
    a->zeile2 = z2;
    a->spalte1 = s1;
    a->spalte2 = s2;
    long start = -1, ende = -1;
    for (pugi::xml_node tc : BlockZellen(*a)) {
        auto it = c.bereiche.find(tc.internal_object());
        if (it == c.bereiche.end()) continue;
        if (start < 0 || it->second.first < start) start = it->second.first;
        ende = std::max(ende, it->second.second);
    }
    if (start < 0) {
        auto [ts, te] = c.bereiche.at(tbl.internal_object());
        start = ts;
        ende = ts;
    }
    a->bereich = kern.NeuerBereich(sid, start, ende);
    kern.auswahl() = a;
}

bool GanzeTabelle(const Auswahl& a) {
    if (!a.tabelle) return false;
    pugi::xml_node tbl(a.tabelle);
    return a.zeile1 <= 1 && a.zeile2 >= static_cast<long>(Zeilen(tbl).size()) && a.spalte1 <= 1 &&
           a.spalte2 >= MaxZellen(tbl);
}

bool BlockAusBereich(Kern& kern, const Bereich& b, Auswahl& aus) {
    const StoryCache& c = kern.cache(b.story);
    pugi::xml_node tbl;
    long z1 = 0, z2 = 0, s1 = 0, s2 = 0;
    for (auto* z : c.zellen) {
        auto it = c.bereiche.find(z);
        if (it == c.bereiche.end()) continue;
        auto [zs, ze] = it->second;
        bool trifft = b.start == b.ende ? (zs <= b.start && b.start < ze) : (zs < b.ende && b.start < ze);
        if (!trifft) continue;
        pugi::xml_node tc(z);
        pugi::xml_node t = tc.parent().parent();
        // the innermost table wins: a cell of a nested table replaces the outer one's
        if (tbl && t != tbl) {
            bool innen = false;
            for (pugi::xml_node v = t.parent(); v; v = v.parent())
                if (v == tbl) innen = true;
            if (!innen) continue;
            tbl = pugi::xml_node();
        }
        long zi = ZeilenIndex(tc), si = SpaltenIndex(tc);
        if (!tbl) {
            tbl = t;
            z1 = z2 = zi;
            s1 = s2 = si;
        } else {
            z1 = std::min(z1, zi);
            z2 = std::max(z2, zi);
            s1 = std::min(s1, si);
            s2 = std::max(s2, si);
        }
    }
    if (!tbl) return false;
    aus.tabelle = tbl.internal_object();
    aus.zeile1 = z1;
    aus.zeile2 = z2;
    aus.spalte1 = s1;
    aus.spalte2 = s2;
    aus.bereich = nullptr;
    return true;
}

void ZellbreiteSetzen(Kern& kern, pugi::xml_node tc, double punkte) {
    if (!(punkte > 0) || punkte > 22 * 72)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Breite");
    pugi::xml_node tcPr = Eigenschaften(tc, "w:tcPr");
    pugi::xml_node tcW = Kind(tcPr, "w:tcW", kTcPr);
    Setzen(tcW, "w:w", PunkteNachTwips(punkte));
    Setzen(tcW, "w:type", "dxa");
    kern.GitterVormerken(tc.parent().parent());
    kern.DokumentGeaendert();
}

}  // namespace vk::word::detail
