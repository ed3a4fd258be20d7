// A category dialog driven through its widgets: confirmed, it writes what the command line writes
// and the invoice is saved; cancelled or closed, the file stays as it was.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "dao/testdatenbank.h"
#include "hilfen.h"
#include "vorschau.h"

namespace vkhost::test {
namespace {

using HostBestätigung = HostTest;

TEST_F(HostBestätigung, Kategorie4ÜberMenüUndWidgetsSchreibtTabelleUndSummenInDieDatei) {
    const auto arbeit = ordner_ / "Arbeit.docx";
    std::filesystem::copy_file(vorlage_, arbeit);
    Öffnen(arbeit);

    fenster_->KategorieAktion(4)->trigger();  // a fresh invoice: no table choice
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Dialog()->windowTitle(), "Grenzbescheinigungen");
    auto* ort = Widget<QCheckBox>("chkOrt");
    auto* kopien = Widget<QLineEdit>("mskMehrfach");
    auto* ok = Widget<QPushButton>("CommandEnde");
    ASSERT_TRUE(ort && kopien && ok);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_FALSE(ok->icon().isNull());

    // The dialog lives in the host's area with a raised edge.
    auto* rahmen = qobject_cast<QFrame*>(Dialog()->widget());
    ASSERT_NE(rahmen, nullptr);
    EXPECT_EQ(rahmen->frameShadow(), QFrame::Raised);
    // What the form's handlers change shows at once: with a survey the inspection box is disabled.
    Widget<QCheckBox>("chkMitVermessung")->click();
    EXPECT_FALSE(ort->isEnabled());
    Widget<QCheckBox>("chkMitVermessung")->click();
    EXPECT_TRUE(ort->isEnabled());

    ort->click();
    QTest::keyClicks(kopien, "2");
    EXPECT_EQ(kopien->text(), "2");
    ok->click();
    Warten();

