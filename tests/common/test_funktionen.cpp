// The input, formatting and placement helpers as the dialogs use them.
#include <gtest/gtest.h>

#include "common/einstellungen.h"
#include "common/funktionen.h"
#include "protokoll_hilfe.h"

namespace vk {
namespace {

// A text input and a form as the controls layer provides them.
struct Eingabe : TextEingabe {
    explicit Eingabe(std::string t = "") : text(std::move(t)) {}
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; }
    int SelStart() const override { return start; }
    void SetSelStart(int s) override { start = s; }
    int SelLength() const override { return laenge; }
    void SetSelLength(int l) override { laenge = l; }
    std::string text;
    int start = 0, laenge = 0;
};

struct Fenster : FensterForm {
    explicit Fenster(std::string name) : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    int WindowState() const override { return state_; }
    void SetWindowState(int s) override { state_ = s; }
    float Top() const override { return top_; }
    void SetTop(float t) override { top_ = t; }
    float Left() const override { return left_; }
    void SetLeft(float l) override { left_ = l; }
    std::string name_;
    int state_ = 0;
    float top_ = 99, left_ = 99;
};

TEST(ReadingValues, NullAndEmptyRecordValuesAndTolerantUserText) {
    EXPECT_EQ(ZahlDatensatzLesen(Variant("")), Variant(std::int32_t{0}));
    EXPECT_EQ(ZahlDatensatzLesen(Variant("0")), Variant("0"));
    EXPECT_EQ(ZahlDatensatzLesen(Variant::Null()), Variant(std::int32_t{0}));
    EXPECT_EQ(ZahlDatensatzLesen(Variant(190.0)), Variant(190.0));
    EXPECT_EQ(BoolDatensatzLesen(Variant("")), Variant(""));
    EXPECT_EQ(BoolDatensatzLesen(Variant::Null()), Variant(std::int32_t{0}));
    EXPECT_EQ(BoolDatensatzLesen(Variant(true)), Variant(true));

    // user text read tolerantly
    test::ProtokollLeeren();
    EXPECT_EQ(CVal("      7"), 7);
    EXPECT_EQ(CVal("12,5 m²"), 12.5);
    EXPECT_EQ(CVal("1.234,50 €"), 1234.5);
    EXPECT_EQ(CVal("1.200"), 1200);
    EXPECT_EQ(CVal("Flst. 12"), 0);
    EXPECT_EQ(CVal(""), 0);
    EXPECT_EQ(CVal("-12,5"), -12.5);
    EXPECT_EQ(CVal("333/1000"), 333);
    EXPECT_EQ(test::ProtokollEintraege(), 0);
    EXPECT_EQ(CVal("-"), 0);  // does not convert: logged
    EXPECT_EQ(test::ProtokollEintraege(), 1);
    EXPECT_NE(test::ProtokollText().find("-KalDienste- Funktionen.CVal"), std::string::npos);
    EXPECT_EQ(CVal("1-2 Punkte"), 0);
    EXPECT_EQ(test::ProtokollEintraege(), 2);
}

TEST(WertFormatieren, RightAlignedFixedWidthTextsAlsoOfDigitsTypedLeftAligned) {
    EXPECT_EQ(WertFormatieren("1234,5", 11, 2), "   1.234,50");
    EXPECT_EQ(WertFormatieren("12", 3, 0), " 12");
    EXPECT_EQ(WertFormatieren("0", 8, 2), "    0,00");
    EXPECT_EQ(WertFormatieren("", 5, 0), "    0");
    EXPECT_EQ(WertFormatieren("-12,5", 9, 2), "   -12,50");
    EXPECT_EQ(WertFormatieren("1234567,891", 5, 2), "1.234.567,89");
    EXPECT_EQ(WertFormatieren("1234,5", 8, 4), "  1234.5");
    EXPECT_EQ(WertFormatieren("1,005", 8, 2), "    1,01");
    EXPECT_EQ(WertFormatieren("1.234,50", 11, 2), "   1.234,50");  // already formatted: unchanged
    EXPECT_EQ(WertFormatieren("50%", 4, 0), "  50");
    EXPECT_EQ(WertFormatieren(1.0 / 3.0, 8, 2), "    0,33");
    EXPECT_EQ(WertFormatieren(2.0 / 3.0 * 1000, 10, 3), "   666,667");
    // "12" typed at the left of a 5-wide count field with trailing blanks.
    EXPECT_EQ(WertFormatieren("12   ", 5, 0), "   12");
    // Whatever follows position i is dropped.
    EXPECT_EQ(WertFormatieren("7 ,50", 8, 2), "    7,50");
    EXPECT_EQ(WertFormatieren("     ", 5, 0), "    0");
}

TEST(Wert_Key, CommaKeyRightAlignsTheIntegerDigitsAndSelectAllSelects) {
    Eingabe e("12   ,50");
    Wert_Key(e, 8, 2);
    EXPECT_EQ(e.Text(), "   12,  ");
    EXPECT_EQ(e.SelStart(), 6);
    EXPECT_EQ(e.SelLength(), 255);

    Eingabe ohneKomma("345");
    Wert_Key(ohneKomma, 8, 2);
    EXPECT_EQ(ohneKomma.Text(), "  345,  ");

    Eingabe vierStellen("1");
    Wert_Key(vierStellen, 8, 4);  // no comma part for other decimal counts
    EXPECT_EQ(vierStellen.Text(), "  1");

    vierStellen.SetSelStart(2);
    AllesMarkieren(vierStellen);
    EXPECT_EQ(vierStellen.SelStart(), 0);
    EXPECT_EQ(vierStellen.SelLength(), 255);
}

TEST(Fensterplatz, SavedPlacementRoundTripsAndAMaximisedFormSavesOnlyItsState) {
    Fenster nie("G_frmTabelle_NieGespeichert");
    GetWindowReg(nie);  // never saved: opens at the origin
    EXPECT_EQ(nie.top_, 0);
    EXPECT_EQ(nie.left_, 0);

    Fenster f("G_frmTabelle");
    f.top_ = 1234.5f;
    f.left_ = 600;
    SetWindowReg(f);
    Fenster g("G_frmTabelle");
    GetWindowReg(g);
    EXPECT_EQ(g.top_, 1234.5f);
    EXPECT_EQ(g.left_, 600);
    EXPECT_EQ(IniEinstellungen().Lesen("KalVerwaltung", "G_frmTabelle", "Top", ""), "1234,5");

    f.state_ = 2;
    f.top_ = 500;
    SetWindowReg(f);
    Fenster h("G_frmTabelle");
    GetWindowReg(h);
    EXPECT_EQ(h.state_, 2);
    EXPECT_EQ(h.top_, 99);  // a maximised window keeps its own position
}

}  // namespace
}  // namespace vk
