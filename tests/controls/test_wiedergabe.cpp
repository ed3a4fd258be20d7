// The test form's lifecycle (one instance per form type, load / show / unload, the window placement
// that outlives an instance) and replaying a person's actions on it, by name and in the single steps
// a GUI host forwards (focus in and out, a cell made current, rows selected, one character typed):
// the handlers run in the order the actions cause, and a step is refused where a person could not
// act. Grid work: cell edits, the in-cell combo editor, key-down handling, adding rows the way a
// person does, and the grid buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/nachricht.h"
#include "controls/testformular.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "platform/controls/symbole.h"

using namespace vk::ui;
using vktest::FehlerVon;
using vktest::FormularTest;
using vktest::frmTest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(FormularTest, OneInstancePerFormTypeLoadedOnceUntilUnloaded) {
    frmTest& a = form();
    EXPECT_EQ(&Formen::Instanz<frmTest>(), &a);
    a.Show();  // already loaded: brought forward, not loaded again
    EXPECT_EQ(a.ladungen, 1);
    EXPECT_THAT(StandardFensterverwaltung().NachVorneGeholt(), ElementsAre(a.hWnd(), a.hWnd()));
    a.Hide();
    EXPECT_TRUE(a.Geladen());
    EXPECT_FALSE(a.Visible());

    auto& z = Formen::Instanz<vktest::frmZweit>();
    EXPECT_NE(static_cast<Form*>(&z), static_cast<Form*>(&a));
    EXPECT_FALSE(z.Geladen());
    EXPECT_EQ(Formen::Alle().size(), 2u);

    // Unloading discards the instance; the next use loads afresh.
    int entladungen = 0;
    frmTest& alt = form();
    alt.Show();
    alt.entladungen = &entladungen;
    Setzen(alt, "chkÜbernahme=1");
    alt.SetTop(1200.0f);
    vk::SetWindowReg(alt);  // the placement outlives the instance
    const Fenster altesFenster = alt.hWnd();
    alt.Unload();
    alt.Unload();  // not loaded any more: nothing runs
    EXPECT_EQ(entladungen, 1);
    EXPECT_EQ(alt.hWnd(), 0);
    EXPECT_EQ(FehlerVon([&] { alt.Show(); }).nummer, 91);

    frmTest& neu = form();
    EXPECT_FALSE(neu.Geladen());
    neu.Show();
    EXPECT_EQ(neu.ladungen, 1);
    EXPECT_EQ(neu.chkÜbernahme.Value(), 0);
    EXPECT_NE(neu.hWnd(), altesFenster);
    EXPECT_EQ(neu.Top(), 0.0f);
    vk::GetWindowReg(neu);
    EXPECT_EQ(neu.Top(), 1200.0f);
}

TEST(Symbole, AnUnknownPictureIsAnErrorNamingIt) {
    auto fehler = FehlerVon([] { Symbole().ListenBild("ImageListButton", "Drucken"); });
    EXPECT_EQ(fehler.nummer, 35601);
    EXPECT_NE(fehler.text.find("Drucken"), std::string::npos);
}

// The GUI host plugs in its own services and removes them again when it closes.
TEST(Dienste, HostReplacesAServiceAndNullRestoresTheDefault) {
    struct Zähler : Bildschirm {
        int MousePointer() const override { return 0; }
        void SetMousePointer(int) override { ++gesetzt; }
        int gesetzt = 0;
    };
    auto eigener = std::make_shared<Zähler>();
    BildschirmSetzen(eigener);
    Screen().SetMousePointer(mauszeiger::Sanduhr);
    EXPECT_EQ(eigener->gesetzt, 1);
    BildschirmSetzen(nullptr);
    StandardBildschirm().Zurücksetzen();
    Screen().SetMousePointer(mauszeiger::Sanduhr);
    EXPECT_EQ(eigener->gesetzt, 1);
    EXPECT_EQ(StandardBildschirm().MousePointer(), mauszeiger::Sanduhr);
    Screen().SetMousePointer(mauszeiger::Standard);
}

