// One instance per form type, the load / show / unload lifecycle, and the window placement that
// outlives an instance (the host window a dialog is made a child of: Kat5 in tests/categories).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/funktionen.h"
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

TEST_F(FormularTest, OneInstancePerFormTypeLoadedOnce) {
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
}

TEST_F(FormularTest, UnloadDiscardsTheInstanceAndTheNextUseLoadsAfresh) {
    int entladungen = 0;
    frmTest& alt = form();
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
