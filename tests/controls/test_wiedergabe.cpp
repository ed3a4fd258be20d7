// Replaying a person's actions on the test form, by name and in the single steps a GUI host forwards
// (focus in and out, a cell made current, rows selected, one character typed): the handlers run in
// the order the actions cause, and a step is refused where a person could not act.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "controls/testformular.h"

using namespace vk::ui;
using vktest::FormularTest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(FormularTest, MaskedFieldRunsGotFocusChangeLostFocusInOrder) {
    Setzen(form(), "MaskEdBoxWert", "12");
    // The value is given whole, as pasted: one change; the lost-focus handler's reformatting is a
    // change of its own.
    EXPECT_THAT(form().protokoll, ElementsAre("GotFocus", "Change", "LostFocus", "Change", "Berechnen"));
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "   12,00");
    EXPECT_EQ(form().ActiveControl(), nullptr);
    Setzen(form(), "maskedboxwert", "3");  // names match ignoring ASCII case
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "    3,00");
}

TEST_F(FormularTest, TypedCommaGoesThroughTheKeyHandlerAndWertKeyAWholeTextDoesNot) {
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

TEST_F(FormularTest, OptionOfAGroupClearsTheOthersAndClicksWithItsIndex) {
    Setzen(form(), "optArt(2)=1");
    EXPECT_EQ(form().optArt.Gewählt(), 2);
    EXPECT_THAT(form().protokoll, ElementsAre("optArt_Click(2)"));
    // The handler disabled the amount field: a person cannot type into it now.
    EXPECT_THAT(Fehler("MaskEdBoxWert=5"), HasSubstr("gesperrt oder verborgen"));
}

TEST_F(FormularTest, DisabledOrHiddenControlsRefuseEveryStep) {
    form().fraArt.SetVisible(false);
    EXPECT_THAT(Fehler("optArt(1)=1"), HasSubstr("gesperrt oder verborgen"));
    EXPECT_EQ(form().optArt.Gewählt(), 0);
    form().MaskEdBoxWert.SetEnabled(false);
    EXPECT_THROW(Betreten(form().MaskEdBoxWert), vk::LaufzeitFehler);
    form().GridGebühren.SetVisible(false);
    EXPECT_THROW(ZelleWählen(form().GridGebühren, 1, 1), vk::LaufzeitFehler);
    EXPECT_THROW(Tippen(form().GridGebühren, U'1'), vk::LaufzeitFehler);
    EXPECT_THROW(ZeilenAuswählen(form().GridGebühren, {1}), vk::LaufzeitFehler);
}

TEST_F(FormularTest, FocusStepsRaiseTheFocusEventsOfTheFocusedControlOnly) {
    Betreten(form().MaskEdBoxWert);
    EXPECT_TRUE(form().MaskEdBoxWert.HatFokus());
    Verlassen(form().mskAnzahl);  // does not have the focus: nothing happens
    Verlassen(form().MaskEdBoxWert);
    EXPECT_EQ(form().ActiveControl(), nullptr);
    EXPECT_THAT(form().protokoll, ElementsAre("GotFocus", "LostFocus", "Berechnen"));
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
