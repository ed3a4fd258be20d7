// The preview as the invoice prints: every table with the document's cell widths (merged columns
// included), the page's width and margins, bold and sizes, decimal tabs, the payment-target box on
// its page with the body text clear of it, and the table just written scrolled into view.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextTable>

#include "hilfen.h"
#include "platform/word/rendering.h"
#include "vorschau.h"

namespace vkhost::test {
namespace {

// The widths of a preview table's cells as laid out, from where each cell begins to where the next
// one (or the table) ends.
std::vector<double> Zellbreiten(QTextDocument& text, QTextTable& t) {
    QAbstractTextDocumentLayout& layout = *text.documentLayout();
    std::vector<double> anfänge;
    for (int s = 0; s < t.columns(); ++s) {
        const QTextBlock b = t.cellAt(0, s).firstCursorPosition().block();
        anfänge.push_back(layout.blockBoundingRect(b).left());  // the cell's margin lies inside
    }
    anfänge.push_back(layout.frameBoundingRect(&t).right());
    std::vector<double> breiten;
    for (std::size_t s = 0; s + 1 < anfänge.size(); ++s) breiten.push_back(anfänge[s + 1] - anfänge[s]);
    return breiten;
}

using HostVorschau = HostTest;

TEST_F(HostVorschau, JedeTabelleHatDieZellbreitenDesDokuments) {
    Öffnen(rechnung_);
    auto doc = vk::word::Document::Open(rechnung_);
    const Vorschaudokument v = VorschauAufbauen(*doc);
    QTextDocument& text = *v.text;
    ASSERT_EQ(v.tabellen.size(), 7u) << "six fee tables and the totals";
    for (long i = 1; i <= doc->Tables().Count(); ++i) {
        const vk::word::Table t = doc->Tables().Item(i);
        const auto& teile = v.tabellen[static_cast<std::size_t>(i - 1)];
        ASSERT_FALSE(teile.empty());
        ASSERT_EQ(static_cast<long>(teile.size()), t.Rows().Count()) << "table " << i;
        for (const auto& teil : teile) {
            const vk::word::Row r = t.Rows().Item(teil.ersteZeile);
            const std::vector<double> breiten = Zellbreiten(text, *teil.tabelle);
            ASSERT_EQ(static_cast<long>(breiten.size()), r.CellCount()) << "table " << i << " row " << teil.ersteZeile;
            for (long s = 1; s <= r.CellCount(); ++s)
                EXPECT_NEAR(breiten[static_cast<std::size_t>(s - 1)], r.Cell(s).Width() * kEinheitenProPunkt, 0.5)
                    << "table " << i << " row " << teil.ersteZeile << " cell " << s;
        }
    }
    // The page: as wide as the document's, its text between the document's margins.
    const vk::word::PageSetup seite(*doc);
    EXPECT_NEAR(v.seitenbreite, seite.PageWidth() * kEinheitenProPunkt, 0.01);
    const QRectF ersterAbsatz = text.documentLayout()->blockBoundingRect(text.begin());
    EXPECT_NEAR(ersterAbsatz.left(), seite.LeftMargin() * kEinheitenProPunkt, 0.5);
    EXPECT_NEAR(ersterAbsatz.width(), (seite.PageWidth() - seite.LeftMargin() - seite.RightMargin()) * kEinheitenProPunkt, 0.5);
}

TEST_F(HostVorschau, FettGrößeAusrichtungUndDezimaltabWieImDokument) {
    auto doc = vk::word::Document::Open(rechnung_);
    const Vorschaudokument v = VorschauAufbauen(*doc);
    // Category 4's table: the title bold in the table style's 10 pt, the amount right-aligned.
    const QTextBlock titel = v.tabellen[4].front().tabelle->cellAt(0, 0).firstCursorPosition().block();
    EXPECT_EQ(titel.text(), "Grenzbescheinigungen");
    const QFont f = titel.begin().fragment().charFormat().font();
    EXPECT_TRUE(f.bold());
    EXPECT_EQ(f.pixelSize(), 10 * kEinheitenProPunkt) << "10 pt";
    QTextTable& zeile4 = *v.tabellen[4][3].tabelle;
    const QTextBlock betrag = zeile4.cellAt(0, zeile4.columns() - 1).firstCursorPosition().block();
    EXPECT_EQ(betrag.text(), "  300,00 €");
    EXPECT_EQ(betrag.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Category 1's amounts stand at a decimal tab 1,5 cm into their cell.
    const QTextBlock teilA = v.tabellen[1][5].tabelle->cellAt(0, 4).firstCursorPosition().block();
    ASSERT_TRUE(teilA.text().contains("800,00")) << teilA.text().toStdString();
    const QList<QTextOption::Tab> tabs = teilA.blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_EQ(tabs[0].type, QTextOption::DelimiterTab);
    EXPECT_EQ(tabs[0].delimiter, QChar(','));
    EXPECT_NEAR(tabs[0].position, 1.5 / 2.54 * 72 * kEinheitenProPunkt, 1) << "1,5 cm";
}

TEST_F(HostVorschau, ZahlungszielKastenAufSeiteEinsUndDerTextLäuftNichtDarunter) {
    auto doc = vk::word::Document::Open(rechnung_);
    const Vorschaudokument v = VorschauAufbauen(*doc);
    ASSERT_EQ(v.kästen.size(), 1u);
    const auto& kasten = v.kästen.front();
    EXPECT_EQ(kasten.seite, 0);
    EXPECT_TRUE(kasten.text->toPlainText().startsWith("Bitte zahlen Sie den Rechnungsbetrag"));
    vk::word::Shape s = doc->Shapes().Item(1);
    EXPECT_NEAR(kasten.rahmen.top(), s.Top() * kEinheitenProPunkt, 0.5) << "placed from the page's top";
    EXPECT_NEAR(kasten.rahmen.left(), s.Left() * kEinheitenProPunkt, 0.5);
    // No line of the body text on page 1 reaches into the box.
    QAbstractTextDocumentLayout& layout = *v.text->documentLayout();
    for (QTextBlock b = v.text->begin(); b.isValid(); b = b.next()) {
        if (b.text().isEmpty()) continue;
        const QRectF r = layout.blockBoundingRect(b);
        if (r.top() >= v.seitenhöhe) continue;
        EXPECT_FALSE(r.bottom() > kasten.rahmen.top() + 0.5 && r.top() < kasten.rahmen.bottom()) << b.text().toStdString();
    }
    EXPECT_GE(v.seiten, 2);
}

TEST_F(HostVorschau, NachDerBestätigungStehtDieGeschriebeneTabelleOben) {
    Öffnen(rechnung_);
    fenster_->resize(1280, 800);
    Warten();
    // Category 4 on its table (the fifth of the invoice): the table choice offers it.
    ModalBeantworten(
        [](QWidget& wahl) {
            wahl.findChild<QAbstractButton*>("optTabelle(0)")->click();
            wahl.findChild<QAbstractButton*>("cmdEnde")->click();
        },
        [&] { fenster_->KategorieAktion(4)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    fenster_->Vorschau()->verticalScrollBar()->setValue(0);
    Widget<QCheckBox>("chkMitVermessung")->click();
    Widget<QPushButton>("CommandEnde")->click();
    Warten();
    const Vorschau& vorschau = *fenster_->Vorschau();
    ASSERT_NE(vorschau.Inhalt(), nullptr);
    EXPECT_TRUE(vorschau.Text().contains("in Zusammenhang mit einer Vermessung"));
    QTextTable* geschrieben = vorschau.Inhalt()->tabellen[4].front().tabelle;
    const QRectF r = vorschau.Inhalt()->text->documentLayout()->frameBoundingRect(geschrieben);
    const double oben = vorschau.Ansichtspunkt(r.topLeft()).y();
    // At the top of the preview, or as far up as the end of the invoice lets it come.
    EXPECT_GE(oben, 0);
    const QScrollBar& bild = *vorschau.verticalScrollBar();
    EXPECT_TRUE(oben < 40 || (bild.value() == bild.maximum() && bild.maximum() > 0)) << oben;
    EXPECT_LT(oben + 20, vorschau.viewport()->height()) << "its first row in view";
}

}  // namespace
}  // namespace vkhost::test
