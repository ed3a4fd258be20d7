// Arrow keys and Tab out of a drop-down that lies over a grid cell (the parcel grid's "zu zahlen")
// keep the focus in the grid: what is typed next lands in the grid, never in the tariff position
// beside it.
#include <QApplication>
#include <QComboBox>
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

}  // namespace
}  // namespace vkhost::test
