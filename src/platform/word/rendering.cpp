#include "platform/word/rendering.h"

#include <map>
#include <string_view>
#include <unordered_map>

#include "common/fehler.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/utf.h"
#include "platform/word/detail/xml.h"
#include "platform/word/document.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

namespace {

constexpr const char* kTypStile = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr int kMaxStilTiefe = 20;  // a basedOn chain longer than this is a loop

double Punkte(pugi::xml_attribute twips, double ersatz) {
    return twips ? detail::TwipsNachPunkte(twips.as_int(0)) : ersatz;
}

// The styles part by id, read where it is: nothing of it is changed.
class Stile {
public:
    explicit Stile(Kern& k) {
        try {
            const std::string& quelle = k.dokumentTeil().name;
            const std::string ziel = k.paket().Beziehungsziel(quelle, kTypStile);
            detail::Teil* teil = ziel.empty() ? nullptr : k.paket().Finden(detail::Paket::ZielTeil(quelle, ziel));
            if (teil) wurzel_ = k.paket().Xml(*teil).document_element();
        } catch (const LaufzeitFehler&) {
            // a styles part that is not XML names no style: the document's own formatting stands alone
        }
        for (pugi::xml_node s : wurzel_.children("w:style")) {
            id_.emplace(s.attribute("w:styleId").value(), s);
            const std::string_view art = s.attribute("w:type").value(), vorgabe = s.attribute("w:default").value();
            if (vorgabe != "1" && vorgabe != "true" && vorgabe != "on") continue;
            if (art == "paragraph" && !standardAbsatz_) standardAbsatz_ = s;
            if (art == "table" && !standardTabelle_) standardTabelle_ = s;
        }
    }

    // The style and the styles it is based on, most specific first.
    std::vector<pugi::xml_node> Kette(std::string_view id) const {
        std::vector<pugi::xml_node> kette;
        pugi::xml_node s = Finden(id);
        while (s && kette.size() < kMaxStilTiefe) {
            kette.push_back(s);
            s = Finden(s.child("w:basedOn").attribute("w:val").value());
        }
        return kette;
    }
    std::vector<pugi::xml_node> AbsatzKette(pugi::xml_node pPr) const {
        pugi::xml_node id = pPr.child("w:pStyle");
        if (id) return Kette(id.attribute("w:val").value());
        return standardAbsatz_ ? Kette(standardAbsatz_.attribute("w:styleId").value()) : std::vector<pugi::xml_node>{};
    }
    // The table's style, or the document's default table style when it names none.
    std::vector<pugi::xml_node> TabellenKette(pugi::xml_node tbl) const {
        pugi::xml_node id = tbl.child("w:tblPr").child("w:tblStyle");
        if (id) return Kette(id.attribute("w:val").value());
        return standardTabelle_ ? Kette(standardTabelle_.attribute("w:styleId").value()) : std::vector<pugi::xml_node>{};
    }
    pugi::xml_node Vorgabe(const char* art) const {
        return wurzel_.child("w:docDefaults").child(art == std::string_view("w:rPr") ? "w:rPrDefault" : "w:pPrDefault").child(art);
    }

private:
    pugi::xml_node Finden(std::string_view id) const {
        if (id.empty()) return {};
        auto it = id_.find(std::string(id));
        return it == id_.end() ? pugi::xml_node() : it->second;
    }

