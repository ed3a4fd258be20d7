#include "vorschaudokument.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/word/rendering.h"

namespace vkhost {

namespace {

using vk::word::FormattedParagraph;
constexpr double E = kEinheitenProPunkt;
constexpr double kZeilenabstand = 1.15;  // a line of Arial, single spacing, in font sizes

// Where the body text must start lower or on the next page to keep clear of a text box: before a
// paragraph of the main text (by its number among them) or before a row of a table.
struct Umbruch {
    int absatz = -1;      // paragraph number, or -1
    long tabelle = 0;     // table index (1-based), with zeile
    int zeile = 0;
    bool neueSeite = false;
    double abstand = 0;   // space before, when not a new page
};

Qt::Alignment Ausrichtung(int a) {
    switch (a) {
        case vk::word::wdAlignParagraphCenter: return Qt::AlignHCenter;
        case vk::word::wdAlignParagraphRight: return Qt::AlignRight;
        case vk::word::wdAlignParagraphJustify: return Qt::AlignJustify;
        default: return Qt::AlignLeft;
    }
}

QTextOption::Tab Tabstopp(const vk::word::TabStopFormat& t) {
    switch (t.alignment) {
        case vk::word::wdAlignTabCenter: return {t.position * E, QTextOption::CenterTab};
        case vk::word::wdAlignTabRight: return {t.position * E, QTextOption::RightTab};
        case vk::word::wdAlignTabDecimal: return {t.position * E, QTextOption::DelimiterTab, QChar(',')};
        default: return {t.position * E, QTextOption::LeftTab};
    }
}

bool HatDezimaltab(const FormattedParagraph& a) {
    return std::any_of(a.tabStops.begin(), a.tabStops.end(),
                       [](const auto& t) { return t.alignment == vk::word::wdAlignTabDecimal; });
}

class Aufbau {
public:
    Aufbau(const vk::word::Document& dokument, const std::vector<Umbruch>& umbrüche)
        : dokument_(dokument), umbrüche_(umbrüche) {}

    Vorschaudokument Bauen() {
        Vorschaudokument v;
        v.text = std::make_unique<QTextDocument>();
        text_ = v.text.get();
        const vk::word::PageSetup seite(dokument_);
        v.seitenbreite = seite.PageWidth() * E;
        v.seitenhöhe = seite.PageHeight() * E;
        text_->setPageSize(QSizeF(v.seitenbreite, v.seitenhöhe));
        QTextFrameFormat rand = text_->rootFrame()->frameFormat();
        rand.setLeftMargin(seite.LeftMargin() * E);
        rand.setRightMargin(seite.RightMargin() * E);
        rand.setTopMargin(seite.TopMargin() * E);
        rand.setBottomMargin(seite.BottomMargin() * E);
        text_->rootFrame()->setFrameFormat(rand);
        QFont standard("Arial");
        standard.setPixelSize(static_cast<int>(11 * E));
        text_->setDefaultFont(standard);
        leer_.setFont(standard);
        // A word longer than its cell is broken, as the word processor breaks it: the cell keeps
        // its width.
        QTextOption umbruch = text_->defaultTextOption();
        umbruch.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        // A tab without a tab stop of its paragraph goes to the next default stop, as in print.
        umbruch.setTabStopDistance(dokument_.Settings().DefaultTabStop() * E);
        text_->setDefaultTextOption(umbruch);

        QTextCursor c(text_);
        long stelle = 0;
        const vk::word::Tables tabellen = dokument_.Tables();
        for (long i = 1; i <= tabellen.Count(); ++i) {
            const vk::word::Table t = tabellen.Item(i);
            const long anfang = t.Range().Start();
            if (anfang > stelle) Hauptabsätze(vk::word::FormattedParagraphs(dokument_.Range(stelle, anfang)), c);
            v.tabellen.push_back(Tabelle(t, i, c));
            stelle = t.Range().End();
        }
        const long ende = dokument_.Content().End();
        if (ende > stelle) Hauptabsätze(vk::word::FormattedParagraphs(dokument_.Range(stelle, ende)), c);

        TrennabsätzeHöhen();
        for (vk::word::Shape s : dokument_.Shapes()) Kasten(s, seite, v);
        v.seiten = std::max(1, static_cast<int>(std::ceil(text_->documentLayout()->documentSize().height() / v.seitenhöhe - 0.001)));
        return v;
    }

