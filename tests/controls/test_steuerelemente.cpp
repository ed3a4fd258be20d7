// The simple controls on their own: typing into text fields, masks, combo and check boxes, option
// groups, focus order, change notifications and the replay target syntax.
#include <gtest/gtest.h>

#include "common/fehler_hilfe.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/einfache.h"
#include "platform/controls/form.h"
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

}  // namespace

TEST(TextFeld, TypingReplacesTheSelectionCountedInCharacters) {
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
}

TEST(TextFeld, KeyPressHandlerMayDiscardOrChangeTheCharacter) {
    frmKlein f;
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
}

TEST(MaskEdBox, MaskAndMaximumLengthLimitTyping) {
    frmKlein f;
    f.msk.SetMask("####");
    Tippe(f.msk, U"12a 34");
    EXPECT_EQ(f.msk.Text(), "12 3");
    f.msk.SetMask("");
    f.msk.SetText(std::string(64, '1'));
    f.msk.SetSelStart(64);
    EXPECT_EQ(f.msk.Tippen(U'2'), Tastenergebnis::Abgelehnt);
    EXPECT_THROW(f.msk.SetMask("##,##"), vk::LaufzeitFehler);
}

TEST(ComboBox, ChoosingRaisesClickAndAListTakesOnlyItsEntries) {
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
}

TEST(CheckAndOption, ValueSetByCodeClicksOnlyWhenItChanges) {
    frmKlein f;
    int klicks = 0;
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

TEST(Form, FocusOrderAndTheNameTable) {
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
}

// The GUI binding redraws on these notifications and stops listening when its widget goes.
TEST(Control, ObserversHearChangesUntilTheyStopListening) {
    frmKlein f;
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
