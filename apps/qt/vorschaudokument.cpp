#include "vorschaudokument.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace vkhost {

namespace {

using vk::word::FormattedParagraph;
constexpr double E = kEinheitenProPunkt;

// The key of a block: every value the layout reads, mixed into one hash.
class Schlüssel {
public:
    template <class T>
    void Mischen(const T& wert) {
        h_ ^= std::hash<T>{}(wert) + 0x9e3779b97f4a7c15ULL + (h_ << 6) + (h_ >> 2);
    }
    void Absätze(const std::vector<FormattedParagraph>& absätze) {
        Mischen(absätze.size());
        for (const FormattedParagraph& a : absätze) {
            Mischen(a.alignment);
            for (const auto& t : a.tabStops) Mischen(t.position), Mischen(t.alignment);
            Mischen(a.runs.size());
            for (const auto& r : a.runs) Mischen(std::string_view(r.text)), Mischen(r.bold), Mischen(r.size), Mischen(std::string_view(r.font));
        }
    }
    std::size_t Wert() const { return h_; }

private:
    std::size_t h_ = 0;
};

class Leser {
public:
    explicit Leser(const vk::word::Document& dokument) : dokument_(dokument) {}

    Vorschaudaten Lesen() {
        Vorschaudaten v;
        const vk::word::PageSetup seite(dokument_);
        v.seitenbreite = seite.PageWidth() * E;
        v.seitenhöhe = seite.PageHeight() * E;
        v.links = seite.LeftMargin() * E;
        v.rechts = seite.RightMargin() * E;
        v.oben = seite.TopMargin() * E;
        v.unten = seite.BottomMargin() * E;
        v.tabstopp = dokument_.Settings().DefaultTabStop() * E;
        long stelle = 0, index = 0;
        for (vk::word::Table t : dokument_.Tables()) {
            ++index;
            const long anfang = t.Range().Start();
            if (anfang > stelle) Hauptabsätze(dokument_.Range(stelle, anfang), v);
            Tabelle(t, index, v);
            stelle = t.Range().End();
        }
        const long ende = dokument_.Content().End();
        if (ende > stelle) Hauptabsätze(dokument_.Range(stelle, ende), v);
        for (vk::word::Shape s : dokument_.Shapes()) Kasten(s, seite, v);
        return v;
    }

private:
    // Each paragraph of the main text a block of its own, as wide as the text.
    void Hauptabsätze(const vk::word::Range& bereich, Vorschaudaten& v) {
        for (FormattedParagraph& a : vk::word::FormattedParagraphs(bereich)) {
            Blockdaten b;
            Zellendaten z;
            z.breite = v.Textbreite();
            z.absätze.push_back(Gefüllt(std::move(a)));
            b.zellen.push_back(std::move(z));
            Abschließen(b);
            v.blöcke.push_back(std::move(b));
        }
    }

    void Tabelle(const vk::word::Table& t, long index, Vorschaudaten& v) {
        const vk::word::TableFormat format = vk::word::TableFormatOf(t);
        for (const vk::word::Row& zeile : t.Rows().Each()) {
            Blockdaten b;
            b.tabelle = index;
            b.zeile = static_cast<int>(zeile.Index());
            b.rahmen = format.borders;
            for (long s = 1; s <= zeile.CellCount(); ++s) {
                const vk::word::Cell zelle = zeile.Cell(s);
                Zellendaten z;
                z.breite = zelle.Width() > 0 ? zelle.Width() * E : 72 * E;  // none: an inch
                for (FormattedParagraph& a : vk::word::FormattedParagraphs(zelle.Range())) z.absätze.push_back(Gefüllt(std::move(a)));
                const bool leer = std::all_of(z.absätze.begin(), z.absätze.end(), [](const auto& a) {
                    return std::all_of(a.runs.begin(), a.runs.end(), [](const auto& r) { return r.text.empty(); });
                });
                if (!leer) {
                    z.randLinks = format.leftCellMargin * E;
                    z.randRechts = format.rightCellMargin * E;
                }
                b.zellen.push_back(std::move(z));
            }
            Abschließen(b);
            v.blöcke.push_back(std::move(b));
        }
    }

    void Kasten(const vk::word::Shape& s, const vk::word::PageSetup& seite, Vorschaudaten& v) {
        if (!s.TextFrame().HasText()) return;
        Kastendaten k;
        const double links = s.RelativeHorizontalPosition() == vk::word::wdRelativeHorizontalPositionPage ? 0 : seite.LeftMargin();
        const double oben = s.RelativeVerticalPosition() == vk::word::wdRelativeVerticalPositionPage ? 0 : seite.TopMargin();
        k.rahmen = QRectF((links + s.Left()) * E, (oben + s.Top()) * E, s.Width() * E, s.Height() * E);
        k.linie = s.Line().Visible();
        for (FormattedParagraph& a : vk::word::FormattedParagraphs(s.TextFrame().TextRange())) k.absätze.push_back(Gefüllt(std::move(a)));
        v.kästen.push_back(std::move(k));
    }

    // An empty paragraph is one line of the text before it high: it gets a run without text in
    // that text's font.
    FormattedParagraph Gefüllt(FormattedParagraph a) {
        if (a.runs.empty()) {
            a.runs.push_back(vorher_);
        } else {
            vorher_ = a.runs.back();
            vorher_.text.clear();
        }
        return a;
    }

    static void Abschließen(Blockdaten& b) {
        Schlüssel s;
        s.Mischen(b.rahmen);
        for (const Zellendaten& z : b.zellen) {
            s.Mischen(z.breite), s.Mischen(z.randLinks), s.Mischen(z.randRechts);
            s.Absätze(z.absätze);
        }
        s.Mischen(b.tabelle != 0);  // a decimal tab aligns a number in a cell without a tab before it
        b.schlüssel = s.Wert();
    }

    const vk::word::Document& dokument_;
    vk::word::TextRun vorher_{"", false, 11, ""};
};

}  // namespace

Vorschaudaten VorschauLesen(const vk::word::Document& dokument) { return Leser(dokument).Lesen(); }

}  // namespace vkhost
