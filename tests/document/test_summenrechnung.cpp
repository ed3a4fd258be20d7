// The arithmetic of the invoice totals: tags, rates in order of first appearance, rules.
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "document/summenrechnung.h"

namespace vk {
namespace {

Summen Erfassen(const std::vector<Betragszelle>& zellen, std::int16_t satz = 19) {
    Summen s;
    for (const auto& z : zellen) BetragErfassen(s, z, satz);
    return s;
}

TEST(Summenrechnung, TagsDecideHowAnAmountCounts) {
    Summen s = Erfassen({{"  100,00 €", ""}, {"   50,00 €", "0"}, {"   30,00 €", "no"}, {"", ""}});
    RegelAnwenden(s, {});
    EXPECT_EQ(s.Gesamt, 150);
    ASSERT_EQ(s.saetze.size(), 1u);
    EXPECT_EQ(s.saetze[0].satz, 19.0f);
    EXPECT_EQ(s.saetze[0].netto, 100);
    EXPECT_EQ(s.MwSt, 19);
    EXPECT_EQ(s.Netto, 150);
    EXPECT_EQ(s.Netto - s.Steuerpflichtig, 50);  // the VAT-free part
    EXPECT_EQ(s.regel, Regel::Keine);
}

TEST(Summenrechnung, RatesInOrderOfFirstAppearanceEachRoundedOnItsOwn) {
    Summen s = Erfassen({{"   10,05 €", "7"}, {"   10,05 €", ""}, {"   10,05 €", "7"}});
    RegelAnwenden(s, {});
    ASSERT_EQ(s.saetze.size(), 2u);
    EXPECT_EQ(s.saetze[0].satz, 7.0f);
    EXPECT_DOUBLE_EQ(s.saetze[0].netto, 20.1);
    EXPECT_EQ(s.saetze[1].satz, 19.0f);
    // 7 % of 20,10 = 1,407 -> 1,41; 19 % of 10,05 = 1,9095 -> 1,91
    EXPECT_DOUBLE_EQ(s.MwSt, 1.41 + 1.91);
}

TEST(Summenrechnung, CarriageReturnsInAnAmountCellAreIgnored) {
    Summen s = Erfassen({{"\r  120,00 €", ""}});
    EXPECT_EQ(s.Gesamt, 120);
}

TEST(Summenrechnung, DiscountScalesEverything) {
    Summen s = Erfassen({{"  200,00 €", ""}});
    Regelwerte w;
    w.Rabatt = 10;
    RegelAnwenden(s, w);
    EXPECT_EQ(s.regel, Regel::Rabatt);
    EXPECT_DOUBLE_EQ(s.Netto, 180);
    EXPECT_DOUBLE_EQ(s.MwSt, 38 * 0.9);
    EXPECT_DOUBLE_EQ(s.MwStDesSatzes(s.saetze[0]), 34.2);
    EXPECT_EQ(Regeltext(s, w), "Abzüglich dem Rabatt von 10%");
}

TEST(Summenrechnung, AdvancePaymentInPerCentAndAsAnAmount) {
    Summen p = Erfassen({{"  200,00 €", ""}});
    Regelwerte w;
    w.AbschlagProzent = 30;
    RegelAnwenden(p, w);
    EXPECT_DOUBLE_EQ(p.Netto, 60);
    EXPECT_EQ(Regeltext(p, w), "Abschlagszahlung von 30%");

    Summen b = Erfassen({{" 1000,00 €", ""}});
    Regelwerte a;
    a.AbschlagAbsolut = 500;
    a.AbschlagProzent = 100;
    RegelAnwenden(b, a);
    EXPECT_EQ(b.regel, Regel::AbschlagBetrag);
    EXPECT_DOUBLE_EQ(b.Netto, 500);
    EXPECT_DOUBLE_EQ(b.Faktor, 0.5);
    EXPECT_DOUBLE_EQ(b.MwSt, 95);
    EXPECT_EQ(Regeltext(b, a), "Abschlagszahlung von ");
}

TEST(Summenrechnung, AnEmptyAdvancePercentageIsNoRule) {
    Summen s = Erfassen({{"  200,00 €", ""}});
    Regelwerte w;
    w.AbschlagProzent = 0;
    RegelAnwenden(s, w);
    EXPECT_EQ(s.regel, Regel::Keine);
    EXPECT_EQ(s.Netto, 200);
}

TEST(Summenrechnung, AdvanceAmountOnAnEmptyInvoiceRaisesInsteadOfDividingByZero) {
    Summen s;
    Regelwerte w;
    w.AbschlagAbsolut = 500;
    try {
        RegelAnwenden(s, w);
        FAIL() << "expected a division error";
    } catch (const LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), 11);
    }
    EXPECT_EQ(s.Netto, 0);  // never 500 payable on an empty invoice
}

}  // namespace
}  // namespace vk
