// Replaying grid work on the test form: cell edits, the in-cell combo editor, key-down handling,
// adding rows the way a person does, and the grid buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "common/fehler.h"
#include "common/nachricht.h"
#include "controls/testformular.h"
#include "platform/controls/formen.h"

using namespace vk::ui;
using vktest::FormularTest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(FormularTest, CellEditEndsBeforeTheRecomputationWhetherSetWholeOrTypedKeyByKey) {
    Setzen(form(), "GridGebühren(1,3)=900");
    Grid& g = form().GridGebühren;
    EXPECT_THAT(form().protokoll, ElementsAre("EditEnd", "Berechnen"));
    EXPECT_EQ(g.TextMatrix(1, 3), "  900");
    EXPECT_EQ(g.TextMatrix(1, 5), " 9.000,00");
    EXPECT_EQ(form().lblGebühr.Caption(), "   9.000,00");
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 3);

    ZelleWählen(g, 1, 4);
    EXPECT_TRUE(g.HatFokus());
    form().protokoll.clear();
    for (char32_t z : std::u32string(U"2,5")) Tippen(g, z);
    EXPECT_TRUE(g.Editiert());
    EXPECT_EQ(g.EditText(), "2,5");
    TasteDrücken(g, taste::Enter);  // ends the edit as a navigation key does
    EXPECT_THAT(form().protokoll, ElementsAre("EditEnd", "Berechnen"));
    EXPECT_EQ(g.TextMatrix(1, 5), " 2.250,00");
    ZelleWählen(g, 1, 5);  // a read-only column refuses the character
    EXPECT_THROW(Tippen(g, U'1'), vk::LaufzeitFehler);
}

TEST_F(FormularTest, ComboEditorIsLaidOverItsCellAndSetsItWhenLeft) {
    Grid& g = form().GridGebühren;
    const ComboBox& combo = form().ComboBox4;
    g.SetZelle(1, 2);
    EXPECT_TRUE(combo.Visible());
    EXPECT_EQ(combo.Lage(), (Geometrie{120 + 2840, 600 + 300, 1000, 315}));
    g.SetCol(3);
    EXPECT_FALSE(combo.Visible());

    Setzen(form(), "GridGebühren(1,2)=nein");
    EXPECT_EQ(g.TextMatrix(1, 2), "nein");
    EXPECT_THAT(form().protokoll, ElementsAre("ComboBox4_LostFocus"));
    // The editor's focus handler saw the grid taking the focus back and moved on to column 3.
    EXPECT_EQ(g.Col(), 3);
    EXPECT_FALSE(combo.Visible());
    EXPECT_EQ(form().ActiveControl(), &g);

    EXPECT_THAT(Fehler("GridGebühren(1,2)=vielleicht"),
                HasSubstr("frmTest.ComboBox4: \"vielleicht\" steht nicht in der Liste (\"ja\", \"nein\")"));
    EXPECT_EQ(g.TextMatrix(1, 2), "nein");
    // A form that forgets to lay its editor over the cell: the replay says so instead of guessing.
    g.SetCol(3);
    g.RowColChange.Verbinden([this] { form().ComboBox4.SetVisible(false); });
    EXPECT_THAT(Fehler("GridGebühren(1,2)=ja"), HasSubstr("liegt nicht über"));
}

TEST_F(FormularTest, KeyDownHandlerThatConsumesTabSuppressesTheGridsMove) {
    Klicken(form(), "CommandNeu");  // two rows
    Grid& g = form().GridGebühren;
    ASSERT_EQ(g.Rows(), 2);
    g.SetZelle(1, 5);
    TasteDrücken(form(), "GridGebühren", taste::Tab);
    EXPECT_EQ(g.Rows(), 2);  // not the last row: only moves down, where the grid would wrap to column 1
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 5);
    g.SetZelle(1, 3);
    TasteDrücken(form(), "GridGebühren", taste::Tab);  // a column the handler leaves alone
    EXPECT_EQ(g.Col(), 4);
    TasteDrücken(form(), "GridGebühren", taste::Tab, umschalt::Shift);
    EXPECT_EQ(g.Col(), 3);
}

