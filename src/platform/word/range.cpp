#include "platform/word/range.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/comment.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/utf.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"
#include "platform/word/paragraph_format.h"
#include "platform/word/table.h"

namespace vk::word {

using detail::Kern;

namespace {

bool Wortzeichen(char32_t z) {
    if (z < 0x80) return std::isalnum(static_cast<int>(z)) || z == U'_';
    return z != 0xA0 && z != 0x20AC;  // letters of other scripts; the euro sign stands alone
}

bool Marke(const std::u32string& t, long i) {  // "\r\a" pair starting at i
    return i + 1 < static_cast<long>(t.size()) && t[static_cast<std::size_t>(i)] == U'\r' &&
           t[static_cast<std::size_t>(i) + 1] == U'\a';
}

// One word forwards from p: the word (or one other character or mark) and the blanks after it.
long WortVor(const std::u32string& t, long p) {
    long n = static_cast<long>(t.size());
    if (p >= n) return n;
    if (Marke(t, p)) return p + 2;
    char32_t z = t[static_cast<std::size_t>(p)];
    if (z == U'\r' || z == U'\a' || z == U'\t' || z == U'\v') return p + 1;
    if (Wortzeichen(z)) {
        while (p < n && Wortzeichen(t[static_cast<std::size_t>(p)])) ++p;
    } else if (z != U' ') {
        ++p;
    }
    while (p < n && t[static_cast<std::size_t>(p)] == U' ') ++p;
    return p;
}

// One word backwards from p.
long WortZurueck(const std::u32string& t, long p) {
    if (p <= 0) return 0;
    if (p >= 2 && Marke(t, p - 2)) return p - 2;
    long q = p;
    while (q > 0 && t[static_cast<std::size_t>(q) - 1] == U' ') --q;
    if (q == 0) return 0;
    char32_t z = t[static_cast<std::size_t>(q) - 1];
    if (q < p && (z == U'\r' || z == U'\a' || z == U'\t' || z == U'\v')) return q;  // the blanks were a word
    if (Wortzeichen(z)) {
        while (q > 0 && Wortzeichen(t[static_cast<std::size_t>(q) - 1])) --q;
        return q;
    }
    return q - 1;
}

long AbsatzVor(const std::u32string& t, long p) {
    long n = static_cast<long>(t.size());
    while (p < n) {
        if (Marke(t, p)) return p + 2;
        if (t[static_cast<std::size_t>(p)] == U'\r') return p + 1;
        ++p;
    }
    return n;
}

long AbsatzZurueck(const std::u32string& t, long p) {
    if (p <= 0) return 0;
    --p;  // step over the mark before p (or into the paragraph)
    if (p > 0 && t[static_cast<std::size_t>(p)] == U'\a') --p;
    while (p > 0) {
        char32_t z = t[static_cast<std::size_t>(p) - 1];
        if (z == U'\r' || z == U'\a') return p;
        --p;
    }
    return 0;
}

}  // namespace

// Moves a position by units; returns the new position and the units actually moved.
static long Bewegen(const std::u32string& t, long p, int einheit, long anzahl, long& bewegt) {
    bewegt = 0;
    long n = static_cast<long>(t.size());
    if (einheit == wdCharacter) {
        long ziel = std::clamp(p + anzahl, 0L, n);
        bewegt = ziel - p;
        return ziel;
    }
    if (einheit != wdWord && einheit != wdParagraph)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Nicht unterstützte Einheit");
    for (long i = 0; i < std::labs(anzahl); ++i) {
        long q = anzahl > 0 ? (einheit == wdWord ? WortVor(t, p) : AbsatzVor(t, p))
                            : (einheit == wdWord ? WortZurueck(t, p) : AbsatzZurueck(t, p));
        if (q == p) break;
        p = q;
        bewegt += anzahl > 0 ? 1 : -1;
    }
    return p;
}

Range::Range(std::shared_ptr<Kern> kern, std::shared_ptr<detail::Bereich> bereich)
    : kern_(std::move(kern)), bereich_(std::move(bereich)) {}

Kern& Range::kern() const {
    if (!kern_ || !bereich_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *kern_;
}

std::string Range::Text() const {
    DokumentStoerung.Punkt("Range.Text", fehlernummer::NichtVerfuegbar);
    const auto& c = kern().cache(bereich_->story);
    long a = std::clamp(bereich_->start, 0L, c.Laenge());
    long b = std::clamp(bereich_->ende, a, c.Laenge());
    return detail::NachUtf8(std::u32string_view(c.text).substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)));
}

