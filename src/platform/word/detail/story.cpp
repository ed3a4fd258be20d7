#include "platform/word/detail/story.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/word/detail/utf.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

std::size_t StoryCache::Finde(long position) const {
    auto it = std::upper_bound(stuecke.begin(), stuecke.end(), position,
                               [](long p, const Stueck& s) { return p < s.start; });
    if (it == stuecke.begin()) return stuecke.size();
    --it;
    if (position < it->start + it->laenge) return static_cast<std::size_t>(it - stuecke.begin());
    return stuecke.size();
}

void StoryCache::Leeren() {
    text.clear();
    stuecke.clear();
    bereiche.clear();
    absaetze.clear();
    tabellen.clear();
    alleTabellen.clear();
    zellen.clear();
    kommentarStart.clear();
    kommentarEnde.clear();
    kommentarReferenz.clear();
    textmarkeStart.clear();
    textmarkeEnde.clear();
    textmarkeId.clear();
    textmarkenNamen.clear();
    markenDoppelt = false;
}

namespace {

class Leser {
public:
    explicit Leser(StoryCache& c, long basis = 0) : c_(c), basis_(basis) {}

    void Block(pugi::xml_node eltern, pugi::xml_node letzterAbsatzInZelle) {
        for (pugi::xml_node k = eltern.first_child(); k; k = k.next_sibling()) Blockelement(k, letzterAbsatzInZelle);
    }

    void AbsatzLesen(pugi::xml_node p, bool letzterInZelle) { Absatz(p, letzterInZelle); }

    void Blockelement(pugi::xml_node k, pugi::xml_node letzterAbsatzInZelle) {
        if (!IstElement(k)) return;
        const char* n = k.name();
        if (NameIst(n, "w:p")) {
            Absatz(k, k == letzterAbsatzInZelle);
        } else if (NameIst(n, "w:tbl")) {
            Tabelle(k);
        } else if (NameIst(n, "w:sdt")) {
            Block(k.child("w:sdtContent"), letzterAbsatzInZelle);
        } else if (NameIst(n, "w:customXml") || NameIst(n, "w:ins") || NameIst(n, "w:moveTo")) {
            Block(k, letzterAbsatzInZelle);
        } else {
            Marken(k);
        }
    }

private:
    void Neu(StueckArt art, long laenge, pugi::xml_node knoten, pugi::xml_node absatz, std::u32string_view zeichen) {
        Stueck s;
        s.start = pos();
        s.laenge = laenge;
        s.art = art;
        s.knoten = knoten.internal_object();
        s.absatz = absatz.internal_object();
        c_.stuecke.push_back(s);
        c_.text.append(zeichen);
    }
    long pos() const { return basis_ + static_cast<long>(c_.text.size()); }

    void Merken(std::unordered_map<std::string, Marke>& karte, const std::string& schluessel, pugi::xml_node k) {
        folge_ += kFolgeSchritt;
        auto [it, neu] = karte.insert_or_assign(schluessel, Marke{pos(), k.internal_object(), folge_});
        (void)it;
        if (!neu) c_.markenDoppelt = true;
    }

    void Marken(pugi::xml_node k) {
        const char* n = k.name();
        // every mark this reads is named w:comment... or w:bookmark...
        if (std::strncmp(n, "w:comment", 9) != 0 && std::strncmp(n, "w:bookmark", 10) != 0) [[likely]]
            return;
        std::string id = k.attribute("w:id").value();
        if (NameIst(n, "w:commentRangeStart")) Merken(c_.kommentarStart, id, k);
        else if (NameIst(n, "w:commentRangeEnd")) Merken(c_.kommentarEnde, id, k);
        else if (NameIst(n, "w:commentReference")) Merken(c_.kommentarReferenz, id, k);
        else if (NameIst(n, "w:bookmarkStart")) {
            std::string name = k.attribute("w:name").value();
            if (!c_.textmarkeStart.count(name)) c_.textmarkenNamen.push_back(name);
            Merken(c_.textmarkeStart, name, k);
            c_.textmarkeId[name] = id;
        } else if (NameIst(n, "w:bookmarkEnd")) {
            Merken(c_.textmarkeEnde, id, k);
        }
    }

