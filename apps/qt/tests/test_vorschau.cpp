// The preview as the invoice prints: every table with the document's cell widths (merged columns
// included), the page's width and margins, bold and sizes, decimal tabs, the payment-target box on
// its page with the body text clear of it, the table just written scrolled into view, and a large
// invoice shown at once and set to its end on a thread of its own.
#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include "hilfen.h"
#include "platform/word/rendering.h"

namespace vkhost::test {
namespace {

class HostVorschau : public HostTest {
protected:
    // The preview of the invoice, set to its end.
    const Vorschau& Zeigen(const std::filesystem::path& datei) {
        doc_ = vk::word::Document::Open(datei);
        vorschau_.resize(800, 1000);
        vorschau_.Anzeigen(*doc_);
        while (!vorschau_.Fertig()) QTest::qWait(20);
        return vorschau_;
    }
    // The block of row `zeile` of table `tabelle`.
    std::size_t Block(long tabelle, int zeile) const {
        const std::size_t erster = vorschau_.ErsterBlock(tabelle).value();
        return erster + static_cast<std::size_t>(zeile - 1);
    }
    std::shared_ptr<vk::word::Document> doc_;
    Vorschau vorschau_;
};

TEST_F(HostVorschau, JedeTabelleHatDieZellbreitenUndDerZahlungszielKastenSeinenPlatz) {
    const Vorschau& v = Zeigen(rechnung_);
    long tabellen = 0;
    for (const Blockdaten& b : v.Daten()->blöcke) tabellen = std::max(tabellen, b.tabelle);
    ASSERT_EQ(tabellen, 7) << "six fee tables and the totals";
    for (long i = 1; i <= doc_->Tables().Count(); ++i) {
        const vk::word::Table t = doc_->Tables().Item(i);
        for (const vk::word::Row& r : t.Rows().Each()) {
            const std::size_t block = Block(i, static_cast<int>(r.Index()));
            ASSERT_EQ(v.Daten()->blöcke[block].zeile, r.Index());
            const GesetzterBlock* b = v.Gesetzt(block);
            ASSERT_NE(b, nullptr);
            ASSERT_EQ(static_cast<long>(b->zellen.size()), r.CellCount()) << "table " << i << " row " << r.Index();
            for (long s = 1; s <= r.CellCount(); ++s)
                EXPECT_NEAR(b->zellen[static_cast<std::size_t>(s - 1)].rahmen.width(), r.Cell(s).Width() * kEinheitenProPunkt, 0.5)
                    << "table " << i << " row " << r.Index() << " cell " << s;
        }
    }
    // The page: as wide as the document's, its text between the document's margins.
    const vk::word::PageSetup seite(*doc_);
    EXPECT_NEAR(v.Daten()->seitenbreite, seite.PageWidth() * kEinheitenProPunkt, 0.01);
    EXPECT_NEAR(v.Daten()->links, seite.LeftMargin() * kEinheitenProPunkt, 0.5);
    EXPECT_NEAR(v.Gesetzt(0)->zellen[0].rahmen.width(), (seite.PageWidth() - seite.LeftMargin() - seite.RightMargin()) * kEinheitenProPunkt,
                0.5);
    // The payment-target box on page 1, placed from the page's top; no block of the body reaches into it.
    ASSERT_EQ(v.Kästen().size(), 1u);
    const GesetzteZelle& kasten = v.Kästen().front();
    EXPECT_TRUE(kasten.absätze.front().layout->text().startsWith("Bitte zahlen Sie den Rechnungsbetrag"));
    vk::word::Shape s = doc_->Shapes().Item(1);
    EXPECT_NEAR(kasten.rahmen.top(), s.Top() * kEinheitenProPunkt, 0.5) << "placed from the page's top";
    EXPECT_NEAR(kasten.rahmen.left(), s.Left() * kEinheitenProPunkt, 0.5);
    for (std::size_t i = 0; i < v.Daten()->blöcke.size(); ++i) {
        const Platz p = v.PlatzVon(i);
        if (p.seite != 0) continue;
        const double unten = p.oben + v.Gesetzt(i)->höhe;
        EXPECT_FALSE(unten > kasten.rahmen.top() + 0.5 && p.oben < kasten.rahmen.bottom()) << "block " << i;
    }
    EXPECT_GE(v.Seiten(), 2);
}

TEST_F(HostVorschau, FettGrößeAusrichtungTabsDezimaltabUndMarkierteTabellen) {
    const Vorschau& v = Zeigen(rechnung_);
    // Category 4's table: the title bold in the table style's 10 pt, the amount right-aligned.
    const GesetzterAbsatz& titel = v.Gesetzt(Block(5, 1))->zellen[0].absätze.front();
    EXPECT_EQ(titel.layout->text(), "Grenzbescheinigungen");
    const QFont f = titel.layout->formats().front().format.font();
    EXPECT_TRUE(f.bold());
    EXPECT_EQ(f.pixelSize(), 10 * kEinheitenProPunkt) << "10 pt";
    const GesetzterAbsatz& betrag = v.Gesetzt(Block(5, 4))->zellen.back().absätze.front();
    EXPECT_EQ(betrag.layout->text(), "  300,00 €");
    EXPECT_EQ(betrag.ausrichtung, Qt::AlignRight);
    // Category 1's amounts stand at a decimal tab 1,5 cm into their cell.
    const GesetzterAbsatz& teilA = v.Gesetzt(Block(2, 6))->zellen[4].absätze.front();
    ASSERT_TRUE(teilA.layout->text().contains("800,00")) << teilA.layout->text().toStdString();
    const QList<QTextOption::Tab> tabs = teilA.layout->textOption().tabs();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_EQ(tabs[0].type, QTextOption::DelimiterTab);
    EXPECT_EQ(tabs[0].delimiter, QChar(','));
    EXPECT_NEAR(tabs[0].position, 1.5 / 2.54 * 72 * kEinheitenProPunkt, 1) << "1,5 cm";
    // A tab without a stop of its own goes to the document's default stops (708 twips, 1,25 cm):
    // "Trennstücke" and "angefangene 10m" stand apart.
    const GesetzterAbsatz& kopf = v.Gesetzt(Block(4, 1))->zellen[3].absätze.back();
    ASSERT_TRUE(kopf.layout->text().startsWith("Trennstücke\t")) << kopf.layout->text().toStdString();
    EXPECT_EQ(kopf.layout->textOption().tabStopDistance(), 708);
    const QTextLine zeile = kopf.layout->lineAt(0);
    const double nachTab = zeile.cursorToX(static_cast<int>(QString("Trennstücke\t").size()));
    EXPECT_GE(nachTab, zeile.cursorToX(static_cast<int>(QString("Trennstücke").size())) + 1);
    EXPECT_EQ(std::fmod(nachTab, 708.0), 0) << nachTab;
    // What a person sees: black text on the white pages, and a table the check marks in light red.
    vorschau_.show();
    const auto zählen = [&](const std::function<bool(QColor)>& passt) {
        const QImage bild = vorschau_.viewport()->grab().toImage();
        int n = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) n += passt(bild.pixelColor(x, y)) ? 1 : 0;
        return n;
    };
    const auto schwarz = [](QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; };
    const auto rot = [](QColor c) { return c.red() > 240 && c.green() > 180 && c.green() < 215 && c.blue() > 180 && c.blue() < 215; };
    EXPECT_GT(zählen(schwarz), 500) << "text on the page";
    EXPECT_EQ(zählen(rot), 0);
    vorschau_.TabellenMarkieren({5});
    EXPECT_GT(zählen(rot), 1000) << "the marked table";
}

// The first window fits its screen (the offscreen screen is 800 x 600), and the preview zooms by
// keys and by the mouse wheel with Ctrl, back to the page's width with Ctrl+0. After a confirmation
// the table written is scrolled into view.
TEST_F(HostVorschau, ErstesFensterPasstZoomtUndZeigtNachDerBestätigungDieGeschriebeneTabelleOben) {
    EXPECT_TRUE(fenster_->screen()->availableGeometry().size().boundedTo(fenster_->size()) == fenster_->size())
        << fenster_->width() << " x " << fenster_->height();
    Öffnen(rechnung_);
    Aktivieren();
    const Vorschau& v = *fenster_->Vorschau();
    const double eingepasst = v.Maßstab();
    QTest::keyClick(fenster_.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_NEAR(v.Maßstab(), eingepasst * 1.1, 1e-9);
    QWheelEvent rad(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(v.viewport(), &rad);
    EXPECT_NEAR(v.Maßstab(), eingepasst * 1.1 / 1.21, 1e-9) << "two steps out";
    QTest::keyClick(fenster_.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_NEAR(v.Maßstab(), eingepasst, 1e-9);
    fenster_->resize(1280, 800);
    Warten();
    AufTabelleÖffnen(4);  // the fifth table of the invoice
    fenster_->Vorschau()->verticalScrollBar()->setValue(0);
    Widget<QCheckBox>("chkMitVermessung")->click();
    Widget<QPushButton>("CommandEnde")->click();
    Warten();
    const Vorschau& vorschau = *fenster_->Vorschau();
    ASSERT_NE(vorschau.Daten(), nullptr);
    EXPECT_TRUE(vorschau.Text().contains("in Zusammenhang mit einer Vermessung"));
    const std::size_t geschrieben = vorschau.ErsterBlock(5).value();
    const Platz p = vorschau.PlatzVon(geschrieben);
    const double oben = vorschau.Ansichtspunkt(p.seite, QPointF(0, p.oben)).y();
    // At the top of the preview, or as far up as the end of the invoice lets it come.
    EXPECT_GE(oben, 0);
    const QScrollBar& bild = *vorschau.verticalScrollBar();
    EXPECT_TRUE(oben < 40 || (bild.value() == bild.maximum() && bild.maximum() > 0)) << oben;
    EXPECT_LT(oben + 20, vorschau.viewport()->height()) << "its first row in view";
}

// An invoice of 240 fee tables: the first pages are there as soon as it is shown, the rest follows
// from a thread of its own; shown again with one table changed, only that table is set again.
TEST_F(HostVorschau, EineGroßeRechnungZeigtDieErstenSeitenSofortUndDenRestBald) {
    auto doc = vk::word::Document::Open(rechnung_);
    for (int i = 0; i < 40; ++i) {
        vk::word::Range ende = doc->Content();
        ende.Collapse(vk::word::wdCollapseEnd);
        for (long t = 1; t <= 6; ++t) {
            vk::word::Table quelle = doc->Tables().Item(t);
            vk::word::Table kopie = doc->Tables().Add(ende, quelle.Rows().Count(), 2);
            kopie.Cell(1, 1).Range().InsertAfter("Tabelle " + std::to_string(i) + "/" + std::to_string(t));
            ende = doc->Content();
            ende.Collapse(vk::word::wdCollapseEnd);
        }
    }
    vorschau_.resize(800, 1000);
    vorschau_.Anzeigen(*doc);
    EXPECT_FALSE(vorschau_.Fertig()) << "the rest is set on a thread of its own";
    EXPECT_NE(vorschau_.Gesetzt(0), nullptr) << "the first page is there at once";
    while (!vorschau_.Fertig()) QTest::qWait(20);
    for (std::size_t i = 0; i < vorschau_.Daten()->blöcke.size(); ++i) ASSERT_NE(vorschau_.Gesetzt(i), nullptr) << i;
    const GesetzterBlock* unverändert = vorschau_.Gesetzt(vorschau_.ErsterBlock(100).value());
    doc->Tables().Item(200).Cell(1, 1).Range().InsertAfter(" geändert");
    vorschau_.Anzeigen(*doc);
    EXPECT_TRUE(vorschau_.Fertig()) << "one table changed: set at once";
    EXPECT_EQ(vorschau_.Gesetzt(vorschau_.ErsterBlock(100).value()), unverändert) << "what stayed is not set again";
    EXPECT_TRUE(vorschau_.Text().contains("geändert"));
}

}  // namespace
}  // namespace vkhost::test