    pugi::xml_node wurzel_;
    std::unordered_map<std::string, pugi::xml_node> id_;
    pugi::xml_node standardAbsatz_;
    pugi::xml_node standardTabelle_;
};

pugi::xml_node TabelleUm(pugi::xml_node knoten) {
    for (pugi::xml_node n = knoten.parent(); n; n = n.parent())
        if (detail::Ist(n, "w:tbl")) return n;
    return {};
}

// Where a property of a paragraph or run is looked up, most specific first.
struct Quellen {
    std::vector<pugi::xml_node> absatz;  // w:pPr elements
    std::vector<pugi::xml_node> lauf;    // w:rPr elements of the paragraph's styles, table style, defaults
};

Quellen QuellenVon(const Stile& stile, pugi::xml_node p) {
    Quellen q;
    pugi::xml_node pPr = p.child("w:pPr");
    q.absatz.push_back(pPr);
    std::vector<pugi::xml_node> tabellenStil;
    if (pugi::xml_node tbl = TabelleUm(p)) tabellenStil = stile.TabellenKette(tbl);
    for (pugi::xml_node s : stile.AbsatzKette(pPr)) {
        q.absatz.push_back(s.child("w:pPr"));
        q.lauf.push_back(s.child("w:rPr"));
    }
    for (pugi::xml_node s : tabellenStil) {
        q.absatz.push_back(s.child("w:pPr"));
        q.lauf.push_back(s.child("w:rPr"));
    }
    q.absatz.push_back(stile.Vorgabe("w:pPr"));
    q.lauf.push_back(stile.Vorgabe("w:rPr"));
    return q;
}

pugi::xml_node Erstes(const std::vector<pugi::xml_node>& quellen, const char* name) {
    for (pugi::xml_node q : quellen)
        if (pugi::xml_node e = q.child(name)) return e;
    return {};
}

int Ausrichtung(const Quellen& q) {
    const std::string_view v = Erstes(q.absatz, "w:jc").attribute("w:val").value();
    if (v == "center") return wdAlignParagraphCenter;
    if (v == "right" || v == "end") return wdAlignParagraphRight;
    if (v == "both" || v == "distribute") return wdAlignParagraphJustify;
    return wdAlignParagraphLeft;
}

// The tab stops in effect: the defaults first, each more specific source adding or clearing stops.
std::vector<TabStopFormat> Tabstopps(const Quellen& q) {
    std::map<long, TabStopFormat> stopps;
    for (auto it = q.absatz.rbegin(); it != q.absatz.rend(); ++it) {
        for (pugi::xml_node t : it->child("w:tabs").children("w:tab")) {
            const long pos = t.attribute("w:pos").as_int(0);
            const std::string_view art = t.attribute("w:val").value();
            if (art == "clear") {
                stopps.erase(pos);
                continue;
            }
            const std::string_view füllung = t.attribute("w:leader").value();
            TabStopFormat f;
            f.position = detail::TwipsNachPunkte(pos);
            f.alignment = art == "center" ? wdAlignTabCenter
                          : (art == "right" || art == "end") ? wdAlignTabRight
                          : art == "decimal" ? wdAlignTabDecimal
                          : art == "bar" ? 4 : wdAlignTabLeft;
            f.leader = füllung == "dot" ? wdTabLeaderDots : füllung == "hyphen" ? 2 : füllung == "underscore" ? 3 : wdTabLeaderSpaces;
            stopps[pos] = f;
        }
    }
    std::vector<TabStopFormat> aus;
    for (const auto& [pos, f] : stopps) aus.push_back(f);
    return aus;
}

// The formatting of the run holding a character node (w:t, w:tab, w:br, ...).
TextRun LaufFormat(const Stile& stile, const Quellen& q, pugi::xml_node zeichen) {
    pugi::xml_node r = zeichen;
    while (r && !detail::Ist(r, "w:r")) r = r.parent();
    std::vector<pugi::xml_node> quellen;
    pugi::xml_node rPr = r.child("w:rPr");
    quellen.push_back(rPr);
    for (pugi::xml_node s : stile.Kette(rPr.child("w:rStyle").attribute("w:val").value())) quellen.push_back(s.child("w:rPr"));
    quellen.insert(quellen.end(), q.lauf.begin(), q.lauf.end());
    TextRun lauf;
    lauf.bold = detail::AnAus(Erstes(quellen, "w:b"));
    for (pugi::xml_node e : quellen) {
        if (pugi::xml_attribute sz = e.child("w:sz").attribute("w:val")) {
            lauf.size = detail::Zahl(sz.value(), 20) / 2.0;
            break;
        }
    }
    for (pugi::xml_node e : quellen) {
        if (pugi::xml_attribute schrift = e.child("w:rFonts").attribute("w:ascii")) {
            lauf.font = schrift.value();
            break;
        }
    }
    return lauf;
}

// Characters the stream holds for objects and marks: a preview shows hyphens and breaks only.
std::u32string Sichtbar(std::u32string_view zeichen) {
    std::u32string aus;
    for (char32_t z : zeichen) {
        if (z == U'\x1e') aus += U'-';                 // non-breaking hyphen
        else if (z == U'\f') aus += U'\v';             // page or column break
        else if (z == U'\x1f' || z < 9) continue;      // optional hyphen, objects
        else aus += z;
    }
    return aus;
}

}  // namespace

