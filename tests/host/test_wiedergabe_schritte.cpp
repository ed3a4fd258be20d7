// The single steps a GUI host forwards: focus in and out, a grid cell made current, rows selected, one
// character typed into a grid; each refused where a person could not act, as the whole-value replay is.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "controls/testformular.h"
#include "platform/controls/wiedergabe.h"

using namespace vk::ui;
using vktest::FormularTest;
using ::testing::ElementsAre;

namespace {

using WiedergabeSchritte = FormularTest;

TEST_F(WiedergabeSchritte, BetretenUndVerlassenLösenDieFokusereignisseAus) {
    form().protokoll.clear();
    Betreten(form().MaskEdBoxWert);
    EXPECT_TRUE(form().MaskEdBoxWert.HatFokus());
    Verlassen(form().mskAnzahl);  // does not have the focus: nothing happens
    EXPECT_THAT(form().protokoll, ElementsAre("GotFocus"));
    Verlassen(form().MaskEdBoxWert);
    EXPECT_EQ(form().ActiveControl(), nullptr);
    EXPECT_EQ(form().protokoll.at(1), "LostFocus");
}

TEST_F(WiedergabeSchritte, GesperrteSteuerelementeNehmenKeinenSchrittAn) {
    form().MaskEdBoxWert.SetEnabled(false);
    EXPECT_THROW(Betreten(form().MaskEdBoxWert), vk::LaufzeitFehler);
    form().GridGebühren.SetVisible(false);
    EXPECT_THROW(ZelleWählen(form().GridGebühren, 1, 1), vk::LaufzeitFehler);
    EXPECT_THROW(Tippen(form().GridGebühren, U'1'), vk::LaufzeitFehler);
    EXPECT_THROW(ZeilenAuswählen(form().GridGebühren, {1}), vk::LaufzeitFehler);
}

TEST_F(WiedergabeSchritte, ZeichenweiseGetipptWieImGanzenGesetzt) {
    Grid& g = form().GridGebühren;
    ZelleWählen(g, 1, 3);
    EXPECT_TRUE(g.HatFokus());
    form().protokoll.clear();
    Tippen(g, U'9');
    Tippen(g, U'0');
    Tippen(g, U'0');
    EXPECT_TRUE(g.Editiert());
    EXPECT_EQ(g.EditText(), "900");
    TasteDrücken(g, taste::Enter);  // ends the edit as a navigation key does
    EXPECT_THAT(form().protokoll, ElementsAre("EditEnd", "Berechnen"));
    EXPECT_EQ(g.TextMatrix(1, 5), " 9.000,00");
    // A read-only column refuses the character.
    ZelleWählen(g, 1, 5);
    EXPECT_THROW(Tippen(g, U'1'), vk::LaufzeitFehler);
}

TEST_F(WiedergabeSchritte, ZeilenAuswahlErsetztDieBisherige) {
    Grid& g = form().GridGebühren;
    g.SetRows(3);
    ZeilenAuswählen(g, {1, 3});
    EXPECT_THAT(g.SelectedRows(), ElementsAre(1, 3));
    ZeilenAuswählen(g, {2});
    EXPECT_THAT(g.SelectedRows(), ElementsAre(2));
    ZeilenAuswählen(g, {});
    EXPECT_TRUE(g.SelectedRows().empty());
}

}  // namespace
