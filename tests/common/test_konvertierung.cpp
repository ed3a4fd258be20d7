// Value conversions: number texts, regional parsing, integer rounding, Format and dates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/fehler_hilfe.h"
#include "common/konvertierung.h"

namespace vk {
namespace {

template <class Aktion>
int FehlerNummer(Aktion&& aktion) { return vktest::FehlerVon(aktion).nummer; }

TEST(CStr, ShortestTextWithFifteenDigitsAndDecimalCommaOrTheVariantsHeldType) {
    EXPECT_EQ(CStr(0.333333333333333 * 100), "33,3333333333333");
    EXPECT_EQ(CStr(0.1 + 0.2), "0,3");
    EXPECT_EQ(CStr(-12.5), "-12,5");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(CStr(0.00001), "1E-05");
    EXPECT_EQ(CStr(1.2 * std::sqrt(10000000.0)), "3794,73319220206");
    // a variant as the type it holds
    EXPECT_EQ(CStr(Variant()), "");
    EXPECT_EQ(CStr(Variant(std::int16_t{7})), "7");
    EXPECT_EQ(CStr(Variant("Text")), "Text");
    EXPECT_EQ(CStr(Variant(DatumAusTagen(2026, 12, 5))), "05.12.2026");
    EXPECT_EQ(FehlerNummer([] { CStr(Variant::Null()); }), 94);
}

TEST(ReadingNumbers, ValReadsTheLeadingNumberWithPointRegionalLesenOnlyAGermanNumber) {
    EXPECT_EQ(Val(" 1 2 3"), 123);
    EXPECT_EQ(Val("12,5"), 12);
    EXPECT_EQ(Val("12.5 m"), 12.5);
    EXPECT_EQ(Val("-3.25"), -3.25);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("1e3x"), 1000);
    EXPECT_EQ(Val("   0,00"), 0);
    // the German conventions, and nothing but a number
    EXPECT_EQ(RegionalLesen("1.234,5"), 1234.5);
    EXPECT_EQ(RegionalLesen("12.5"), 125);
    EXPECT_EQ(RegionalLesen("  7  "), 7);
    EXPECT_EQ(RegionalLesen("-12,50"), -12.5);
    EXPECT_EQ(RegionalLesen("12,50 €"), 12.5);
    EXPECT_EQ(RegionalLesen("€ 3"), 3);
    EXPECT_EQ(RegionalLesen(",5"), 0.5);
    EXPECT_EQ(RegionalLesen("1.000"), 1000);
    EXPECT_FALSE(RegionalLesen(""));
    EXPECT_FALSE(RegionalLesen("-"));
    EXPECT_FALSE(RegionalLesen(","));
    EXPECT_FALSE(RegionalLesen("1-2"));
    EXPECT_FALSE(RegionalLesen("12 m"));
    EXPECT_FALSE(RegionalLesen("1,2,3"));
    EXPECT_FALSE(RegionalLesen("abc"));
}

TEST(IntegerConversion, RoundsHalfToEvenRaisesOverflowAndFloorsOrTruncates) {
    EXPECT_EQ(CInt(16.5), 16);
    EXPECT_EQ(CInt(17.5), 18);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.6), 3);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(FehlerNummer([] { CInt(32767.5); }), 6);
    EXPECT_EQ(FehlerNummer([] { CInt(40000.0); }), 6);
    EXPECT_EQ(CInt(-32768.0), -32768);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(FehlerNummer([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(FehlerNummer([] { CLng(std::numeric_limits<double>::quiet_NaN()); }), 6);
    EXPECT_EQ(CInt(Variant("165")), 165);
    EXPECT_EQ(CInt(Variant(16.5)), 16);
    EXPECT_EQ(FehlerNummer([] { CInt(Variant("zwölf")); }), 13);
    EXPECT_EQ(FehlerNummer([] { CDbl(Variant::Null()); }), 94);
    EXPECT_EQ(CDbl(Variant()), 0);
    EXPECT_EQ(CDbl(Variant("1.234,5")), 1234.5);
    EXPECT_EQ(Int(-1.5), -2);  // floor
    EXPECT_EQ(Fix(-1.5), -1);  // truncate
}

TEST(Format, NumbersRoundHalfAwayFromZeroOnTheFifteenDigitTextShortAndPlaceholderTexts) {
    EXPECT_EQ(Format(1.005, "0.00"), "1,01");
    EXPECT_EQ(Format(2.675, "0.00"), "2,68");
    EXPECT_EQ(Format(0.125, "0.00"), "0,13");
    EXPECT_EQ(Format(-0.125, "0.00"), "-0,13");
    EXPECT_EQ(Format(1234.5, "#,##0.00"), "1.234,50");
    EXPECT_EQ(Format(1234567.891, "#,##0.00"), "1.234.567,89");
    EXPECT_EQ(Format(999.995, "#,##0.00"), "1.000,00");
    EXPECT_EQ(Format(-0.001, "0.00"), "0,00");
    EXPECT_EQ(Format(2.5, "#,##0"), "3");
    EXPECT_EQ(Format(0.05, "#,##0.0"), "0,1");
    EXPECT_EQ(Format(1e20, "#,##0"), "100.000.000.000.000.000.000");
    EXPECT_EQ(Format(123.4567, "#,##0.000"), "123,457");
    // Printed percentages: at most two decimals, none that say nothing.
    EXPECT_EQ(KurzText(0.333333333333333 * 100, 2), "33,33");
    EXPECT_EQ(KurzText(50, 2), "50");
    EXPECT_EQ(KurzText(12.5, 2), "12,5");
    EXPECT_EQ(KurzText(66.6666666666667, 2), "66,67");
    EXPECT_EQ(KurzText(0.001, 2), "0");
    EXPECT_EQ(KurzText(-2.499, 2), "-2,5");
    // Text right-aligned in the placeholders.
    EXPECT_EQ(FormatText("12,50", "@@@@@@@@"), "   12,50");
    EXPECT_EQ(FormatText("123456789", "@@@@"), "123456789");
    EXPECT_EQ(FormatText("€", "@@"), " €");
}

TEST(Dates, RegionalShortFormAndIso) {
    Datum d = DatumAusTagen(2026, 12, 5);
    EXPECT_EQ(Format(d, "d/m/yy"), "5.12.26");
    EXPECT_EQ(Format(Datum{d.wert + 14}, "d/m/yy"), "19.12.26");
    EXPECT_EQ(DatumIso(Datum{d.wert + 27}), "2027-01-01");
    EXPECT_EQ(DatumAusIso("2026-12-05"), d);
    EXPECT_EQ(DatumAusTagen(1899, 12, 30).wert, 0);
    EXPECT_EQ(DatumAusTagen(2000, 3, 1).wert - DatumAusTagen(2000, 2, 28).wert, 2);  // leap year
    EXPECT_FALSE(DatumAusIso("5.12.2026"));
    Datum mitZeit = *DatumAusIso("2026-12-05T10:12:00");
    EXPECT_EQ(Format(mitZeit, "hh:mm"), "10:12");
}

TEST(Division, ZeroDivisorIsAnErrorNotInfinity) {
    EXPECT_EQ(Division(1, 4), 0.25);
    EXPECT_EQ(FehlerNummer([] { Division(1, 0); }), 11);
    EXPECT_EQ(FehlerNummer([] { Division(0, 0); }), 6);
}

}  // namespace
}  // namespace vk
