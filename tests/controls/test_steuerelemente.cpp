// The simple controls on their own: typing into text fields, masks, combo and check boxes, option
// groups, focus order, change notifications and the replay target syntax; the grid model: rows and
// selection, current cell, edits, keys and cell geometry.
#include <gtest/gtest.h>

#include "common/fehler_hilfe.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/einfache.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"
#include "platform/controls/optionbutton.h"
#include "platform/controls/textfeld.h"
#include "platform/controls/ziel.h"

using namespace vk::ui;

namespace {

class frmKlein : public Form {
public:
    frmKlein() : Form("frmKlein") { Show(); }
    TextBox txt{*this, "txt"};
    MaskEdBox msk{*this, "msk"};
    ComboBox com{*this, "com"};
    CheckBox chk{*this, "chk"};
    Frame fra{*this, "fra"};
    OptionGruppe opt{fra, "opt", 2};
};

void Tippe(TextFeld& f, std::u32string_view text) {
    for (char32_t z : text) f.Tippen(z);
}

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

TEST(TextFeld, TypingReplacesTheSelectionAndKeyPressMaskAndLengthLimitIt) {
    frmKlein f;
    f.txt.SetText("Flst.Nr. Ü12");
    f.txt.SetSelStart(9);
    f.txt.SetSelLength(1);
    EXPECT_EQ(f.txt.SelText(), "Ü");
    Tippe(f.txt, U"Ö");
    EXPECT_EQ(f.txt.Text(), "Flst.Nr. Ö12");
    EXPECT_EQ(f.txt.SelStart(), 10);
    f.txt.Tippen(taste::Rücktaste);
    EXPECT_EQ(f.txt.Text(), "Flst.Nr. 12");
    f.txt.SetSelStart(9);
    f.txt.SetSelLength(255);  // "select the rest" ends at the text's end
    EXPECT_EQ(f.txt.SelLength(), 2);
    f.txt.SetSelStart(500);
    EXPECT_EQ(f.txt.SelStart(), 11);

    // A key-press handler may discard or change the character.
    f.txt.SetText("");
    int änderungen = 0;
    f.txt.Change.Verbinden([&] { ++änderungen; });
    f.txt.KeyPress.Verbinden([](int& code) {
        if (code == 'x') code = 0;
        if (code == 'a') code = 'A';
    });
    EXPECT_EQ(f.txt.Tippen(U'x'), Tastenergebnis::Verworfen);
    EXPECT_EQ(f.txt.Tippen(U'a'), Tastenergebnis::Angenommen);
    EXPECT_EQ(f.txt.Tippen(taste::Enter), Tastenergebnis::Angenommen);
    EXPECT_EQ(f.txt.Text(), "A");
    EXPECT_EQ(änderungen, 1);
    // A mask and the maximum length limit typing.
    f.msk.SetMask("####");
    Tippe(f.msk, U"12a 34");
    EXPECT_EQ(f.msk.Text(), "12 3");
    f.msk.SetMask("");
    f.msk.SetText(std::string(64, '1'));
    f.msk.SetSelStart(64);
    EXPECT_EQ(f.msk.Tippen(U'2'), Tastenergebnis::Abgelehnt);
    EXPECT_THROW(f.msk.SetMask("##,##"), vk::LaufzeitFehler);
}

TEST(ComboCheckAndOption, ChoosingClicksOnceAndAListTakesOnlyItsEntries) {
    frmKlein f;
    int klicks = 0, änderungen = 0;
    f.com.Click.Verbinden([&] { ++klicks; });
    f.com.Change.Verbinden([&] { ++änderungen; });
    for (const char* eintrag : {"10.1", "10.3"}) f.com.AddItem(eintrag);
    f.com.SetText("10.3");
    EXPECT_EQ(f.com.ListIndex(), 1);
    f.com.SetListIndex(1);
    EXPECT_EQ(klicks, 1);
    EXPECT_EQ(vktest::FehlerVon([&] { f.com.SetText("10.2"); }).nummer, 383);
    EXPECT_THROW(f.com.SetListIndex(2), vk::LaufzeitFehler);
    f.com.AddItem("10.0", 0);
    EXPECT_EQ(f.com.Text(), "10.3");
    EXPECT_EQ(f.com.ListIndex(), 2);
    f.com.SetStyle(ComboBox::Stil::Bearbeitbar);
    f.com.SetText("frei");
    EXPECT_EQ(f.com.ListIndex(), -1);
    EXPECT_EQ(änderungen, 1);
    f.com.Clear();
    EXPECT_EQ(f.com.ListCount(), 0);
    // A check box or option set by code clicks only when its value changes.
    klicks = 0;
    f.chk.Click.Verbinden([&] { ++klicks; });
    f.chk.SetValue(1);
    f.chk.SetValue(1);
    EXPECT_EQ(klicks, 1);
    EXPECT_THROW(f.chk.SetValue(2), vk::LaufzeitFehler);
    EXPECT_EQ(f.chk.Value(), 1);
    f.chk.SetValue(0);
    EXPECT_EQ(klicks, 2);

    std::vector<int> gewählt;
    f.opt.Click.Verbinden([&](int i) { gewählt.push_back(i); });
    f.opt(0).SetValue(true);
    f.opt(1).SetValue(true);
    f.opt(1).SetValue(true);
    EXPECT_FALSE(f.opt(0).Value());  // one selected at a time
    EXPECT_EQ(gewählt, (std::vector<int>{0, 1}));
    EXPECT_EQ(f.Finden("opt", 1), &f.opt(1));
    EXPECT_EQ(f.opt(1).Parent(), &f.fra);
    EXPECT_THROW(f.opt(2), vk::LaufzeitFehler);
}

TEST(Form, FocusOrderTheNameTableAndObservers) {
    frmKlein f;
    std::vector<std::string> ablauf;
    f.txt.LostFocus.Verbinden([&] { ablauf.push_back("txt verloren, aktiv " + f.ActiveControl()->Name()); });
    f.msk.GotFocus.Verbinden([&] { ablauf.push_back("msk erhalten"); });
    f.txt.SetFocus();
    f.msk.SetFocus();
    EXPECT_EQ(ablauf, (std::vector<std::string>{"txt verloren, aktiv msk", "msk erhalten"}));
    f.chk.SetEnabled(false);
    EXPECT_THROW(f.chk.SetFocus(), vk::LaufzeitFehler);
    EXPECT_THROW(f.fra.SetFocus(), vk::LaufzeitFehler);
    EXPECT_EQ(f.ActiveControl(), &f.msk);
    EXPECT_THROW(TextBox(f, "txt"), std::logic_error);  // a name is declared once
    {
        TextBox zusatz{f, "zusatz"};
        zusatz.SetFocus();
        EXPECT_EQ(f.Finden("zusatz"), &zusatz);
    }
    EXPECT_EQ(f.Finden("zusatz"), nullptr);
    EXPECT_EQ(f.ActiveControl(), nullptr);
    // The GUI binding redraws on these notifications and stops listening when its widget goes.
    int meldungen = 0;
    const int nummer = f.txt.Beobachten([&](const Control& c) {
        EXPECT_EQ(&c, &f.txt);
        ++meldungen;
    });
    f.txt.SetText("a");
    f.txt.SetEnabled(false);
    EXPECT_EQ(meldungen, 2);
    f.txt.NichtMehrBeobachten(nummer);
    f.txt.SetVisible(false);
    EXPECT_EQ(meldungen, 2);
}

TEST(Ziel, NamesIndexesAndCells) {
    EXPECT_EQ(ZielLesen("MaskEdBoxWert").indizes.size(), 0u);
    EXPECT_EQ(ZielLesen("optArt(1)").indizes, (std::vector<int>{1}));
    const Ziel zelle = ZielLesen(" GridGebühren( 2 ,5) ");
    EXPECT_EQ(zelle.name, "GridGebühren");
    EXPECT_EQ(zelle.indizes, (std::vector<int>{2, 5}));
    EXPECT_EQ(zelle.Text(), "GridGebühren(2,5)");
    for (const char* falsch : {"", "(1)", "a(", "a(x)", "a(1,2,3)", "a()", "a(1)b", "a b"})
        EXPECT_THROW(ZielLesen(falsch), vk::LaufzeitFehler) << falsch;
    const auto [ziel, wert] = AnweisungLesen("txtAnzahl= 3=4");
    EXPECT_EQ(ziel.name, "txtAnzahl");
    EXPECT_EQ(wert, " 3=4");
}

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

// The header row is apart from the data rows; the current cell stays inside them.
TEST(Grid, HeaderRowApartAndCurrentCellStaysInsideReportingEachChangeOnce) {
    frmGrid f;
    f.g.SetHeaderText(2, " Wert [€]");
    EXPECT_EQ(f.g.TextMatrix(0, 2), " Wert [€]");
    EXPECT_EQ(f.g.Rows(), 4);
    f.g.SetZelle(4, 3);
    EXPECT_EQ(f.wechsel, 1);
    f.g.SetZelle(4, 3);
    EXPECT_EQ(f.wechsel, 1);
    f.g.RemoveRow(4);  // the current row went away: the last row becomes current
    EXPECT_EQ(f.g.Row(), 3);
    EXPECT_EQ(f.wechsel, 2);
    f.g.SetCols(2);
    EXPECT_EQ(f.g.Col(), 2);
    f.g.SetRows(2);
    f.g.SetRows(3);
    EXPECT_EQ(f.g.HeaderText(2), " Wert [€]");
    EXPECT_EQ(f.g.TextMatrix(3, 1), "");  // a dropped row does not come back
    f.g.SetRows(0);
    EXPECT_EQ(f.g.Row(), 0);
    auto fehler = vktest::FehlerVon([&] { f.g.SetRow(1); });
    EXPECT_EQ(fehler.nummer, 9);
    EXPECT_EQ(fehler.text, "g: die Zeile 1 gibt es nicht (Zeilen: 0)");
}

TEST(Grid, EditEndSeesTheTypedTextAndMayRejectItNavigationAndFocusLossFinishIt) {
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
    // Navigation keys and the focus lost finish a pending edit, which is accepted.
    antwort = 0;
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