TEST_F(FormularTest, RowsAreAddedByTabInTheAddRowColumnAsAPersonDoes) {
    Grid& g = form().GridGebühren;
    g.SetZelle(1, 5);
    TasteDrücken(form(), "GridGebühren", taste::Tab);
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.RowHeight(1), 300);
    EXPECT_EQ(g.TextMatrix(1, 1), "Flst.Nr. 123/4");
    // A cell beyond the last row: the replay adds one row per Tab until it exists.
    form().protokoll.clear();
    Setzen(form(), "GridGebühren(3,1)=Flst.Nr. 9");
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(std::count(form().protokoll.begin(), form().protokoll.end(), "KeyDown"), 1);
    EXPECT_EQ(g.TextMatrix(3, 1), "Flst.Nr. 9");
    Setzen(form(), "GridGebühren(5,3)=1");
    EXPECT_EQ(g.Rows(), 5);
}

TEST_F(FormularTest, RowThatCannotBeAddedIsAnError) {
    Grid& g = form().GridGebühren;
    g.SetAnfügeSpalte(3);  // Tab there only moves on: no handler adds a row
    EXPECT_THAT(Fehler("GridGebühren(2,3)=1"),
                HasSubstr("frmTest.GridGebühren: Tab in Spalte 3 der letzten Zeile fügte 0 Zeilen statt einer an"));
    EXPECT_EQ(g.Rows(), 1);
    g.SetAnfügeSpalte(0);
    EXPECT_THAT(Fehler("GridGebühren(2,3)=1"), HasSubstr("keine Spalte zum Anfügen"));
}

TEST_F(FormularTest, DeleteButtonAsksAndRemovesEverySelectedRow) {
    Grid& g = form().GridGebühren;
    auto& fragen = vk::StandardNachrichten();
    Klicken(form(), "CommandLöschen");  // one row: nothing asked, nothing removed
    EXPECT_TRUE(fragen.Gestellt().empty());

    Klicken(form(), "CommandNeu");
    Klicken(form(), "CommandNeu");
    for (int r = 1; r <= 3; ++r) g.SetTextMatrix(r, 1, std::to_string(r));
    ZeilenAuswählen(g, {2});
    ZeilenAuswählen(g, {1, 3});  // a selection replaces the one before
    EXPECT_THAT(g.SelectedRows(), ElementsAre(1, 3));
    Klicken(form(), "CommandLöschen");  // no scripted answer: the safe "No"
    EXPECT_EQ(g.Rows(), 3);
    fragen.Antworten(vk::msgbox::Ja);
    Klicken(form(), "CommandLöschen");  // the selection shifts with each removal until it is empty
    EXPECT_EQ(fragen.Gestellt().size(), 2u);
    ASSERT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(1, 1), "2");
    EXPECT_TRUE(g.SelectedRows().empty());
}

TEST_F(FormularTest, ButtonThatUnloadsItsFormFinishesItsHandler) {
    vktest::frmTest& alt = form();
    Setzen(alt, "CommandEnde", "");
    EXPECT_THAT(alt.protokoll, ElementsAre("CommandEnde_Click", "nach Unload"));
    EXPECT_FALSE(alt.Geladen());
    EXPECT_EQ(Formen::Vorhanden<vktest::frmTest>(), nullptr);
    EXPECT_THAT(vktest::FehlerVon([&] { Setzen(alt, "chkÜbernahme=1"); }).text, HasSubstr("nicht geladen"));
}

TEST_F(FormularTest, HostKeysAndButtonsByName) {
    TasteDrücken(form(), "MaskEdBoxWert", '7');
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "7");
    EXPECT_EQ(form().ActiveControl(), &form().MaskEdBoxWert);
    EXPECT_THAT(vktest::FehlerVon([&] { Klicken(form(), "chkÜbernahme"); }).text, HasSubstr("ist keine Schaltfläche"));
    EXPECT_THAT(vktest::FehlerVon([&] { TasteDrücken(form(), "lblVersion", 9); }).text, HasSubstr("nimmt keine Tasten"));
}
