// The grid model on its own: rows and selection, current cell, edits, keys and cell geometry.
#include <gtest/gtest.h>

#include <cstdint>

#include "common/fehler_hilfe.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"

using namespace vk::ui;

namespace {

class frmGrid : public Form {
public:
    frmGrid() : Form("frmGrid") {
        Show();
        g.SetCols(3);
        g.SetRows(4);
        for (int r = 1; r <= 4; ++r) g.SetTextMatrix(r, 1, "z" + std::to_string(r));
        g.RowColChange.Verbinden([this] { ++wechsel; });
        wechsel = 0;
    }
    Grid g{*this, "g"};
    int wechsel = 0;
};

std::vector<std::string> Spalte1(const Grid& g) {
    std::vector<std::string> texte;
    for (int r = 1; r <= g.Rows(); ++r) texte.push_back(g.TextMatrix(r, 1));
    return texte;
}

}  // namespace

TEST(Grid, InsertAtTheCurrentRowPutsTheNewRowThereAndShiftsTheSelection) {
    frmGrid f;
    f.g.SetRow(2);
    for (int r : {2, 4}) f.g.SelectRow(r);
    f.wechsel = 0;
    f.g.InsertRow(2);
    EXPECT_EQ(Spalte1(f.g), (std::vector<std::string>{"z1", "", "z2", "z3", "z4"}));
    EXPECT_EQ(f.g.Row(), 2);  // the new, empty row is current
    EXPECT_EQ(f.wechsel, 0);
    EXPECT_EQ(f.g.SelectedRows(), (std::vector<int>{3, 5}));
    f.g.InsertRow(6);  // after the last
    EXPECT_EQ(f.g.Rows(), 6);
    EXPECT_THROW(f.g.InsertRow(8), vk::LaufzeitFehler);
}

TEST(Grid, CurrentCellStaysInsideAndReportsEachChangeOnce) {
    frmGrid f;
    f.g.SetZelle(4, 3);
    EXPECT_EQ(f.wechsel, 1);
    f.g.SetZelle(4, 3);
    EXPECT_EQ(f.wechsel, 1);
    f.g.RemoveRow(4);  // the current row went away: the last row becomes current
    EXPECT_EQ(f.g.Row(), 3);
    EXPECT_EQ(f.wechsel, 2);
    f.g.SetCols(2);
    EXPECT_EQ(f.g.Col(), 2);
    f.g.SetRows(0);
    EXPECT_EQ(f.g.Row(), 0);
    auto fehler = vktest::FehlerVon([&] { f.g.SetRow(1); });
    EXPECT_EQ(fehler.nummer, 9);
    EXPECT_EQ(fehler.text, "g: die Zeile 1 gibt es nicht (Zeilen: 0)");
}

TEST(Grid, HeaderRowIsSeparateFromTheDataRows) {
    frmGrid f;
    f.g.SetHeaderText(2, " Wert [€]");
    EXPECT_EQ(f.g.TextMatrix(0, 2), " Wert [€]");
    EXPECT_EQ(f.g.Rows(), 4);
    f.g.SetRows(2);
    f.g.SetRows(3);
    EXPECT_EQ(f.g.HeaderText(2), " Wert [€]");
    EXPECT_EQ(f.g.TextMatrix(3, 1), "");  // a dropped row does not come back
}

TEST(Grid, EditEndSeesTheTypedTextAndMayRejectIt) {
    frmGrid f;
    f.g.SetZelle(2, 2);
    std::string gesehen;
    std::int16_t antwort = 0;
    f.g.EditEnd.Verbinden([&](std::int16_t& annehmen) {
        gesehen = f.g.Text();
        EXPECT_EQ(annehmen, -1);
        annehmen = antwort;
    });
    for (char32_t z : std::u32string(U"12,5")) f.g.Tippen(z);
    EXPECT_TRUE(f.g.Editiert());
    EXPECT_EQ(f.g.Text(), "");  // not in the cell before the edit ends
    f.g.FinishEditing();
    EXPECT_EQ(gesehen, "12,5");
    EXPECT_EQ(f.g.Text(), "12,5");
    antwort = -1;
    f.g.Tippen(U'9');
    f.g.FinishEditing();
    EXPECT_EQ(gesehen, "9");
    EXPECT_EQ(f.g.Text(), "12,5");  // rejected: the old text again
    f.g.SetColReadOnly(2, true);
    EXPECT_EQ(f.g.Tippen(U'1'), Tastenergebnis::Abgelehnt);
    EXPECT_FALSE(f.g.Editiert());
}

TEST(Grid, NavigationKeysAndFocusLossFinishAPendingEdit) {
    frmGrid f;
    f.g.SetZelle(1, 3);
    std::string beimKeyDown;
    f.g.KeyDown.Verbinden([&](std::int16_t&, int) { beimKeyDown = f.g.TextMatrix(1, 3); });
    f.g.Tippen(U'5');
    f.g.TasteDrücken(taste::Tab);
    EXPECT_EQ(beimKeyDown, "5");
    EXPECT_EQ(f.g.Row(), 2);  // Tab from the last column goes on to the next row
    EXPECT_EQ(f.g.Col(), 1);
    f.g.TasteDrücken(taste::Tab, umschalt::Shift);
    EXPECT_EQ(f.g.Row(), 1);
    EXPECT_EQ(f.g.Col(), 3);
    f.g.TasteDrücken(taste::Rechts);
    EXPECT_EQ(f.g.Col(), 3);  // nowhere to go
    f.g.TasteDrücken(taste::Unten);
    EXPECT_EQ(f.g.Row(), 2);
    f.g.Tippen(U'x');
    f.g.TasteDrücken(taste::Escape);
    EXPECT_FALSE(f.g.Editiert());
    EXPECT_EQ(f.g.TextMatrix(2, 3), "");

    TextBox t{f, "t"};
    f.g.SetFocus();
    f.g.Tippen(U'8');
    t.SetFocus();
    EXPECT_FALSE(f.g.Editiert());
    EXPECT_EQ(f.g.TextMatrix(2, 3), "8");
}

TEST(Grid, CellGeometryFollowsWidthsHeightsAndTheTopRow) {
    frmGrid f;
    f.g.Move(100, 500, 6000, 2000);
    f.g.SetColWidth(1, 2000);
    f.g.SetColWidth(2, 1500);
    for (auto [r, h] : {std::pair{0, 280}, {1, 300}, {2, 400}}) f.g.SetRowHeight(r, h);
    EXPECT_EQ(f.g.CellLeft(1), 100);
    EXPECT_EQ(f.g.CellLeft(3), 100 + 2000 + 1500);
    EXPECT_EQ(f.g.CellTop(1), 500 + 280);
    EXPECT_EQ(f.g.CellTop(3), 500 + 280 + 300 + 400);
    f.g.SetTopRow(2);
    EXPECT_EQ(f.g.CellTop(2), 500 + 280);
    EXPECT_EQ(f.g.CellTop(1), 500 + 280 - 300);
    EXPECT_EQ(f.g.CellGeometrie(3, 2), (Geometrie{2100, 500 + 280 + 400, 1500, f.g.RowHeight(3)}));
}