void Range::SetText(std::string_view text) {
    DokumentStoerung.Punkt("Range.Text =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    long a = bereich_->start;
    if (bereich_->ende > a) k.Loeschen(bereich_->story, a, bereich_->ende, bereich_.get());
    long n = k.TextEinfuegen(bereich_->story, a, detail::NachU32(text), bereich_.get());
    bereich_->start = a;
    bereich_->ende = a + n;
}

long Range::Start() const { return kern(), bereich_->start; }
long Range::End() const { return kern(), bereich_->ende; }
long Range::StoryLength() const { return kern().cache(bereich_->story).Laenge(); }

void Range::SetRange(long start, long ende) {
    long n = StoryLength();
    bereich_->start = std::clamp(start, 0L, n);
    bereich_->ende = std::clamp(ende, bereich_->start, n);
}
void Range::SetStart(long position) {
    long n = StoryLength();
    bereich_->start = std::clamp(position, 0L, n);
    if (bereich_->ende < bereich_->start) bereich_->ende = bereich_->start;
}
void Range::SetEnd(long position) {
    long n = StoryLength();
    bereich_->ende = std::clamp(position, 0L, n);
    if (bereich_->start > bereich_->ende) bereich_->start = bereich_->ende;
}

void Range::Collapse(int richtung) {
    kern();
    if (richtung == wdCollapseStart) bereich_->ende = bereich_->start;
    else bereich_->start = bereich_->ende;
}

long Range::MoveStart(int einheit, long anzahl) {
    DokumentStoerung.Punkt("Range.MoveStart", fehlernummer::NichtVerfuegbar);
    const auto& c = kern().cache(bereich_->story);
    long bewegt = 0;
    bereich_->start = Bewegen(c.text, bereich_->start, einheit, anzahl, bewegt);
    if (bereich_->ende < bereich_->start) bereich_->ende = bereich_->start;
    return bewegt;
}

long Range::MoveEnd(int einheit, long anzahl) {
    DokumentStoerung.Punkt("Range.MoveEnd", fehlernummer::NichtVerfuegbar);
    const auto& c = kern().cache(bereich_->story);
    long bewegt = 0;
    bereich_->ende = Bewegen(c.text, bereich_->ende, einheit, anzahl, bewegt);
    if (bereich_->start > bereich_->ende) bereich_->start = bereich_->ende;
    return bewegt;
}

void Range::InsertParagraphBefore() { InsertBefore("\r"); }
void Range::InsertParagraphAfter() { InsertAfter("\r"); }

void Range::InsertAfter(std::string_view text) {
    DokumentStoerung.Punkt("Range.InsertAfter", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    const auto& c = k.cache(bereich_->story);
    long pos = std::min(bereich_->ende, c.Laenge());
    // a cell's range ends after its end-of-cell mark: the text goes before the mark
    if (pos >= 2) {
        std::size_t i = c.Finde(pos - 1);
        if (i < c.stuecke.size() && c.stuecke[i].art == detail::StueckArt::Zellende && c.stuecke[i].start + 2 == pos)
            pos -= 2;
    }
    long start = bereich_->start, ende = bereich_->ende;
    long n = k.TextEinfuegen(bereich_->story, pos, detail::NachU32(text), bereich_.get());
    bereich_->start = start;
    bereich_->ende = ende + n;
}

void Range::InsertBefore(std::string_view text) {
    DokumentStoerung.Punkt("Range.InsertBefore", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    long start = bereich_->start, ende = bereich_->ende;
    long n = k.TextEinfuegen(bereich_->story, start, detail::NachU32(text), bereich_.get());
    bereich_->start = start;
    bereich_->ende = ende + n;
}

namespace {

void SchalterSetzen(pugi::xml_node rPr, const char* name, bool an) {
    pugi::xml_node e = detail::Kind(rPr, name, detail::kRPr);
    if (an) e.remove_attribute("w:val");
    else detail::Setzen(e, "w:val", "0");
}

pugi::xml_node MarkenRPr(pugi::xml_node p) {
    return detail::Kind(detail::Eigenschaften(p, "w:pPr"), "w:rPr", detail::kPPr);
}

}  // namespace

void Range::SetBold(int wert) {
    DokumentStoerung.Punkt("Range.Bold =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    bool an = wert != 0;
    std::vector<pugi::xml_node> marken;
    auto laeufe = k.LaeufeIn(bereich_->story, bereich_->start, bereich_->ende, &marken);
    for (pugi::xml_node r : laeufe) {
        pugi::xml_node rPr = detail::Eigenschaften(r, "w:rPr");
        SchalterSetzen(rPr, "w:b", an);
        SchalterSetzen(rPr, "w:bCs", an);
        k.GeaendertBei(r);
    }
    for (pugi::xml_node p : marken) {
        pugi::xml_node rPr = MarkenRPr(p);
        SchalterSetzen(rPr, "w:b", an);
        SchalterSetzen(rPr, "w:bCs", an);
        k.GeaendertBei(p);
    }
}

int Range::Bold() const {
    Kern& k = kern();
    std::vector<pugi::xml_node> marken;
    auto laeufe = k.LaeufeIn(bereich_->story, bereich_->start, bereich_->ende, &marken);
    int fett = 0, normal = 0;
    for (pugi::xml_node r : laeufe) (detail::AnAus(r.child("w:rPr").child("w:b")) ? fett : normal)++;
    if (laeufe.empty())
        for (pugi::xml_node p : marken)
            (detail::AnAus(p.child("w:pPr").child("w:rPr").child("w:b")) ? fett : normal)++;
    if (fett && normal) return wdUndefined;
    return fett ? wdTrue : wdFalse;
}

void Range::SetFontSize(double punkte) {
    DokumentStoerung.Punkt("Range.Font.Size =", fehlernummer::NichtVerfuegbar);
    if (!(punkte >= 1 && punkte <= 1638)) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Schriftgröße");
    Kern& k = kern();
    long halbe = std::lround(punkte * 2);
    std::vector<pugi::xml_node> marken;
    auto laeufe = k.LaeufeIn(bereich_->story, bereich_->start, bereich_->ende, &marken);
    auto setzen = [&](pugi::xml_node rPr) {
        detail::Setzen(detail::Kind(rPr, "w:sz", detail::kRPr), "w:val", halbe);
        detail::Setzen(detail::Kind(rPr, "w:szCs", detail::kRPr), "w:val", halbe);
    };
    for (pugi::xml_node r : laeufe) {
        setzen(detail::Eigenschaften(r, "w:rPr"));
        k.GeaendertBei(r);
    }
    for (pugi::xml_node p : marken) {
        setzen(MarkenRPr(p));
        k.GeaendertBei(p);
    }
}

double Range::FontSize() const {
    Kern& k = kern();
    std::vector<pugi::xml_node> marken;
    auto laeufe = k.LaeufeIn(bereich_->story, bereich_->start, bereich_->ende, &marken);
    double groesse = -1;
    auto lesen = [&](pugi::xml_node rPr) {
        double g = detail::Zahl(rPr.child("w:sz").attribute("w:val").value()) / 2.0;
        if (groesse < 0) groesse = g;
        else if (groesse != g) groesse = 0;
    };
    for (pugi::xml_node r : laeufe) lesen(r.child("w:rPr"));
    if (laeufe.empty())
        for (pugi::xml_node p : marken) lesen(p.child("w:pPr").child("w:rPr"));
    return groesse < 0 ? 0 : groesse;
}

void Range::Delete() {
    DokumentStoerung.Punkt("Range.Delete", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    long a = bereich_->start;
    k.Loeschen(bereich_->story, a, bereich_->ende, bereich_.get());
    bereich_->start = bereich_->ende = a;
}

void Range::Select() const {
    DokumentStoerung.Punkt("Range.Select", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    auto a = std::make_shared<detail::Auswahl>();
    a->bereich = k.NeuerBereich(bereich_->story, bereich_->start, bereich_->ende);
    k.auswahl() = a;
}

word::Comments Range::Comments() const {
    kern();
    return word::Comments(kern_, *this);
}

word::Tables Range::Tables() const {
    Kern& k = kern();
    const auto& c = k.cache(bereich_->story);
    std::vector<pugi::xml_node_struct*> liste;
    for (auto* t : c.tabellen) {
        auto [ts, te] = c.bereiche.at(t);
        bool trifft = bereich_->start == bereich_->ende ? (ts <= bereich_->start && bereich_->start < te)
                                                        : (ts < bereich_->ende && bereich_->start < te);
        if (trifft) liste.push_back(t);
    }
    return word::Tables(kern_, std::move(liste), false);
}

word::ParagraphFormat Range::ParagraphFormat() const {
    Kern& k = kern();
    std::vector<pugi::xml_node_struct*> liste;
    for (pugi::xml_node p : k.AbsaetzeIn(bereich_->story, bereich_->start, bereich_->ende))
        liste.push_back(p.internal_object());
    return word::ParagraphFormat(kern_, std::move(liste));
}

Range Range::Duplicate() const {
    Kern& k = kern();
    return Range(kern_, k.NeuerBereich(bereich_->story, bereich_->start, bereich_->ende));
}

bool Range::IsEqual(const Range& andere) const {
    if (!bereich_ || !andere.bereich_) return false;
    return kern_ == andere.kern_ && bereich_->story == andere.bereich_->story &&
           bereich_->start == andere.bereich_->start && bereich_->ende == andere.bereich_->ende;
}

bool Range::InRange(const Range& andere) const {
    if (!bereich_ || !andere.bereich_) return false;
    return kern_ == andere.kern_ && bereich_->story == andere.bereich_->story &&
           bereich_->start >= andere.bereich_->start && bereich_->ende <= andere.bereich_->ende;
}

}  // namespace vk::word