    void Absatz(pugi::xml_node p, bool letzterInZelle) {
        long start = pos();
        c_.absaetze.push_back(p.internal_object());
        Inline(p, p);
        if (!letzterInZelle) Neu(StueckArt::Absatzende, 1, p, p, U"\r");
        c_.bereiche.Anhaengen(p.internal_object(), {start, letzterInZelle ? pos() + 2 : pos()});
    }

    void Inline(pugi::xml_node eltern, pugi::xml_node p) {
        for (pugi::xml_node k = eltern.first_child(); k; k = k.next_sibling()) {
            if (!IstElement(k)) continue;
            const char* n = k.name();
            if (NameIst(n, "w:r")) {
                Lauf(k, p);
            } else if (NameIst(n, "w:hyperlink") || NameIst(n, "w:smartTag") || NameIst(n, "w:ins") || NameIst(n, "w:customXml") ||
                       NameIst(n, "w:fldSimple") || NameIst(n, "w:moveTo") || NameIst(n, "w:dir") || NameIst(n, "w:bdo")) {
                Inline(k, p);
            } else if (NameIst(n, "w:sdt")) {
                Inline(k.child("w:sdtContent"), p);
            } else if (NameIst(n, "w:pPr") || NameIst(n, "w:del") || NameIst(n, "w:moveFrom")) {
                continue;
            } else {
                Marken(k);
            }
        }
    }

    void Lauf(pugi::xml_node r, pugi::xml_node p) {
        for (pugi::xml_node k = r.first_child(); k; k = k.next_sibling()) {
            if (!IstElement(k)) continue;
            const char* n = k.name();
            if (NameIst(n, "w:t")) {
                // decoded straight into the stream: no copies of the text on the way
                const long start = pos();
                for (pugi::xml_node d = k.first_child(); d; d = d.next_sibling())
                    if (d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata) U32Anhaengen(c_.text, d.value());
                if (pos() > start) c_.stuecke.push_back(Stueck{start, pos() - start, StueckArt::Text, k.internal_object(), p.internal_object()});
            } else if (NameIst(n, "w:tab") || NameIst(n, "w:ptab")) {
                Neu(StueckArt::Zeichen, 1, k, p, U"\t");
            } else if (NameIst(n, "w:br")) {
                std::string_view typ = k.attribute("w:type").value();
                Neu(StueckArt::Zeichen, 1, k, p, typ == "page" || typ == "column" ? U"\f" : U"\v");
            } else if (NameIst(n, "w:cr")) {
                Neu(StueckArt::Zeichen, 1, k, p, U"\v");
            } else if (NameIst(n, "w:noBreakHyphen")) {
                Neu(StueckArt::Zeichen, 1, k, p, U"\x1e");
            } else if (NameIst(n, "w:softHyphen")) {
                Neu(StueckArt::Zeichen, 1, k, p, U"\x1f");
            } else if (NameIst(n, "w:sym")) {
                Neu(StueckArt::Zeichen, 1, k, p, U"(");
            } else if (NameIst(n, "w:footnoteReference") || NameIst(n, "w:endnoteReference")) {
                Neu(StueckArt::Zeichen, 1, k, p, U"\x02");
            } else if (NameIst(n, "w:object") || (NameIst(n, "w:drawing") && k.child("wp:inline"))) {
                Neu(StueckArt::Zeichen, 1, k, p, U"\x01");
            } else if (NameIst(n, "w:commentReference")) {
                Marken(k);
            }
        }
    }

