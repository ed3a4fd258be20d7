// The arithmetic of the invoice totals in whole cents: tags, rates in order of first appearance,
// the rules, and every shown amount rounded once so that the shown lines add up.
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

Regelwerte Rabatt(std::int16_t prozent) {
    Regelwerte w;
    w.Rabatt = prozent;
    return w;
}

TEST(Summenrechnung, TagsDecideHowAnAmountCounts) {
    // Untagged: the invoice's rate; "0": VAT-free; "no": not counted; carriage returns are ignored.
    Summen s = Erfassen({{"  100,00 €", ""}, {"   50,00 €", "0"}, {"   30,00 €", "no"}, {"", ""}, {"\r   20,00 €", ""}});
    RegelAnwenden(s, {});
    EXPECT_EQ(s.Gesamt, 17000);
    ASSERT_EQ(s.saetze.size(), 1u);
    EXPECT_EQ(s.saetze[0].satz, 19);
    EXPECT_EQ(s.saetze[0].basis, 12000);
    EXPECT_EQ(s.saetze[0].mwst, 2280);
    EXPECT_EQ(s.Frei, 5000);
    EXPECT_EQ(s.Netto, 17000);
    EXPECT_EQ(s.Rechnungsbetrag(), 19280);
    EXPECT_EQ(s.regel, Regel::Keine);
}

TEST(Summenrechnung, RatesInOrderOfFirstAppearanceEachRoundedOnItsOwn) {
    Summen s = Erfassen({{"   10,05 €", "7"}, {"   10,05 €", ""}, {"   10,05 €", "7,0"}, {"   10,00 €", "7,7"}});
    RegelAnwenden(s, {});
    ASSERT_EQ(s.saetze.size(), 3u);
    EXPECT_EQ(s.saetze[0].satz, 7);
    EXPECT_EQ(s.saetze[0].basis, 2010);
    EXPECT_EQ(s.saetze[0].mwst, 141);  // 7 % of 20,10 = 1,407
    EXPECT_EQ(s.saetze[1].satz, 19);
    EXPECT_EQ(s.saetze[1].mwst, 191);  // 19 % of 10,05 = 1,9095
    EXPECT_EQ(s.saetze[2].satz, 7.7);
    EXPECT_EQ(s.saetze[2].mwst, 77);
    EXPECT_EQ(s.MwSt, 141 + 191 + 77);
}

TEST(Summenrechnung, ADiscountRoundsEachShownAmountOnceAndTheLinesAddUp) {
    // 90 % of 400,05 is 360,045: shown 360,05; its VAT is 19 % of 360,05 = 68,4095, shown 68,41;
    // the invoice amount is what the two lines show together.
    Summen s = Erfassen({{"  400,05 €", ""}});
    RegelAnwenden(s, Rabatt(10));
    EXPECT_EQ(s.regel, Regel::Rabatt);
    EXPECT_EQ(s.Netto, 36005);
    EXPECT_EQ(s.saetze[0].basis, 36005);
    EXPECT_EQ(s.MwSt, 6841);
    EXPECT_EQ(s.Rechnungsbetrag(), 42846);
    EXPECT_EQ(Regeltext(s, Rabatt(10)), "Abzüglich dem Rabatt von 10%");
}

TEST(Summenrechnung, WithTwoRatesAndAVatFreePartEveryPartIsRoundedOnItsOwn) {
    // 3 % discount: 97,00 at 19 % (VAT 18,43), 33,33 × 0,97 = 32,3301 → 32,33 at 7 % (VAT 2,2631 → 2,26),
    // VAT-free 50,00 × 0,97 = 48,50. Net 177,83, VAT 20,69, invoice 198,52.
    Summen s = Erfassen({{"  100,00 €", ""}, {"   33,33 €", "7"}, {"   50,00 €", "0"}});
    RegelAnwenden(s, Rabatt(3));
    ASSERT_EQ(s.saetze.size(), 2u);
    EXPECT_EQ(s.saetze[0].basis, 9700);
    EXPECT_EQ(s.saetze[0].mwst, 1843);
    EXPECT_EQ(s.saetze[1].basis, 3233);
    EXPECT_EQ(s.saetze[1].mwst, 226);
    EXPECT_EQ(s.Frei, 4850);
    EXPECT_EQ(s.Steuerpflichtig, 12933);
    EXPECT_EQ(s.Netto, 17783);
    EXPECT_EQ(s.MwSt, 2069);
    EXPECT_EQ(s.Rechnungsbetrag(), 19852);
}

