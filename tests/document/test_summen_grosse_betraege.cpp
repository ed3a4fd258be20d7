// The largest sums the totals take: every amount the totals table shows keeps its cents. From a
// sum of a trillion euros on, an amount is refused as one that overflows (logged, not counted), so
// an invoice never shows a VAT line or a total that lost its cents.
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "document/summenrechnung.h"

namespace vk {
namespace {

TEST(Summenrechnung, TheLargestSumKeepsItsCentsAndOneCentMoreIsRefused) {
    Summen s;
    BetragErfassen(s, {"999.999.999.999,99 €", ""}, 19);
    try {
        BetragErfassen(s, {"    0,01 €", ""}, 19);
        ADD_FAILURE() << "a sum of 1.000.000.000.000,00 € was taken";
    } catch (const LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), fehlernummer::Ueberlauf);
    }
    EXPECT_EQ(s.Gesamt, 99999999999999);
    // 19 % of 999.999.999.999,99 is 189.999.999.999,9981; with a discount of 3 % the net is
    // 969.999.999.999,9903 → 969.999.999.999,99 and its VAT 184.299.999.999,9981 → 184.300.000.000,00.
    RegelAnwenden(s, {3, 100, 0.0, 19});
    EXPECT_EQ(s.Netto, 96999999999999);
    EXPECT_EQ(s.saetze[0].mwst, 18430000000000);
    EXPECT_EQ(s.Rechnungsbetrag(), 115429999999999);
}

}  // namespace
}  // namespace vk
