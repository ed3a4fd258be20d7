#include "platform/word/selection.h"

#include <algorithm>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/block.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/utf.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

Selection::Selection(std::shared_ptr<Kern> kern) : kern_(std::move(kern)) {}

Kern& Selection::kern() const {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    auto& a = kern_->auswahl();
    bool storyLebt = true;
    try {
        kern_->story(a->bereich->story);
    } catch (const LaufzeitFehler&) {
        storyLebt = false;
    }
    // a block whose table is gone keeps its (collapsed) range; a range in a removed story goes to the start
    if (!storyLebt || (a->tabelle && !kern_->Lebt(pugi::xml_node(a->tabelle)))) {
        auto neu = std::make_shared<detail::Auswahl>();
        neu->bereich = storyLebt ? a->bereich : kern_->NeuerBereich(Kern::kHaupttext, 0, 0);
        a = neu;
    }
    return *kern_;
}

namespace {
// The range handle over the selection's own live extent.
word::Range Eigener(const std::shared_ptr<Kern>& k) { return word::Range(k, k->auswahl()->bereich); }

void BlockAufheben(Kern& k) { k.auswahl()->tabelle = nullptr; }
}  // namespace

word::Tables Selection::Tables() const {
    Kern& k = kern();
    auto& a = *k.auswahl();
    if (a.tabelle) {
        // the outermost table holding the block
        pugi::xml_node t(a.tabelle);
        for (pugi::xml_node v = t.parent(); v; v = v.parent())
            if (detail::Ist(v, "w:tbl")) t = v;
        return word::Tables(kern_, {t.internal_object()}, false);
    }
    return Eigener(kern_).Tables();
}

word::Range Selection::Range() const {
    kern();
    return Eigener(kern_).Duplicate();
}

word::Cells Selection::Cells() const {
    Kern& k = kern();
    detail::Auswahl block = *k.auswahl();
    if (!block.tabelle && !detail::BlockAusBereich(k, *block.bereich, block)) return word::Cells(kern_, {});
    std::vector<pugi::xml_node_struct*> zellen;
    for (pugi::xml_node tc : detail::BlockZellen(block)) zellen.push_back(tc.internal_object());
    return word::Cells(kern_, std::move(zellen));
}

word::Borders Selection::Borders() const {
    Kern& k = kern();
    auto block = std::make_shared<detail::Auswahl>(*k.auswahl());
    if (!block->tabelle && !detail::BlockAusBereich(k, *block->bereich, *block))
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Rahmen gibt es hier nur für Tabellenzellen");
    return word::Borders(kern_, block);
}

word::ParagraphFormat Selection::ParagraphFormat() const {
    Kern& k = kern();
    auto& a = *k.auswahl();
    if (!a.tabelle) return Eigener(kern_).ParagraphFormat();
    std::vector<pugi::xml_node_struct*> absaetze;
    int sid = a.bereich->story;
    const auto& c = k.cache(sid);
    for (pugi::xml_node tc : detail::BlockZellen(a)) {
        auto [zs, ze] = c.bereiche.at(tc.internal_object());
        for (pugi::xml_node p : k.AbsaetzeIn(sid, zs, ze - 1)) {
            if (std::find(absaetze.begin(), absaetze.end(), p.internal_object()) == absaetze.end())
                absaetze.push_back(p.internal_object());
        }
    }
    return word::ParagraphFormat(kern_, std::move(absaetze));
}

void Selection::SetFontSize(double punkte) {
    Kern& k = kern();
    auto a = *k.auswahl();
    if (!a.tabelle) return Eigener(kern_).SetFontSize(punkte);
    for (pugi::xml_node tc : detail::BlockZellen(a)) word::Cell(kern_, tc.internal_object()).Range().SetFontSize(punkte);
}

