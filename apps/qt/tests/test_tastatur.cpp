// The dialogs driven by keys alone, as a clerk works all day: typing replaces what is selected in
// every masked field, the in-cell drop-down opens and changes by key, Enter confirms and Escape
// cancels, the table choice is answered by arrow keys, and quitting with edits not confirmed asks.
#include <QAbstractItemView>

#include "hilfen.h"

namespace vkhost::test {
namespace {

class HostTastatur : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Aktivieren();
    }
    // Tabs into the field (its text selected, as Qt and the form select it) and types over it.
    static void Überschreiben(QLineEdit* feld, const char* text) {
        feld->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(feld->window()));
        feld->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(feld->hasFocus());
        EXPECT_EQ(feld->selectedText(), feld->text()) << "the whole value is selected";
        QTest::keyClicks(feld, text);
        QTest::keyClick(feld, Qt::Key_Tab);
    }
};

// The demo's boundary determination marks 7 points at 150,00 € (part B); typed over with 12 they are
// 12 x 150,00 € = 1.800,00 €. Its land value 25,00 €/m² typed over with 45 stays in its class.
TEST_F(HostTastatur, TippenErsetztDieMarkierungInJedemMaskenfeld) {
    Öffnen(rechnung_);
    AufTabelleÖffnen(1);
    auto* punkte = Widget<QLineEdit>("msk100");
    auto* wert = Widget<QLineEdit>("MaskEdBoxWert");
    ASSERT_TRUE(punkte && wert);
    ASSERT_EQ(punkte->text().trimmed(), "7");
    Überschreiben(punkte, "12");
    EXPECT_EQ(punkte->text().trimmed(), "12");
    Überschreiben(wert, "45");
    EXPECT_EQ(wert->text().trimmed(), "45,00");
    Widget<QPushButton>("CommandEnde")->click();
    Warten();
    const std::string tabellen = TabellenText(rechnung_);
    EXPECT_NE(tabellen.find("12 in der Örtlichkeit überprüfte/hergestellte Grenzpunkte | x   150,00 € | 1.800,00 €"), std::string::npos) << tabellen;
    EXPECT_NE(tabellen.find("45,00 €/m²"), std::string::npos) << tabellen;

    // A count that holds a value: typed over, not refused.
    AufTabelleÖffnen(4);
    auto* kopien = Widget<QLineEdit>("mskMehrfach");
    ASSERT_NE(kopien, nullptr);
    Überschreiben(kopien, "3");
    EXPECT_EQ(kopien->text().trimmed(), "3");
}

// The time-spent grid's kind drop-down by keys alone: it has the keys while its cell is current (Down,
// a letter, F4 work as in a combo box), Tab goes on to the quantity of the same row, and the quantity
// typed there is priced for the kind chosen: 30 km by car at 0,55 € are 16,50 €.
TEST_F(HostTastatur, ArtDerZeitgebührMitTastenWählenUndMitTabZurMenge) {
    ArbeitÖffnen();
    QTest::keyClick(fenster_.get(), Qt::Key_6, Qt::ControlModifier);
    ASSERT_NE(Dialog(), nullptr);
    auto* grid = Widget<QTableWidget>("GridGebühren");
    auto* art = Widget<QComboBox>("comKategorie");
    ASSERT_TRUE(grid && art);
    grid->setFocus(Qt::TabFocusReason);
    grid->setCurrentCell(0, 0);
    ASSERT_TRUE(art->isVisible());
    EXPECT_TRUE(art->hasFocus()) << "the drop-down has the keys while its cell is current";
    const QString erste = grid->item(0, 0)->text();
    QTest::keyClick(art, Qt::Key_Down);
    EXPECT_NE(grid->item(0, 0)->text(), erste) << "Down changes the kind";
    QTest::keyClick(art, Qt::Key_F4);
    EXPECT_TRUE(art->view()->isVisible()) << "F4 opens the list";
    QTest::keyClick(art->view(), Qt::Key_Escape);
    EXPECT_FALSE(art->view()->isVisible());
    ASSERT_NE(Dialog(), nullptr) << "Escape in the open list only closes the list";
    QTest::keyClicks(art, "K");
    EXPECT_EQ(grid->item(0, 0)->text(), "Kraftfahrzeug") << "a letter finds the entry";

    QTest::keyClick(art, Qt::Key_Tab);
    EXPECT_EQ(grid->rowCount(), 1) << "Tab adds no row";
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 1) << "Tab goes on to the quantity of the same row";
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClicks(grid, "30");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(grid->item(0, 0)->text(), "Kraftfahrzeug");
    EXPECT_EQ(grid->item(0, 1)->text().trimmed(), "30");
    EXPECT_TRUE(grid->item(0, 3)->text().contains("16,50")) << grid->item(0, 3)->text().toStdString();
}