    EXPECT_EQ(Dialog(), nullptr) << "the dialog unloads after writing";
    // The saved file holds what `vk apply` writes for the same inputs, tags included.
    const auto befehl = ordner_ / "Befehl.docx";
    ASSERT_EQ(Befehl("apply --db '" + datenbank_.string() + "' --user 1 --invoice 1 --doc '" + vorlage_.string() +
                     "' --out '" + befehl.string() + "' --category 4 --set chkOrt=1 --set mskMehrfach=2"),
              0);
    const std::string gespeichert = TabellenText(arbeit);
    EXPECT_EQ(gespeichert, TabellenText(befehl));
    EXPECT_NE(gespeichert.find("VK_LP_02_5"), std::string::npos);
    EXPECT_NE(gespeichert.find("mit Ortsbesichtigung"), std::string::npos);
    EXPECT_NE(gespeichert.find("300,00 €"), std::string::npos);
    EXPECT_NE(gespeichert.find("RE_Summe"), std::string::npos);
    EXPECT_NE(gespeichert.find("357,00 €"), std::string::npos);
    // The preview shows the invoice as it now stands.
    EXPECT_TRUE(fenster_->Vorschau()->Text().contains("357,00 €"));
}

// A confirmation whose record the database will not let the totals into (a rule of the database
// refuses every change of an invoice): the message box says that nothing was saved, and why; the
// file stays as it was.
TEST_F(HostBestätigung, OhneDatensatzSagtEinMeldungsfensterDassNichtsGespeichertWurde) {
    vktest::Roh(datenbank_).Sql("CREATE TRIGGER geprueft BEFORE UPDATE ON Rechnung "
                                "BEGIN SELECT RAISE(ABORT, 'Rechnung ist geprüft und gesperrt'); END");
    const auto arbeit = ordner_ / "Arbeit.docx";
    std::filesystem::copy_file(vorlage_, arbeit);
    const std::string vorher = DateiLesen(arbeit);
    Öffnen(arbeit);
    fenster_->KategorieAktion(4)->trigger();
    ASSERT_NE(Dialog(), nullptr);
    Widget<QCheckBox>("chkOrt")->click();
    QString meldung;
    ModalBeantworten(
        [&](QWidget& w) {
            if (auto* box = qobject_cast<QMessageBox*>(&w)) meldung = box->text();
            w.close();
        },
        [&] { Widget<QPushButton>("CommandEnde")->click(); });
    EXPECT_TRUE(meldung.contains("nicht gespeichert")) << meldung.toStdString();
    EXPECT_TRUE(meldung.contains("geprüft und gesperrt")) << meldung.toStdString();
    EXPECT_EQ(DateiLesen(arbeit), vorher);
}

TEST_F(HostBestätigung, AbbruchUndSchließenLassenDieDateiUnverändert) {
    Öffnen(rechnung_);
    const std::string vorher = DateiLesen(rechnung_);

    // The demo invoice has a category-5 table: the choice appears; a new entry is started.
    ModalBeantworten(
        [](QWidget& wahl) {
            EXPECT_EQ(wahl.windowTitle(), "Tabellenwahl");
            wahl.findChild<QPushButton*>("cmdEnde")->click();
        },
        [&] { fenster_->KategorieAktion(5)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    Widget<QPushButton>("CommandAbbruch")->click();
    Warten();
    EXPECT_EQ(Dialog(), nullptr);

    ModalBeantworten([](QWidget& wahl) { wahl.findChild<QPushButton*>("cmdEnde")->click(); },
                     [&] { fenster_->KategorieAktion(4)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    Widget<QCheckBox>("chkMitVermessung")->click();
    Dialog()->close();  // the title bar's close: as "&Abbruch"
    Warten();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(DateiLesen(rechnung_), vorher);
}

TEST_F(HostBestätigung, WiederÖffnenAufDerTabelleZeigtDieGelesenenEingaben) {
    Öffnen(rechnung_);
    ModalBeantworten(
        [](QWidget& wahl) {
            auto* erste = wahl.findChild<QRadioButton*>("optTabelle(0)");
            auto* zweite = wahl.findChild<QRadioButton*>("optTabelle(1)");
            ASSERT_TRUE(erste && zweite);
            EXPECT_TRUE(erste->isEnabled());
            EXPECT_FALSE(zweite->isEnabled()) << "one table of the key: one existing entry offered";
            EXPECT_TRUE(erste->isChecked()) << "the category's table is chosen at the start";
            EXPECT_EQ(erste->text(), "1. vorhandener Eintrag: mit Ortsbesichtigung – 300,00 €");
            wahl.findChild<QRadioButton*>("optNeu(0)")->click();
            EXPECT_FALSE(erste->isChecked()) << "one choice across the groups";
            erste->click();
            wahl.findChild<QPushButton*>("cmdEnde")->click();
        },
        [&] { fenster_->KategorieAktion(4)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(Widget<QCheckBox>("chkOrt")->isChecked());
    EXPECT_EQ(Widget<QLineEdit>("mskMehrfach")->text().trimmed(), "2");
}

TEST_F(HostBestätigung, JedeKategorieÖffnetIhrenDialogUndEinZweitesMalDenselben) {
    std::filesystem::copy_file(vorlage_, ordner_ / "Arbeit.docx");
    Öffnen(ordner_ / "Arbeit.docx");
    for (int k = 0; k <= 5; ++k) {
        fenster_->KategorieAktion(k)->trigger();
        ASSERT_NE(Dialog(), nullptr) << k;
        EXPECT_EQ(fenster_->Bereich()->subWindowList().size(), k + 1);
    }
    const auto offen = fenster_->Bereich()->subWindowList().size();
    // Choosing an open dialog's category again brings it forward instead of opening a second one.
    fenster_->KategorieAktion(4)->trigger();
    QMdiSubWindow* kat4 = Dialog();
    fenster_->KategorieAktion(4)->trigger();
    EXPECT_EQ(Dialog(), kat4);
    EXPECT_EQ(fenster_->Bereich()->subWindowList().size(), offen);
}

}  // namespace
}  // namespace vkhost::test