PageSetup::PageSetup(const Document& dokument) {
    Kern& k = *dokument.KernIntern();
    pugi::xml_node sect = k.dokumentXml().document_element().child("w:body").child("w:sectPr");
    pugi::xml_node groesse = sect.child("w:pgSz"), rand = sect.child("w:pgMar");
    breite_ = Punkte(groesse.attribute("w:w"), 595.3);
    hoehe_ = Punkte(groesse.attribute("w:h"), 841.9);
    links_ = Punkte(rand.attribute("w:left"), 56.7);
    rechts_ = Punkte(rand.attribute("w:right"), 56.7);
    oben_ = Punkte(rand.attribute("w:top"), 56.7);
    unten_ = Punkte(rand.attribute("w:bottom"), 56.7);
}

std::vector<FormattedParagraph> FormattedParagraphs(const Range& bereich) {
    if (bereich.IstNothing() || !bereich.KernIntern()) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    Kern& k = *bereich.KernIntern();
    const detail::Bereich& b = *bereich.BereichIntern();
    const std::vector<pugi::xml_node> absätze = k.AbsaetzeIn(b.story, b.start, b.ende);
    const detail::StoryCache& c = k.cache(b.story);
    const Stile stile(k);
    std::vector<FormattedParagraph> aus;
    for (pugi::xml_node p : absätze) {
        auto bereichIt = c.bereiche.find(p.internal_object());
        if (bereichIt == c.bereiche.end()) continue;
        const auto [anfang, ende] = bereichIt->second;
        const Quellen q = QuellenVon(stile, p);
        FormattedParagraph absatz;
        absatz.alignment = Ausrichtung(q);
        absatz.tabStops = Tabstopps(q);
        for (std::size_t i = c.Finde(anfang); i < c.stuecke.size() && c.stuecke[i].start < ende; ++i) {
            const detail::Stueck& s = c.stuecke[i];
            if (s.absatz != p.internal_object()) continue;  // a nested table's paragraph
            if (s.art != detail::StueckArt::Text && s.art != detail::StueckArt::Zeichen) continue;
            const std::u32string text = Sichtbar(std::u32string_view(c.text).substr(static_cast<std::size_t>(s.start),
                                                                                    static_cast<std::size_t>(s.laenge)));
            if (text.empty()) continue;
            TextRun lauf = LaufFormat(stile, q, pugi::xml_node(s.knoten));
            TextRun* letzter = absatz.runs.empty() ? nullptr : &absatz.runs.back();
            if (letzter && letzter->bold == lauf.bold && letzter->size == lauf.size && letzter->font == lauf.font) {
                letzter->text += detail::NachUtf8(text);
            } else {
                lauf.text = detail::NachUtf8(text);
                absatz.runs.push_back(std::move(lauf));
            }
        }
        aus.push_back(std::move(absatz));
    }
    return aus;
}

TableFormat TableFormatOf(const Table& tabelle) {
    if (tabelle.IstNothing()) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    pugi::xml_node tbl(tabelle.KnotenIntern());
    Kern& k = *tabelle.Range().KernIntern();
    const Stile stile(k);
    std::vector<pugi::xml_node> quellen{tbl.child("w:tblPr")};
    for (pugi::xml_node s : stile.TabellenKette(tbl)) quellen.push_back(s.child("w:tblPr"));
    TableFormat f;
    if (pugi::xml_node ränder = Erstes(quellen, "w:tblBorders")) {
        for (pugi::xml_node seite : ränder.children()) {
            const std::string_view linie = seite.attribute("w:val").value();
            if (!linie.empty() && linie != "nil" && linie != "none") f.borders = true;
        }
    }
    if (pugi::xml_node abstand = Erstes(quellen, "w:tblCellMar")) {
        pugi::xml_node links = abstand.child("w:left") ? abstand.child("w:left") : abstand.child("w:start");
        pugi::xml_node rechts = abstand.child("w:right") ? abstand.child("w:right") : abstand.child("w:end");
        f.leftCellMargin = Punkte(links.attribute("w:w"), f.leftCellMargin);
        f.rightCellMargin = Punkte(rechts.attribute("w:w"), f.rightCellMargin);
    }
    return f;
}

}  // namespace vk::word