    void Tabelle(pugi::xml_node tbl) {
        long start = pos();
        bool aussen = tiefe_ == 0;
        c_.alleTabellen.push_back(tbl.internal_object());
        ++tiefe_;
        for (pugi::xml_node tr = tbl.first_child(); tr; tr = tr.next_sibling()) {
            if (!Ist(tr, "w:tr")) {
                if (IstElement(tr) && !Ist(tr, "w:tblPr") && !Ist(tr, "w:tblGrid")) Marken(tr);
                continue;
            }
            long zStart = pos();
            pugi::xml_node letzterAbsatz;
            for (pugi::xml_node tc = tr.first_child(); tc; tc = tc.next_sibling()) {
                if (!Ist(tc, "w:tc")) {
                    if (IstElement(tc) && !Ist(tc, "w:trPr") && !Ist(tc, "w:tblPrEx")) Marken(tc);
                    continue;
                }
                long cStart = pos();
                c_.zellen.push_back(tc.internal_object());
                pugi::xml_node letzter = LetztesElement(tc);
                while (letzter && !Ist(letzter, "w:p") && !Ist(letzter, "w:tbl") && letzter != tc.child("w:tcPr"))
                    letzter = VorigesElement(letzter);
                pugi::xml_node letzterP = Ist(letzter, "w:p") ? letzter : pugi::xml_node();
                Block(tc, letzterP);
                letzterAbsatz = letzterP;
                Neu(StueckArt::Zellende, 2, tc, letzterP, U"\r\a");
                c_.bereiche.Anhaengen(tc.internal_object(), {cStart, pos()});
            }
            Neu(StueckArt::Zeilenende, 2, tr, pugi::xml_node(), U"\r\a");
            c_.bereiche.Anhaengen(tr.internal_object(), {zStart, pos()});
        }
        --tiefe_;
        c_.bereiche.Anhaengen(tbl.internal_object(), {start, pos()});
        if (aussen) c_.tabellen.push_back(tbl.internal_object());
    }

    StoryCache& c_;
    long basis_ = 0;
    int tiefe_ = 0;
    long folge_ = 0;
};

}  // namespace

void StoryLesen(pugi::xml_node wurzel, StoryCache& cache, std::size_t xmlGroesse) {
    // A story is read again after most edits, at about its old size: the memory of the last read
    // is used again instead of being freed and allocated anew.
    cache.Leeren();
    // On a first reading the lists are reserved from the part's size, above what WordprocessingML
    // needs (about one character per 20 bytes, one piece per 100, one extent per 70), so they are
    // not copied again and again as they grow: reserved pages that stay unused are never touched.
    if (xmlGroesse > 0) {
        cache.text.reserve(xmlGroesse / 12);
        cache.stuecke.reserve(xmlGroesse / 48);
        cache.bereiche.reserve(xmlGroesse / 32);
        cache.absaetze.reserve(xmlGroesse / 64);
        cache.zellen.reserve(xmlGroesse / 64);
    }
    Leser leser(cache);
    leser.Block(wurzel, pugi::xml_node());
}

void BloeckeLesen(pugi::xml_node erster, pugi::xml_node letzter, long basis, StoryCache& teil) {
    teil.Leeren();
    Leser leser(teil, basis);
    for (pugi::xml_node k = erster; k; k = k.next_sibling()) {
        leser.Blockelement(k, pugi::xml_node());
        if (k == letzter) break;
    }
}

long MarkenStelle(pugi::xml_node p, bool letzterInZelle, long basis, pugi::xml_node marke) {
    StoryCache teil;
    Leser leser(teil, basis);
    leser.AbsatzLesen(p, letzterInZelle);
    for (const auto* karte : {&teil.kommentarStart, &teil.kommentarEnde, &teil.kommentarReferenz, &teil.textmarkeStart,
                              &teil.textmarkeEnde})
        for (const auto& [id, m] : *karte)
            if (m.knoten == marke.internal_object()) return m.position;
    return -1;
}

}  // namespace vk::word::detail
