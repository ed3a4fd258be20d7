// The grid of the time-spent dialog through its QTableWidget: rows deleted after the message box's
// "Ja" (and kept after "Nein"), Tab in the add-row column of the last row handled by the form.
#include <QHeaderView>

#include "hilfen.h"

namespace vkhost::test {
namespace {

class HostGrid : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        ArbeitÖffnen();
        fenster_->KategorieAktion(5)->trigger();
        ASSERT_NE(Dialog(), nullptr);
        grid_ = Widget<QTableWidget>("GridGebühren");
        ASSERT_NE(grid_, nullptr);
    }
    QTableWidget* grid_ = nullptr;
};

// The binding shows the form's header texts and its column widths in pixels (15 twips each), wider
// where a header or a cell needs more in the screen's font: nothing is cut. The kind's editor comes
// up over its cell with the row's entry and writes a choice at once.
TEST_F(HostGrid, KopfzeileSpaltenbreitenUndZellEditorAusDerForm) {
    EXPECT_EQ(grid_->rowCount(), 1);
    EXPECT_EQ(grid_->columnCount(), 4);
    EXPECT_EQ(grid_->horizontalHeaderItem(1)->text(), " Stunden/km");
    EXPECT_GE(grid_->columnWidth(0), 3225 / 15);
    EXPECT_GE(grid_->columnWidth(2), 1345 / 15);
    int breite = 0;
    for (int s = 0; s < grid_->columnCount(); ++s) {
        EXPECT_GT(grid_->columnWidth(s), grid_->horizontalHeader()->fontMetrics().horizontalAdvance(grid_->horizontalHeaderItem(s)->text())) << s;
        EXPECT_GT(grid_->columnWidth(s), grid_->fontMetrics().horizontalAdvance(grid_->item(0, s)->text())) << s;
        breite += grid_->columnWidth(s);
    }
    EXPECT_GE(grid_->viewport()->width(), breite) << "the grid is as wide as its columns";

    grid_->setCurrentCell(0, 1);  // into the quantity and back
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

TEST_F(HostGrid, ZeileLöschenNachJaUndTabInDerLetztenZeileFügtGenauEineZeileAn) {
    Widget<QPushButton>("CommandNeu")->click();
    ASSERT_EQ(grid_->rowCount(), 2);
    // The second row selected as a click on its row header selects it.
    grid_->selectionModel()->select(grid_->model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Warten();
    ModalBeantworten(
        [](QWidget& box) {
            ASSERT_TRUE(qobject_cast<QMessageBox*>(&box));
            EXPECT_EQ(qobject_cast<QMessageBox*>(&box)->text(), "Zeile löschen?");
            ASSERT_NE(KnopfMitText(box, "Nein"), nullptr);
            KnopfMitText(box, "Nein")->click();
        },
        [&] { Widget<QPushButton>("CommandLöschen")->click(); });
    EXPECT_EQ(grid_->rowCount(), 2) << "Nein keeps the rows";
    ModalBeantworten([](QWidget& box) { KnopfMitText(box, "Ja")->click(); },
                     [&] { Widget<QPushButton>("CommandLöschen")->click(); });
    EXPECT_EQ(grid_->rowCount(), 1);
    OhneModal([&] { Widget<QPushButton>("CommandLöschen")->click(); });  // one row left: nothing asked
    EXPECT_EQ(grid_->rowCount(), 1);

    grid_->setCurrentCell(0, 1);
    QTest::keyClicks(grid_, "2,25");
    QTest::keyClick(grid_, Qt::Key_Return);
    EXPECT_EQ(grid_->item(0, 1)->text(), "2,5") << "hours rounded up to the half hour by the form";
    grid_->setCurrentCell(0, 1);
    QTest::keyClick(grid_, Qt::Key_Tab);
    EXPECT_EQ(grid_->rowCount(), 2);
    EXPECT_EQ(grid_->currentRow(), 1);
    grid_->setCurrentCell(0, 1);  // Tab in another row only moves down
    QTest::keyClick(grid_, Qt::Key_Tab);
    EXPECT_EQ(grid_->rowCount(), 2);
    EXPECT_EQ(grid_->currentRow(), 1);
    grid_->setCurrentCell(1, 1);  // Right in the same column of the new last row adds the third
    QTest::keyClick(grid_, Qt::Key_Right);
    EXPECT_EQ(grid_->rowCount(), 3);
    QTest::keyClick(grid_, Qt::Key_Tab, Qt::ShiftModifier);  // with Shift the key is the grid's own
    EXPECT_EQ(grid_->rowCount(), 3);
}

}  // namespace
}  // namespace vkhost::test
