// A category dialog driven through its widgets: confirmed, it writes what the command line writes
// and the invoice is saved; cancelled or closed, the file stays as it was.
#include "hilfen.h"

namespace vkhost::test {
namespace {

using HostBestätigung = HostTest;

TEST_F(HostBestätigung, Kategorie4ÜberMenüUndWidgetsSchreibtTabelleUndSummenInDieDatei) {
    const auto arbeit = ArbeitÖffnen();
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

    EXPECT_EQ(Widget<QLabel>("lblVersion")->text(), "V 1.0.0") << "the program's version";
    // The count takes 8 characters; leaving the field runs its LostFocus: the count formatted by the
    // form, longer than the typing limit and shown whole.
    QTest::keyClicks(kopien, "123456789");
    EXPECT_EQ(kopien->text(), "12345678");
    QTest::keyClick(kopien, Qt::Key_Backspace);
    QFocusEvent weg(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(kopien, &weg);
    EXPECT_EQ(kopien->text(), "1.234.567");

    ort->click();
    kopien->selectAll();
    QTest::keyClicks(kopien, "2");
    EXPECT_EQ(kopien->text(), "2");
    ok->click();
    Warten();
    EXPECT_EQ(Dialog(), nullptr) << "the dialog unloads after writing";
    // The saved file holds what `vk apply` writes for the same inputs, tags included: two copies with
    // inspection 2 x 150,00 € = 300,00 €, with 19 % VAT 357,00 €.
    const auto befehl = ordner_ / "Befehl.docx";
    ASSERT_EQ(Befehl("apply --db '" + datenbank_.string() + "' --user 1 --invoice 1 --doc '" + vorlage_.string() +
                     "' --out '" + befehl.string() + "' --category 4 --set chkOrt=1 --set mskMehrfach=2"),
              0);
    const std::string gespeichert = TabellenText(arbeit);
    EXPECT_EQ(gespeichert, TabellenText(befehl));
    for (const char* teil : {"VK_LP_02_5", "mit Ortsbesichtigung", "300,00 €", "RE_Summe", "357,00 €"})
        EXPECT_NE(gespeichert.find(teil), std::string::npos) << teil;
    // The preview shows the invoice as it now stands.
    EXPECT_TRUE(fenster_->Vorschau()->Text().contains("357,00 €"));
}

// A confirmation whose record the database will not let the totals into (a rule of the database
// refuses every change of an invoice): the message box says that nothing was saved, and why; the
// file stays as it was. The session's save refuses so: the file is not saved without its record.
TEST_F(HostBestätigung, OhneDatensatzSagtEinMeldungsfensterDassNichtsGespeichertWurde) {
    vktest::Roh(datenbank_).Sql("CREATE TRIGGER geprueft BEFORE UPDATE ON Rechnung "
                                "BEGIN SELECT RAISE(ABORT, 'Rechnung ist geprüft und gesperrt'); END");
    const auto arbeit = ArbeitÖffnen();
    const std::string vorher = DateiLesen(arbeit);
    fenster_->KategorieAktion(4)->trigger();
    ASSERT_NE(Dialog(), nullptr);
    Widget<QCheckBox>("chkOrt")->click();
    const QString meldung = Meldung([&] { Widget<QPushButton>("CommandEnde")->click(); });
    EXPECT_TRUE(meldung.contains("nicht gespeichert")) << meldung.toStdString();
    EXPECT_TRUE(meldung.contains("geprüft und gesperrt")) << meldung.toStdString();
    EXPECT_EQ(DateiLesen(arbeit), vorher);
}

// The table choice offers the invoice's entry; the dialog re-opened on it shows the inputs read from
// the table. Closed by its title bar, or a new entry cancelled, the file stays as it was.
TEST_F(HostBestätigung, WiederÖffnenZeigtDieGelesenenEingabenAbbruchUndSchließenÄndernNichts) {
    Öffnen(rechnung_);
    const std::string vorher = DateiLesen(rechnung_);
    ModalBeantworten(
        [](QWidget& wahl) {
            EXPECT_EQ(wahl.windowTitle(), "Tabellenwahl");
            auto* erste = wahl.findChild<QRadioButton*>("optTabelle(0)");
            auto* zweite = wahl.findChild<QRadioButton*>("optTabelle(1)");
            ASSERT_TRUE(erste && zweite);
            EXPECT_TRUE(erste->isEnabled());
            EXPECT_FALSE(zweite->isEnabled()) << "one table of the key: one existing entry offered";
            EXPECT_TRUE(erste->isChecked()) << "the category's table is chosen at the start";
            EXPECT_EQ(erste->text(), "1. vorhandener Eintrag: mit Ortsbesichtigung – 300,00 €");
            Klick(wahl, "optNeu(0)");
            EXPECT_FALSE(erste->isChecked()) << "one choice across the groups";
            erste->click();
            Klick(wahl, "cmdEnde");
        },
        [&] { fenster_->KategorieAktion(4)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(Widget<QCheckBox>("chkOrt")->isChecked());
    EXPECT_EQ(Widget<QLineEdit>("mskMehrfach")->text().trimmed(), "2");
    Widget<QCheckBox>("chkMitVermessung")->click();
    Dialog()->close();  // the title bar's close: as "&Abbruch"
    Warten();
    EXPECT_EQ(Dialog(), nullptr);

    // Category 5 as the table choice offers it, cancelled.
    ModalBeantworten([](QWidget& wahl) { Klick(wahl, "cmdEnde"); }, [&] { fenster_->KategorieAktion(5)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    Widget<QPushButton>("CommandAbbruch")->click();
    Warten();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(DateiLesen(rechnung_), vorher);
}

}  // namespace
}  // namespace vkhost::test
