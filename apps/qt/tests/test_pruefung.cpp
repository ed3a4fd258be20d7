// "Rechnung prüfen" in the host: the report of the saved invoice in a window of its own, the tables
// that differ marked in the preview, and neither the invoice nor the office database touched (the
// check's own dialogs never reach the screen, and the host takes none of them for a confirmation).
#include <QPlainTextEdit>

#include "hilfen.h"
#include "platform/word/document.h"

namespace vkhost::test {
namespace {

class HostPruefung : public HostTest {
protected:
    // Runs the check and returns the report's text (its heading, then its lines).
    QString Prüfen() {
        QString text;
        ModalBeantworten(
            [&](QWidget& fenster) {
                text = fenster.findChild<QLabel*>("Kopf")->text() + "\n" +
                       fenster.findChild<QPlainTextEdit*>("Bericht")->toPlainText();
                fenster.close();
            },
            [&] { fenster_->PrüfenAktion()->trigger(); });
        Warten();
        return text;
    }
    bool Markiert(long tabelle) const { return fenster_->Vorschau()->Markiert(tabelle); }
};

TEST_F(HostPruefung, DieDemoRechnungStimmtUndNichtsÄndertSich) {
    Öffnen(rechnung_);
    const std::string dokument = DateiLesen(rechnung_), datenbank = DateiLesen(datenbank_);
    const QString bericht = Prüfen();
    EXPECT_TRUE(bericht.startsWith("Die Rechnung stimmt")) << bericht.toStdString();
    EXPECT_TRUE(bericht.contains("Tabelle 5, Grenzbescheinigungen: stimmt")) << bericht.toStdString();
    EXPECT_TRUE(bericht.contains("Rechnungsdatensatz: stimmt")) << bericht.toStdString();
    EXPECT_EQ(Dialog(), nullptr) << "the check's dialogs do not stay on the screen";
    EXPECT_FALSE(Markiert(5));
    EXPECT_EQ(DateiLesen(rechnung_), dokument);
    EXPECT_EQ(DateiLesen(datenbank_), datenbank);
}

// The certificate's amount lowered by hand: table 5 and the totals (table 7) differ and are marked.
TEST_F(HostPruefung, EineVonHandGeänderteTabelleWirdGemeldetUndMarkiert) {
    {
        auto doc = vk::word::Document::Open(rechnung_);
        vk::word::Range zelle = doc->Tables().Item(5).Cell(4, 5).Range();
        zelle.SetRange(zelle.Start(), zelle.End() - 2);
        zelle.SetText("  280,00 €");
        doc->Save();
    }
    Öffnen(rechnung_);
    const QString bericht = Prüfen();
    EXPECT_TRUE(bericht.startsWith("Die Rechnung weicht ab")) << bericht.toStdString();
    EXPECT_TRUE(bericht.contains("Tabelle 5, Grenzbescheinigungen: weicht ab\n  Zeile 4, Spalte 5: 280,00 € im Dokument, "
                                 "300,00 € nach Gebührenordnung\n"))
        << bericht.toStdString();
    EXPECT_TRUE(Markiert(5));
    EXPECT_TRUE(Markiert(7)) << "the totals are stale";
    EXPECT_FALSE(Markiert(4));
}

}  // namespace
}  // namespace vkhost::test
