// The grid of the time-spent dialog through its QTableWidget: rows deleted after the message box's
// "Ja" (and kept after "Nein"), Tab in the add-row column of the last row handled by the form.
#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "hilfen.h"

namespace vkhost::test {
namespace {

class HostGrid : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        const auto arbeit = ordner_ / "Arbeit.docx";
        std::filesystem::copy_file(vorlage_, arbeit);
        Öffnen(arbeit);
        fenster_->KategorieAktion(5)->trigger();
        ASSERT_NE(Dialog(), nullptr);
        grid_ = Widget<QTableWidget>("GridGebühren");
        ASSERT_NE(grid_, nullptr);
    }
    // Types into a cell as a person does: click it, type, Enter.
    void Eintragen(int zeile, int spalte, const char* text) {
        grid_->setCurrentCell(zeile - 1, spalte - 1);
        QTest::keyClicks(grid_, text);
        QTest::keyClick(grid_, Qt::Key_Return);
    }
    QTableWidget* grid_ = nullptr;
};

// The binding shows the form's header texts and its column widths in pixels (15 twips each), wider
// where a header or a cell needs more in the screen's font: nothing is cut.
TEST_F(HostGrid, KopfzeileUndSpaltenbreitenAusDerForm) {
    EXPECT_EQ(grid_->rowCount(), 1);
    EXPECT_EQ(grid_->columnCount(), 4);
    EXPECT_EQ(grid_->horizontalHeaderItem(1)->text(), " Stunden/km");
    EXPECT_GE(grid_->columnWidth(0), 3225 / 15);
    EXPECT_GE(grid_->columnWidth(2), 1345 / 15);
    for (int s = 0; s < grid_->columnCount(); ++s) {
        EXPECT_GT(grid_->columnWidth(s), grid_->horizontalHeader()->fontMetrics().horizontalAdvance(grid_->horizontalHeaderItem(s)->text())) << s;
        EXPECT_GT(grid_->columnWidth(s), grid_->fontMetrics().horizontalAdvance(grid_->item(0, s)->text())) << s;
    }
    // The grid is as wide as its columns.
    int breite = 0;
    for (int s = 0; s < grid_->columnCount(); ++s) breite += grid_->columnWidth(s);
    EXPECT_GE(grid_->viewport()->width(), breite);
}

TEST_F(HostGrid, TabInDerLetztenZeileFügtGenauEineZeileAnUndPreist) {
    Eintragen(1, 2, "2,25");
    EXPECT_EQ(grid_->item(0, 1)->text(), "2,5") << "hours rounded up to the half hour by the form";
    grid_->setCurrentCell(0, 1);
    QTest::keyClick(grid_, Qt::Key_Tab);
    EXPECT_EQ(grid_->rowCount(), 2);
    EXPECT_EQ(grid_->currentRow(), 1);
    // Tab in another row only moves down.
    grid_->setCurrentCell(0, 1);
    QTest::keyClick(grid_, Qt::Key_Tab);
    EXPECT_EQ(grid_->rowCount(), 2);
    EXPECT_EQ(grid_->currentRow(), 1);
    // Right in the same column of the new last row adds the third.
    grid_->setCurrentCell(1, 1);
    QTest::keyClick(grid_, Qt::Key_Right);
    EXPECT_EQ(grid_->rowCount(), 3);
    // With Shift the key is the grid's own: no row.
    QTest::keyClick(grid_, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(grid_->rowCount(), 3);
}

TEST_F(HostGrid, ZeileLöschenNachJaDesMeldungsfensters) {
    Widget<QPushButton>("CommandNeu")->click();
    ASSERT_EQ(grid_->rowCount(), 2);
    // The second row selected as a click on its row header selects it.
    grid_->selectionModel()->select(grid_->model()->index(1, 0),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Warten();

    ModalBeantworten(
        [](QWidget& box) {
            EXPECT_TRUE(qobject_cast<QMessageBox*>(&box));
            EXPECT_EQ(qobject_cast<QMessageBox*>(&box)->text(), "Zeile löschen?");
            ASSERT_NE(KnopfMitText(box, "Nein"), nullptr);
            KnopfMitText(box, "Nein")->click();
        },
        [&] { Widget<QPushButton>("CommandLöschen")->click(); });
    EXPECT_EQ(grid_->rowCount(), 2) << "Nein keeps the rows";

    ModalBeantworten([](QWidget& box) { KnopfMitText(box, "Ja")->click(); },
                     [&] { Widget<QPushButton>("CommandLöschen")->click(); });
    EXPECT_EQ(grid_->rowCount(), 1);

    // With one row left nothing is asked.
    OhneModal([&] { Widget<QPushButton>("CommandLöschen")->click(); });
    EXPECT_EQ(grid_->rowCount(), 1);
}

TEST_F(HostGrid, ZellEditorLiegtÜberDerZelleUndSetztSieBeimWählen) {
    // Into the quantity and back: the editor comes up over the kind with the row's entry.
    grid_->setCurrentCell(0, 1);
    grid_->setCurrentCell(0, 0);
    auto* editor = Widget<QComboBox>("comKategorie");
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), grid_->visualRect(grid_->model()->index(0, 0)));
    EXPECT_EQ(editor->currentText(), grid_->item(0, 0)->text());
    const int fahrzeug = editor->findText("Kraftfahrzeug");
    ASSERT_GE(fahrzeug, 0);
    editor->setCurrentIndex(fahrzeug);
    emit editor->textActivated("Kraftfahrzeug");
    EXPECT_EQ(grid_->item(0, 0)->text(), "Kraftfahrzeug") << "the choice is written at once";
    EXPECT_EQ(grid_->currentColumn(), 0) << "the cell stays current with its editor";
    EXPECT_TRUE(editor->isVisible());
}

}  // namespace
}  // namespace vkhost::test