    // The paragraphs of the main text, numbered in order, and the blocks they became.
    const std::vector<int>& AbsatzBlöcke() const { return absatzBlöcke_; }

private:
    // The layout gives an empty block between two tables no room: the empty paragraph that separates
    // two tables gets its line as space above it.
    void TrennabsätzeHöhen() {
        auto inTabelle = [](const QTextBlock& b) { return b.isValid() && QTextCursor(b).currentTable() != nullptr; };
        for (int nummer : absatzBlöcke_) {
            QTextBlock b = text_->findBlockByNumber(nummer);
            if (!b.text().isEmpty() || !inTabelle(b.previous()) || !inTabelle(b.next())) continue;
            QTextBlockFormat f = b.blockFormat();
            f.setTopMargin(f.topMargin() + f.lineHeight());
            QTextCursor(b).setBlockFormat(f);
        }
    }

    void Hauptabsätze(const std::vector<FormattedParagraph>& absätze, QTextCursor& c) {
        for (const FormattedParagraph& a : absätze) {
            const int nummer = static_cast<int>(absatzBlöcke_.size());
            Absatz(a, c, false);
            absatzBlöcke_.push_back(c.block().blockNumber());
            for (const Umbruch& u : umbrüche_) {
                if (u.absatz != nummer) continue;
                QTextBlockFormat f = c.blockFormat();
                if (u.neueSeite) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                else f.setTopMargin(u.abstand);
                c.setBlockFormat(f);
            }
        }
    }

    // One paragraph: into the cursor's block while that is fresh (the document's first, the one after
    // a table, a cell's first), else into a new block.
    void Absatz(const FormattedParagraph& a, QTextCursor& c, bool inZelle) {
        QTextBlockFormat bf;
        // In a table cell a decimal tab stop aligns the number even without a tab before it.
        const bool dezimal = inZelle && HatDezimaltab(a) &&
                             std::none_of(a.runs.begin(), a.runs.end(), [](const auto& r) { return r.text.find('\t') != std::string::npos; });
        bf.setAlignment(dezimal ? Qt::AlignLeft : Ausrichtung(a.alignment));
        QList<QTextOption::Tab> tabs;
        for (const auto& t : a.tabStops) tabs << Tabstopp(t);
        bf.setTabPositions(tabs);
        if (inZelle) {
            bf.setLeftMargin(zellRand_.first);
            bf.setRightMargin(zellRand_.second);
        }
        // An empty paragraph is one line of the text before it high. Its block's character format
        // is not to be touched (see below), so the height is the block's own.
        if (a.runs.empty()) bf.setLineHeight(leer_.font().pixelSize() * kZeilenabstand, QTextBlockFormat::FixedHeight);
        const QTextCharFormat marke = a.runs.empty() ? leer_ : Zeichenformat(a.runs.front());
        if (frisch_) {
            // Not the block's character format: in a cell or after a table that is the format of
            // the cell or frame mark before the block.
            c.setBlockFormat(bf);
            frisch_ = false;
        } else {
            c.insertBlock(bf, marke);
        }
        if (dezimal) c.insertText("\t", marke);
        for (const auto& r : a.runs) {
            QString text = QString::fromStdString(r.text);
            text.replace(QChar('\v'), QChar::LineSeparator);
            c.insertText(text, Zeichenformat(r));
        }
        if (!a.runs.empty()) leer_ = Zeichenformat(a.runs.back());
    }

    QTextCharFormat Zeichenformat(const vk::word::TextRun& r) const {
        QFont schrift = text_->defaultFont();
        if (!r.font.empty()) schrift.setFamily(QString::fromStdString(r.font));
        schrift.setPixelSize(std::max(1, static_cast<int>(std::lround(r.size * E))));
        schrift.setBold(r.bold);
        QTextCharFormat f;
        f.setFont(schrift);
        return f;
    }