TEST(Summenrechnung, AdvancePaymentInPerCentAndAsAnAmount) {
    Summen p = Erfassen({{"  200,00 €", ""}});
    Regelwerte w;
    w.AbschlagProzent = 30;
    RegelAnwenden(p, w);
    EXPECT_EQ(p.Netto, 6000);
    EXPECT_EQ(p.MwSt, 1140);
    EXPECT_EQ(Regeltext(p, w), "Abschlagszahlung von 30%");

    // 100,00 € of 300,01 €, of which 200,01 € taxable: the base 66,67 (200,01 × 100 / 300,01),
    // VAT 12,67; the VAT-free part takes the rest of the 100,00 €.
    Summen b = Erfassen({{"  200,01 €", ""}, {"  100,00 €", "0"}});
    Regelwerte a;
    a.AbschlagAbsolut = 100;
    RegelAnwenden(b, a);
    EXPECT_EQ(b.regel, Regel::AbschlagBetrag);
    EXPECT_EQ(b.Netto, 10000);
    EXPECT_EQ(b.saetze[0].basis, 6667);
    EXPECT_EQ(b.MwSt, 1267);
    EXPECT_EQ(b.Frei, 3333);
    EXPECT_EQ(b.Rechnungsbetrag(), 11267);
    EXPECT_EQ(Regeltext(b, a), "Abschlagszahlung von ");
}

// 100,16 € of 625,05 € at three rates and nothing VAT-free: the bases 12,02 + 64,11 + 24,04 would
// make 100,17; the cent goes off the largest, so the shown bases make the advance and nothing is
// VAT-free. VAT 0,84 (7 %) + 12,18 (19 % of 64,10) + 3,85 (16 %).
TEST(Summenrechnung, AnAdvanceByAmountIsThatAmountToTheCent) {
    Summen s = Erfassen({{"   75,00 €", "7"}, {"  400,05 €", ""}, {"  150,00 €", "16"}});
    Regelwerte w;
    w.AbschlagAbsolut = 100.16;
    RegelAnwenden(s, w);
    ASSERT_EQ(s.saetze.size(), 3u);
    EXPECT_EQ(s.saetze[0].basis, 1202);
    EXPECT_EQ(s.saetze[1].basis, 6410);
    EXPECT_EQ(s.saetze[2].basis, 2404);
    EXPECT_EQ(s.Frei, 0);
    EXPECT_EQ(s.Netto, 10016);
    EXPECT_EQ(s.MwSt, 84 + 1218 + 385);
}

// Settings a host may hold that make no sense never price the invoice at zero or below.
TEST(Summenrechnung, SettingsOutsideTheirSenseAreReadAsNone) {
    struct Fall {
        std::int16_t rabatt, prozent;
        double absolut;
        std::int64_t netto;
        const char* regel;
    };
    for (const Fall& f : {Fall{-10, 100, 0, 40005, ""}, Fall{0, 150, 0, 40005, ""}, Fall{0, 100, -50, 40005, ""},
                          Fall{150, 100, 0, 0, "Abzüglich dem Rabatt von 100%"}}) {
        Summen s = Erfassen({{"  400,05 €", ""}});
        Regelwerte w;
        w.Rabatt = f.rabatt;
        w.AbschlagProzent = f.prozent;
        w.AbschlagAbsolut = f.absolut;
        RegelAnwenden(s, w);
        EXPECT_EQ(s.Netto, f.netto) << f.rabatt << " " << f.prozent << " " << f.absolut;
        EXPECT_EQ(Regeltext(s, w), f.regel);
    }
}

TEST(Summenrechnung, AnEmptyAdvancePercentageIsNoRule) {
    Summen s = Erfassen({{"  200,00 €", ""}});
    Regelwerte w;
    w.AbschlagProzent = 0;
    RegelAnwenden(s, w);
    EXPECT_EQ(s.regel, Regel::Keine);
    EXPECT_EQ(s.Netto, 20000);
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
