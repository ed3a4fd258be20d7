// The grids by keyboard. Arrow keys and Tab out of a drop-down that lies over a grid cell (the parcel
// grid's "zu zahlen") keep the focus in the grid: what is typed next lands in the grid, never in the
// tariff position beside it. A row reached by arrow keys is the one "Löschen" removes.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "hilfen.h"

namespace vkhost::test {
namespace {

TEST_F(HostTest, ArrowsOutOfACellDropDownKeepTheFocusInTheGrid) {
    const auto arbeit = ordner_ / "Arbeit.docx";
    std::filesystem::copy_file(vorlage_, arbeit);
    Öffnen(arbeit);
    fenster_->KategorieAktion(0)->trigger();
    ASSERT_NE(Dialog(), nullptr);
    auto* grid = Widget<QTableWidget>("GridGebühren1");
    auto* art = Widget<QComboBox>("comArt");
    ASSERT_TRUE(grid && art);
    fenster_->show();
    QApplication::setActiveWindow(fenster_.get());
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    const auto taste = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };

    taste(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), Widget<QComboBox>("ComboBox4")) << "the drop-down edits \"zu zahlen\"";
    taste(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->currentColumn(), 2) << "on to the area";
    QTest::keyClicks(QApplication::focusWidget(), "10.3");
    EXPECT_EQ(art->currentText(), "10.1") << "the tariff position changed behind the clerk's back";
    taste(Qt::Key_Left);
    taste(Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->currentColumn(), 0);
    // Tab walks the row the same way: through the drop-down to the area and the land value.
    taste(Qt::Key_Tab);
    taste(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->currentColumn(), 2);
    taste(Qt::Key_Tab);
    EXPECT_EQ(grid->currentColumn(), 3);
}

// Moved to a row by arrow keys, "Löschen" removes that row (the selection follows the current row
// as it does for a click).
TEST_F(HostTest, ARowReachedByArrowKeysIsTheOneLöschenRemoves) {
    ArbeitÖffnen();
    fenster_->KategorieAktion(5)->trigger();
    auto* grid = Widget<QTableWidget>("GridGebühren");
    ASSERT_NE(grid, nullptr);
    Widget<QPushButton>("CommandNeu")->click();
    ASSERT_EQ(grid->rowCount(), 2);
    for (const auto& [zeile, stunden] : {std::pair{0, "1"}, std::pair{1, "3"}}) {
        grid->setCurrentCell(zeile, 1);
        QTest::keyClicks(grid, stunden);
        QTest::keyClick(grid, Qt::Key_Return);
    }
    ASSERT_EQ(grid->item(1, 1)->text(), "3");
    grid->clearSelection();
    Warten();
    QTest::keyClick(grid, Qt::Key_Up);
    ASSERT_EQ(grid->currentRow(), 0);
    ModalBeantworten([](QWidget& box) { KnopfMitText(box, "Ja")->click(); },
                     [&] { Widget<QPushButton>("CommandLöschen")->click(); });
    ASSERT_EQ(grid->rowCount(), 1) << "asked, and removed nothing";
    EXPECT_EQ(grid->item(0, 1)->text(), "3") << "the row the clerk was on is the one removed";
}

}  // namespace
}  // namespace vkhost::test
