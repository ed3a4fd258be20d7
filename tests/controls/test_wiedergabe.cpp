// Replaying a person's actions on the test form by name: the handlers run in the order the actions cause.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "common/nachricht.h"
#include "controls/testformular.h"
#include "platform/controls/wiedergabe.h"

using namespace vk::ui;
using vktest::FormularTest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// The message of the run-time error an action gives ("" when it succeeds).
template <class F>
std::string Fehlertext(F&& f) {
    try {
        f();
    } catch (const vk::LaufzeitFehler& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST_F(FormularTest, MaskedFieldRunsGotFocusChangeLostFocusInOrder) {
    Setzen(form(), "MaskEdBoxWert", "12");
    // Each typed key changes the text; the lost-focus handler's reformatting is a change of its own.
    EXPECT_THAT(form().protokoll, ElementsAre("GotFocus", "Change", "Change", "LostFocus", "Change", "Berechnen"));
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "   12,00");
    EXPECT_EQ(form().ActiveControl(), nullptr);
}

TEST_F(FormularTest, TypedCommaGoesThroughTheKeyHandlerAndWertKey) {
    // Select-all on focus makes typing replace "    0,00"; "," runs Wert_Key, which selects the decimals.
    Setzen(form(), "MaskEdBoxWert=1234,5");
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "1.234,50");
    EXPECT_THAT(form().protokoll, ::testing::Contains("Wert_Key"));
}

TEST_F(FormularTest, EmptyValueClearsTheField) {
    Setzen(form(), "mskAnzahl", "7");
    EXPECT_EQ(form().mskAnzahl.Text(), " 7");
    Setzen(form(), "mskAnzahl", "");
    EXPECT_EQ(form().mskAnzahl.Text(), " 0");
}

TEST_F(FormularTest, MaskRefusesLettersAndTooManyDigits) {
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "mskAnzahl", "1a"); }), HasSubstr("frmTest.mskAnzahl"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "mskAnzahl", "123"); }), HasSubstr("'3'"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "txtZahlen", "5"); }), HasSubstr("read-only"));
}

TEST_F(FormularTest, CheckBoxClicksOnlyWhenTheValueChanges) {
    Setzen(form(), "chkÜbernahme=1");
    Setzen(form(), "chkÜbernahme=1");
    EXPECT_EQ(form().chkÜbernahme.Value(), 1);
    EXPECT_THAT(form().protokoll, ElementsAre("chkÜbernahme_Click"));
    Setzen(form(), "chkÜbernahme=0");
    EXPECT_EQ(form().protokoll.size(), 2u);
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "chkÜbernahme=ja"); }), HasSubstr("0 or 1"));
}

TEST_F(FormularTest, OptionOfAGroupClearsTheOthersAndClicksWithItsIndex) {
    Setzen(form(), "optArt(2)=1");
    EXPECT_TRUE(form().optArt(2).Value());
    EXPECT_FALSE(form().optArt(0).Value());
    EXPECT_EQ(form().optArt.Gewählt(), 2);
    EXPECT_THAT(form().protokoll, ElementsAre("optArt_Click(2)"));
    // The handler disabled the amount field: a person cannot type into it now.
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "MaskEdBoxWert=5"); }), HasSubstr("disabled or hidden"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "optArt(1)=0"); }), HasSubstr("optArt(1)"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "optArt=1"); }), HasSubstr("control array"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "optArt(3)=1"); }), HasSubstr("unknown control 'optArt(3)'"));
}

TEST_F(FormularTest, ControlsInAHiddenFrameCannotBeOperated) {
    form().fraArt.SetVisible(false);
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "optArt(1)=1"); }), HasSubstr("disabled or hidden"));
    EXPECT_EQ(form().optArt.Gewählt(), 0);
}

TEST_F(FormularTest, UnknownNamesAndBadTargetsNameTheControl) {
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "MaskEdBoxWrt=1"); }),
                HasSubstr("form frmTest: unknown control 'MaskEdBoxWrt'"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "GridGebühren=1"); }), HasSubstr("GridGebühren(row,column)"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "lblGebühr=1"); }), HasSubstr("lblGebühr"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "MaskEdBoxWert(1,2)=1"); }), HasSubstr("only a grid"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "GridGebühren(1,9)=1"); }), HasSubstr("column 9"));
    EXPECT_THAT(Fehlertext([&] { Setzen(form(), "ohne Gleichheitszeichen"); }), HasSubstr("NAME=VALUE"));
}

TEST_F(FormularTest, NamesMatchIgnoringAsciiCase) {
    Setzen(form(), "maskedboxwert", "3");
    EXPECT_EQ(form().MaskEdBoxWert.Text(), "    3,00");
}