void Selection::SetBold(int wert) {
    Kern& k = kern();
    auto a = *k.auswahl();
    if (!a.tabelle) return Eigener(kern_).SetBold(wert);
    for (pugi::xml_node tc : detail::BlockZellen(a)) word::Cell(kern_, tc.internal_object()).Range().SetBold(wert);
}

long Selection::Start() const { return kern(), kern_->auswahl()->bereich->start; }
long Selection::End() const { return kern(), kern_->auswahl()->bereich->ende; }
std::string Selection::Text() const { return kern(), Eigener(kern_).Text(); }

long Selection::MoveEnd(int einheit, long anzahl) {
    DokumentStoerung.Punkt("Selection.MoveEnd", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    BlockAufheben(k);
    return Eigener(kern_).MoveEnd(einheit, anzahl);
}

long Selection::MoveDown(int einheit, long anzahl, int erweitern) {
    DokumentStoerung.Punkt("Selection.MoveDown", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (einheit != wdLine && einheit != wdParagraph)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Nicht unterstützte Einheit");
    if (anzahl < 0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Anzahl");
    auto a = *k.auswahl();
    if (!a.tabelle) {
        detail::Auswahl block;
        if (detail::BlockAusBereich(k, *a.bereich, block)) {
            block.bereich = a.bereich;
            a = block;
        }
    }
    if (a.tabelle) {
        pugi::xml_node tbl(a.tabelle);
        long zeilen = static_cast<long>(detail::Zeilen(tbl).size());
        long ziel = std::min(zeilen, a.zeile2 + anzahl);
        long bewegt = ziel - a.zeile2;
        if (erweitern == wdExtend) {
            detail::BlockWaehlen(k, tbl, a.zeile1, ziel, a.spalte1, a.spalte2);
        } else {
            pugi::xml_node tc = detail::ZelleBei(tbl, ziel, a.spalte1);
            if (!tc) tc = detail::ZelleBei(tbl, ziel, 1);
            auto bereich = k.NeuerBereich(k.StoryEines(tbl), 0, 0);
            const auto& c = k.cache(bereich->story);
            bereich->start = bereich->ende = c.bereiche.at(tc.internal_object()).first;
            auto neu = std::make_shared<detail::Auswahl>();
            neu->bereich = bereich;
            k.auswahl() = neu;
        }
        return bewegt;
    }
    word::Range r = Eigener(kern_);
    if (erweitern == wdExtend) return r.MoveEnd(wdParagraph, anzahl);
    r.Collapse(wdCollapseEnd);
    long bewegt = r.MoveEnd(wdParagraph, anzahl);
    r.Collapse(wdCollapseEnd);
    return bewegt;
}

void Selection::Collapse(int richtung) {
    Kern& k = kern();
    BlockAufheben(k);
    Eigener(kern_).Collapse(richtung);
}

void Selection::TypeText(std::string_view text) {
    DokumentStoerung.Punkt("Selection.TypeText", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    BlockAufheben(k);
    auto bereich = k.auswahl()->bereich;
    long a = bereich->start;
    if (bereich->ende > a) k.Loeschen(bereich->story, a, bereich->ende, bereich.get());
    long n = k.TextEinfuegen(bereich->story, a, detail::NachU32(text), bereich.get());
    bereich->start = bereich->ende = a + n;
}

// --- Cells --------------------------------------------------------------------------------------

Cells::Cells(std::shared_ptr<Kern> kern, std::vector<pugi::xml_node_struct*> zellen)
    : kern_(std::move(kern)), zellen_(std::move(zellen)) {}

long Cells::Count() const { return static_cast<long>(zellen_.size()); }

Cell Cells::Item(long index) const {
    if (index < 1 || index > Count()) throw LaufzeitFehler(fehlernummer::IndexAusserhalb);
    return Cell(kern_, zellen_[static_cast<std::size_t>(index) - 1]);
}

void Cells::SetWidth(double punkte, int linealstil) {
    for (auto* z : zellen_) Cell(kern_, z).SetWidth(punkte, linealstil);
}

}  // namespace vk::word