TEST_F(FormularTest, MaskedFieldRunsItsFocusChangeAndKeyHandlersInOrder) {
    Setzen(form(), "MaskEdBoxWert", "12");
    // The value is given whole, as pasted: one change; the lost-focus handler's reformatting is a
    // change of its own.
    EXPECT_THAT(form().protokoll, ElementsAre("GotFocus", "Change", "LostFocus", "Change", "Berechnen"));
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "   12,00");
    EXPECT_EQ(form().ActiveControl(), nullptr);
    Setzen(form(), "maskedboxwert", "3");  // names match ignoring ASCII case
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "    3,00");

    // Focus steps raise the focus events of the focused control only.
    form().protokoll.clear();
    Betreten(form().MaskEdBoxWert);
    EXPECT_TRUE(form().MaskEdBoxWert.HatFokus());
    Verlassen(form().mskAnzahl);
    Verlassen(form().MaskEdBoxWert);
    EXPECT_EQ(form().ActiveControl(), nullptr);
    EXPECT_THAT(form().protokoll, ElementsAre("GotFocus", "LostFocus", "Berechnen"));

    // Keys typed one by one: select-all on focus makes typing replace "    0,00"; "," runs Wert_Key,
    // which right-aligns the digits and selects the decimals.
    Betreten(form().MaskEdBoxWert);
    for (char c : std::string("1234,5")) TasteDrücken(form(), "MaskEdBoxWert", c);
    Verlassen(form().MaskEdBoxWert);
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "1.234,50");
    EXPECT_THAT(form().protokoll, ::testing::Contains("Wert_Key"));
    // A whole text is the German number it reads as, thousands point and all.
    form().protokoll.clear();
    for (const char* text : {"1.250,00", "1.250"}) {
        Setzen(form(), "MaskEdBoxWert", text);
        EXPECT_EQ(form().MaskEdBoxWert.Text(), "1.250,00") << text;
    }
    EXPECT_THAT(form().protokoll, ::testing::Not(::testing::Contains("Wert_Key")));
}

TEST_F(FormularTest, OptionClicksWithItsIndexAndDisabledOrHiddenControlsRefuseEveryStep) {
    Setzen(form(), "optArt(2)=1");
    EXPECT_EQ(form().optArt.Gewählt(), 2);
    EXPECT_THAT(form().protokoll, ElementsAre("optArt_Click(2)"));
    // The handler disabled the amount field: a person cannot type into it now.
    EXPECT_THAT(Fehler("MaskEdBoxWert=5"), HasSubstr("gesperrt oder verborgen"));
    // Disabled or hidden, a control refuses every step.
    form().fraArt.SetVisible(false);
    EXPECT_THAT(Fehler("optArt(1)=1"), HasSubstr("gesperrt oder verborgen"));
    EXPECT_EQ(form().optArt.Gewählt(), 2);
    EXPECT_THROW(Betreten(form().MaskEdBoxWert), vk::LaufzeitFehler);
    form().GridGebühren.SetVisible(false);
    EXPECT_THROW(ZelleWählen(form().GridGebühren, 1, 1), vk::LaufzeitFehler);
    EXPECT_THROW(Tippen(form().GridGebühren, U'1'), vk::LaufzeitFehler);
    EXPECT_THROW(ZeilenAuswählen(form().GridGebühren, {1}), vk::LaufzeitFehler);
}

