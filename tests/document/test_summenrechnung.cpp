// The arithmetic of the invoice totals in whole cents: tags, rates in order of first appearance,
// the rules, and every shown amount rounded once so that the shown lines add up.
#include <gtest/gtest.h>

#include <tuple>

#include "common/fehler.h"
#include "document/summenrechnung.h"

namespace vk {
namespace {

using Zeile = std::tuple<double, std::int64_t, std::int64_t>;  // rate, base and VAT in cents

struct Fall {
    const char* was;
    std::vector<Betragszelle> zellen;  // the invoice's own rate is 19 %
    Regelwerte regel;                  // discount, advance per cent, advance amount
    std::vector<Zeile> saetze;
    std::int64_t gesamt, frei, netto, mwst, betrag;
    const char* regeltext;
};

const Fall kFaelle[] = {
    // Untagged: the invoice's rate; "0": VAT-free; "no": not counted; carriage returns are ignored.
    {"tags",
     {{"  100,00 €", ""}, {"   50,00 €", "0"}, {"   30,00 €", "no"}, {"", ""}, {"\r   20,00 €", ""}},
     {},
     {{19, 12000, 2280}},
     17000, 5000, 17000, 2280, 19280, ""},
    // Rates in order of first appearance ("7" and "7,0" are one), each rounded on its own:
    // 7 % of 20,10 = 1,407; 19 % of 10,05 = 1,9095.
    {"rates",
     {{"   10,05 €", "7"}, {"   10,05 €", ""}, {"   10,05 €", "7,0"}, {"   10,00 €", "7,7"}},
     {},
     {{7, 2010, 141}, {19, 1005, 191}, {7.7, 1000, 77}},
     4015, 0, 4015, 409, 4424, ""},
    // 90 % of 400,05 is 360,045: shown 360,05; its VAT is 19 % of 360,05 = 68,4095, shown 68,41;
    // the invoice amount is what the two lines show together.
    {"discount", {{"  400,05 €", ""}}, {10}, {{19, 36005, 6841}}, 40005, 0, 36005, 6841, 42846,
     "Abzüglich dem Rabatt von 10%"},
    // 3 % discount of 183,33 = 177,8301: net 177,83, split 97,00 at 19 % (VAT 18,43), 33,33 × 0,97 =
    // 32,3301 → 32,33 at 7 % (VAT 2,2631 → 2,26), VAT-free 50,00 × 0,97 = 48,50. VAT 20,69, invoice 198,52.
    {"discount, two rates and a VAT-free part",
     {{"  100,00 €", ""}, {"   33,33 €", "7"}, {"   50,00 €", "0"}},
     {3},
     {{19, 9700, 1843}, {7, 3233, 226}},
     18333, 4850, 17783, 2069, 19852, "Abzüglich dem Rabatt von 3%"},
    // The row is the sum times the rule: 5 % off 539,00 is 512,05, not 256,03 + 256,03 = 512,06 of the
    // two halves scaled on their own. The halves' remainders tie (256,025 each) and are equal in size:
    // the leftover cent goes to the first. 19 % of 256,03 = 48,6457.
    {"a discount is the sum times the rate",
     {{"  269,50 €", ""}, {"  269,50 €", "0"}},
     {5},
     {{19, 25603, 4865}},
     53900, 25602, 51205, 4865, 56070, "Abzüglich dem Rabatt von 5%"},
    // Half of 1.072,20 is 536,10 (not 268,03 + 268,08 = 536,11): 268,025 and 268,075 tie on their
    // remainder, the cent goes to the larger part. 19 % of 268,02 = 50,9238; 7 % of 268,08 = 18,7656.
    {"an advance in per cent is the sum times the rate",
     {{"  536,05 €", ""}, {"  536,15 €", "7"}},
     {0, 50},
     {{19, 26802, 5092}, {7, 26808, 1877}},
     107220, 0, 53610, 6969, 60579, "Abschlagszahlung von 50%"},
    // 100,00 € of 300,01 €, of which 200,01 € taxable: the base 66,67 (200,01 × 100 / 300,01),
    // VAT 12,67; the VAT-free part takes the rest of the 100,00 €.
    {"advance as an amount", {{"  200,01 €", ""}, {"  100,00 €", "0"}}, {0, 100, 100}, {{19, 6667, 1267}}, 30001, 3333,
     10000, 1267, 11267, "Abschlagszahlung von "},
    // 100,16 € of 625,05 € at three rates and nothing VAT-free: the bases 12,02 + 64,11 + 24,04 would
    // make 100,17; the cent goes off the largest, so the shown bases make the advance and nothing is
    // VAT-free. VAT 0,84 (7 %) + 12,18 (19 % of 64,10) + 3,85 (16 %).
    {"an advance by amount is that amount to the cent",
     {{"   75,00 €", "7"}, {"  400,05 €", ""}, {"  150,00 €", "16"}},
     {0, 100, 100.16},
     {{7, 1202, 84}, {19, 6410, 1218}, {16, 2404, 385}},
     62505, 0, 10016, 1687, 11703, "Abschlagszahlung von "},
    // Settings a host may hold that make no sense never price the invoice at zero or below; an empty
    // advance percentage is no rule. 19 % of 400,05 = 76,0095.
    {"negative discount", {{"  400,05 €", ""}}, {-10}, {{19, 40005, 7601}}, 40005, 0, 40005, 7601, 47606, ""},
    {"advance above 100 %", {{"  400,05 €", ""}}, {0, 150}, {{19, 40005, 7601}}, 40005, 0, 40005, 7601, 47606, ""},
    {"negative advance amount", {{"  400,05 €", ""}}, {0, 100, -50}, {{19, 40005, 7601}}, 40005, 0, 40005, 7601, 47606,
     ""},
    {"discount above 100 %", {{"  400,05 €", ""}}, {150}, {{19, 0, 0}}, 40005, 0, 0, 0, 0,
     "Abzüglich dem Rabatt von 100%"},
    {"empty advance percentage", {{"  200,00 €", ""}}, {0, 0}, {{19, 20000, 3800}}, 20000, 0, 20000, 3800, 23800, ""},
};

TEST(Summenrechnung, EveryShownAmountIsRoundedOnceAndTheLinesAddUp) {
    for (const Fall& f : kFaelle) {
        SCOPED_TRACE(f.was);
        Summen s;
        for (const Betragszelle& z : f.zellen) BetragErfassen(s, z, 19);
        RegelAnwenden(s, f.regel);
        std::vector<Zeile> saetze;
        for (const auto& z : s.saetze) saetze.emplace_back(z.satz, z.basis, z.mwst);
        EXPECT_EQ(saetze, f.saetze);
        // The whole, VAT-free, net, taxable, VAT and the invoice amount.
        EXPECT_EQ(std::tuple(s.Gesamt, s.Frei, s.Netto, s.Steuerpflichtig, s.MwSt, s.Rechnungsbetrag()),
                  std::tuple(f.gesamt, f.frei, f.netto, f.netto - f.frei, f.mwst, f.betrag));
        EXPECT_EQ(Regeltext(s, f.regel), f.regeltext);
    }
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