    // Each row of the invoice's table becomes a one-row table of its own cells and widths, the rows
    // stacked without a gap. One grid for all rows would need the columns every row's boundaries
    // make, and the layout widens a narrow column to the share of each merged cell's least width.
    std::vector<Vorschaudokument::Tabellenteil> Tabelle(const vk::word::Table& t, long index, QTextCursor& c) {
        const vk::word::TableFormat rahmen = vk::word::TableFormatOf(t);
        std::vector<Vorschaudokument::Tabellenteil> aus;
        const long zeilen = t.Rows().Count();
        for (long r = 1; r <= zeilen; ++r) {
            const vk::word::Row zeile = t.Rows().Item(r);
            QList<QTextLength> breiten;
            double summe = 0;
            for (long s = 1; s <= zeile.CellCount(); ++s) {
                const double breite = zeile.Cell(s).Width() > 0 ? zeile.Cell(s).Width() * E : 72 * E;  // none: an inch
                breiten << QTextLength(QTextLength::FixedLength, breite);
                summe += breite;
            }
            QTextTableFormat f;
            f.setColumnWidthConstraints(breiten);
            f.setWidth(QTextLength(QTextLength::FixedLength, summe));
            f.setCellPadding(0);
            f.setCellSpacing(0);
            f.setMargin(0);
            f.setAlignment(Qt::AlignLeft);
            f.setBorderCollapse(true);
            f.setBorder(rahmen.borders ? 1 : 0);
            f.setBorderStyle(rahmen.borders ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
            for (const Umbruch& u : umbrüche_) {
                if (u.tabelle != index || u.zeile != r) continue;
                if (u.neueSeite) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                else f.setTopMargin(u.abstand);
            }
            if (r > 1) {
                // The block between two rows takes no room.
                QTextBlockFormat schmal;
                schmal.setLineHeight(0, QTextBlockFormat::FixedHeight);
                c.setBlockFormat(schmal);
            }
            QTextTable* q = c.insertTable(1, static_cast<int>(zeile.CellCount()), f);
            for (long s = 1; s <= zeile.CellCount(); ++s) {
                QTextCursor zc = q->cellAt(0, static_cast<int>(s - 1)).firstCursorPosition();
                frisch_ = true;
                const auto absätze = vk::word::FormattedParagraphs(t.Cell(r, s).Range());
                // An empty cell needs no margins: narrow spacer cells would be widened to hold them.
                const bool leer = std::all_of(absätze.begin(), absätze.end(), [](const auto& a) { return a.runs.empty(); });
                zellRand_ = leer ? std::pair{0.0, 0.0} : std::pair{rahmen.leftCellMargin * E, rahmen.rightCellMargin * E};
                for (const FormattedParagraph& a : absätze) Absatz(a, zc, true);
            }
            aus.push_back({q, static_cast<int>(r)});
            c = q->lastCursorPosition();
            c.movePosition(QTextCursor::NextBlock);
            frisch_ = true;
        }
        zellRand_ = {0, 0};
        return aus;
    }

    void Kasten(const vk::word::Shape& s, const vk::word::PageSetup& seite, Vorschaudokument& v) {
        if (!s.TextFrame().HasText()) return;
        Vorschaudokument::Kasten k;
        const double links = s.RelativeHorizontalPosition() == vk::word::wdRelativeHorizontalPositionPage ? 0 : seite.LeftMargin();
        const double oben = s.RelativeVerticalPosition() == vk::word::wdRelativeVerticalPositionPage ? 0 : seite.TopMargin();
        k.rahmen = QRectF((links + s.Left()) * E, (oben + s.Top()) * E, s.Width() * E, s.Height() * E);
        k.linie = s.Line().Visible();
        k.text = std::make_shared<QTextDocument>();
        k.text->setDocumentMargin(3 * E);
        k.text->setDefaultFont(text_->defaultFont());
        k.text->setTextWidth(k.rahmen.width());
        QTextCursor c(k.text.get());
        frisch_ = true;
        for (const FormattedParagraph& a : vk::word::FormattedParagraphs(s.TextFrame().TextRange())) Absatz(a, c, false);
        v.kästen.push_back(std::move(k));
    }

    const vk::word::Document& dokument_;
    const std::vector<Umbruch>& umbrüche_;
    QTextDocument* text_ = nullptr;
    bool frisch_ = true;
    QTextCharFormat leer_;
    std::pair<double, double> zellRand_{0, 0};  // left and right margin of the cell being filled
    std::vector<int> absatzBlöcke_;
};

// The vertical extent of a table row in the laid-out preview.
std::pair<double, double> Zeilenbereich(QAbstractTextDocumentLayout& layout, QTextTable& q, int zeile) {
    double oben = 1e300, unten = -1e300;
    for (int s = 0; s < q.columns(); ++s) {
        const QTextTableCell z = q.cellAt(zeile, s);
        const QRectF a = layout.blockBoundingRect(z.firstCursorPosition().block());
        const QRectF b = layout.blockBoundingRect(z.lastCursorPosition().block());
        oben = std::min(oben, a.top());
        unten = std::max(unten, b.bottom());
    }
    return {oben, unten};
}

// The first place of the body text that runs into a text box, and how to keep it clear.
bool KollisionFinden(const Vorschaudokument& v, const std::vector<int>& absatzBlöcke, std::vector<Umbruch>& umbrüche) {
    QAbstractTextDocumentLayout& layout = *v.text->documentLayout();
    const QTextFrameFormat rand = v.text->rootFrame()->frameFormat();
    for (const Vorschaudokument::Kasten& k : v.kästen) {
        const double seitenOben = k.seite * v.seitenhöhe;
        const double bandOben = seitenOben + k.rahmen.top(), bandUnten = seitenOben + k.rahmen.bottom();
        const double textUnten = seitenOben + v.seitenhöhe - rand.bottomMargin();
        if (bandUnten <= seitenOben + rand.topMargin() || bandOben >= textUnten) continue;
        // The first paragraph or table row from the top that reaches into the box.
        std::optional<Umbruch> erster;
        double ersterOben = 1e300;
        auto prüfen = [&](Umbruch u, double oben, double unten) {
            if (unten <= bandOben || oben >= bandUnten || oben >= ersterOben) return;
            u.neueSeite = bandUnten >= textUnten - 1;
            u.abstand = bandUnten - oben;
            erster = u;
            ersterOben = oben;
        };
        for (std::size_t n = 0; n < absatzBlöcke.size(); ++n) {
            const QRectF r = layout.blockBoundingRect(v.text->findBlockByNumber(absatzBlöcke[n]));
            prüfen(Umbruch{static_cast<int>(n)}, r.top(), r.bottom());
        }
        for (std::size_t t = 0; t < v.tabellen.size(); ++t)
            for (const auto& teil : v.tabellen[t])
                for (int z = 0; z < teil.tabelle->rows(); ++z) {
                    const auto [oben, unten] = Zeilenbereich(layout, *teil.tabelle, z);
                    prüfen(Umbruch{-1, static_cast<long>(t + 1), teil.ersteZeile + z}, oben, unten);
                }
        if (erster) {
            umbrüche.push_back(*erster);
            return true;
        }
    }
    return false;
}

}  // namespace

Vorschaudokument VorschauAufbauen(const vk::word::Document& dokument) {
    std::vector<Umbruch> umbrüche;
    // Each text box the body runs into moves the body once; a few boxes at most.
    for (int runde = 0;; ++runde) {
        Aufbau aufbau(dokument, umbrüche);
        Vorschaudokument v = aufbau.Bauen();
        if (runde >= 3 || !KollisionFinden(v, aufbau.AbsatzBlöcke(), umbrüche)) return v;
    }
}

}  // namespace vkhost