TEST_F(FormularTest, RefusedActionsNameTheControlAndTheReason) {
    const std::pair<const char*, const char*> fälle[] = {
        {"mskAnzahl=1a", "frmTest.mskAnzahl"},
        {"mskAnzahl=123", "nimmt \"123\" nicht an (Maske oder Höchstlänge)"},
        {"txtZahlen=5", "schreibgeschützt"},
        {"chkÜbernahme=ja", "0 oder 1"},
        {"optArt(1)=0", "optArt(1)"},
        {"optArt=1", "Steuerelementfeld"},
        {"optArt(3)=1", "unbekanntes Steuerelement 'optArt(3)'"},
        {"MaskEdBoxWrt=1", "Formular frmTest: unbekanntes Steuerelement 'MaskEdBoxWrt'"},
        {"GridGebühren=1", "GridGebühren(Zeile,Spalte)"},
        {"lblGebühr=1", "lblGebühr"},
        {"MaskEdBoxWert(1,2)=1", "nur eine Tabelle"},
        {"GridGebühren(1,9)=1", "die Spalte 9"},
        {"GridGebühren(1,5)=1", "die Spalte 5 ist schreibgeschützt"},
        {"ohne Gleichheitszeichen", "NAME=WERT"},
    };
    for (const auto& [anweisung, meldung] : fälle) EXPECT_THAT(Fehler(anweisung), HasSubstr(meldung)) << anweisung;
    EXPECT_EQ(form().chkÜbernahme.Value(), 0);
    EXPECT_EQ(form().optArt.Gewählt(), 0);
}

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

TEST_F(FormularTest, RowsAreAddedByTabInTheAddRowColumnWhichTheKeyDownHandlerConsumes) {
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
    // A row that cannot be added is an error.
    g.SetAnfügeSpalte(3);  // Tab there only moves on: no handler adds a row
    EXPECT_THAT(Fehler("GridGebühren(6,3)=1"),
                HasSubstr("frmTest.GridGebühren: Tab in Spalte 3 der letzten Zeile fügte 0 Zeilen statt einer an"));
    EXPECT_EQ(g.Rows(), 5);
    g.SetAnfügeSpalte(0);
    EXPECT_THAT(Fehler("GridGebühren(6,3)=1"), HasSubstr("keine Spalte zum Anfügen"));
    // A key-down handler that consumes Tab suppresses the grid's move.
    g.SetZelle(1, 5);
    TasteDrücken(form(), "GridGebühren", taste::Tab);
    EXPECT_EQ(g.Rows(), 5);  // not the last row: only moves down, where the grid would wrap to column 1
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 5);
    g.SetZelle(1, 3);
    TasteDrücken(form(), "GridGebühren", taste::Tab);  // a column the handler leaves alone
    EXPECT_EQ(g.Col(), 4);
    TasteDrücken(form(), "GridGebühren", taste::Tab, umschalt::Shift);
    EXPECT_EQ(g.Col(), 3);
}

TEST_F(FormularTest, DeleteButtonAsksAndRemovesEverySelectedRow) {
    Grid& g = form().GridGebühren;
    auto& fragen = vk::StandardNachrichten();
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
    EXPECT_EQ(fragen.Gestellt().size(), 2u) << "asked each time";
    ASSERT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(1, 1), "2");
    EXPECT_TRUE(g.SelectedRows().empty());
}

// Keys and clicks a host forwards by name; a button whose handler unloads its form finishes it.
TEST_F(FormularTest, HostKeysAndButtonsByNameAndAButtonThatUnloadsItsForm) {
    TasteDrücken(form(), "MaskEdBoxWert", '7');
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "7");
    EXPECT_EQ(form().ActiveControl(), &form().MaskEdBoxWert);
    EXPECT_THAT(FehlerVon([&] { Klicken(form(), "chkÜbernahme"); }).text, HasSubstr("ist keine Schaltfläche"));
    EXPECT_THAT(FehlerVon([&] { TasteDrücken(form(), "lblVersion", 9); }).text, HasSubstr("nimmt keine Tasten"));
    form().protokoll.clear();
    frmTest& alt = form();
    Setzen(alt, "CommandEnde", "");  // the field's focus leaves it before the click
    EXPECT_THAT(alt.protokoll, ElementsAre("LostFocus", "Change", "Berechnen", "CommandEnde_Click", "nach Unload"));
    EXPECT_FALSE(alt.Geladen());
    EXPECT_EQ(Formen::Vorhanden<frmTest>(), nullptr);
    EXPECT_THAT(FehlerVon([&] { Setzen(alt, "chkÜbernahme=1"); }).text, HasSubstr("nicht geladen"));
}