// The table choice by keys: the category's table is chosen at the start, the arrow keys move the
// choice, Enter takes it and the dialog then has the keys; Escape closes it and no dialog opens.
TEST_F(HostTastatur, TabellenwahlMitPfeiltastenEnterUndEscape) {
    Öffnen(rechnung_);
    ModalBeantworten(
        [](QWidget& wahl) {
            auto* erste = wahl.findChild<QRadioButton*>("optTabelle(0)");
            auto* neu = wahl.findChild<QRadioButton*>("optNeu(0)");
            ASSERT_TRUE(erste && neu);
            EXPECT_TRUE(erste->isChecked());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            EXPECT_TRUE(neu->isChecked());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            EXPECT_TRUE(erste->isChecked());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            EXPECT_TRUE(erste->isChecked()) << "the options not offered are passed over";
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        },
        [&] { fenster_->KategorieAktion(4)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Widget<QLineEdit>("mskMehrfach")->text().trimmed(), "2") << "opened on its table";
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster_.get())) << "the main window is active again";
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(Dialog()->isAncestorOf(QApplication::focusWidget())) << "the dialog has the keys";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Warten();
    ASSERT_EQ(Dialog(), nullptr);

    const std::string vorher = DateiLesen(rechnung_);
    ModalBeantworten([](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
                     [&] { fenster_->KategorieAktion(4)->trigger(); });
    Warten();
    EXPECT_EQ(Dialog(), nullptr) << "no dialog after Escape in the table choice";
    EXPECT_EQ(DateiLesen(rechnung_), vorher);
}

// Escape cancels every category dialog; the six categories open from the keyboard, the dialog then
// has the keys. (Enter in a dialog's field confirms it: HostDatei confirms so.)
// Ctrl+Q with a dialog that holds edits not confirmed asks first; "Zurück zum Dialog" keeps the
// window and the edits. A dialog only looked at closes without a question. The title names the
// invoice, its folder and the database.
TEST_F(HostTastatur, EscapeBrichtAbUndBeendenMitUnbestätigtenEingabenFragtZuerst) {
    const auto arbeit = ArbeitÖffnen();
    EXPECT_EQ(fenster_->windowTitle().toStdString(),
              "Arbeit.docx (" + ordner_.string() + ") – buero.sqlite, Rechnung 1, Benutzer 1 – vk-host");
    const std::string vorher = DateiLesen(arbeit);
    for (int k = 0; k < 6; ++k) {
        QTest::keyClick(fenster_.get(), static_cast<Qt::Key>(Qt::Key_1 + k), Qt::ControlModifier);
        ASSERT_NE(Dialog(), nullptr) << k;
        QWidget* fokus = QApplication::focusWidget();
        ASSERT_NE(fokus, nullptr) << k;
        EXPECT_TRUE(Dialog()->isAncestorOf(fokus)) << "the dialog has the keys: " << k;
        QTest::keyClick(fokus, Qt::Key_Escape);
        Warten();
        EXPECT_EQ(Dialog(), nullptr) << "Escape cancels: " << k;
    }
    EXPECT_EQ(DateiLesen(arbeit), vorher);

    QTest::keyClick(fenster_.get(), Qt::Key_5, Qt::ControlModifier);
    ASSERT_NE(Dialog(), nullptr);
    auto* kopien = Widget<QLineEdit>("mskMehrfach");
    kopien->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(kopien, "3");
    QString frage;
    ModalBeantworten([&](QWidget& box) {
        frage = qobject_cast<QMessageBox*>(&box)->text();
        KnopfMitText(box, "Zurück zum Dialog")->click();
    }, [&] { QTest::keyClick(fenster_.get(), Qt::Key_Q, Qt::ControlModifier); });
    EXPECT_TRUE(frage.contains("„Grenzbescheinigungen“")) << frage.toStdString();
    EXPECT_TRUE(fenster_->isVisible());
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(kopien->text().trimmed(), "3");
    Aktivieren();  // as the window manager does when the question closes
    ModalBeantworten([&](QWidget& box) { KnopfMitText(box, "Verwerfen")->click(); },
                     [&] { QTest::keyClick(fenster_.get(), Qt::Key_Q, Qt::ControlModifier); });
    EXPECT_FALSE(fenster_->isVisible());
    Warten();

    // Only looked at: no question.
    fenster_->show();
    Aktivieren();
    QTest::keyClick(fenster_.get(), Qt::Key_5, Qt::ControlModifier);
    ASSERT_NE(Dialog(), nullptr);
    OhneModal([&] { fenster_->close(); });
    EXPECT_FALSE(fenster_->isVisible());
}

}  // namespace
}  // namespace vkhost::test
