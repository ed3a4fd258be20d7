// Value conversions with the component's fixed German regional settings
// (decimal comma, point as thousands separator, "." as date separator), whatever the machine's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/variant.h"

namespace vk {

// --- Texts of numbers -------------------------------------------------------------------------
// None of these follows the process locale: a host (Qt, or any program embedding the library) may
// set any locale, and a German one would turn "2.5" into 2 in the C library's readers.

// A whole text in the C format ("-12.5", "1e-3", no blanks), as files and databases write numbers;
// nullopt when it is none or too large. CZahlText is its inverse: the shortest text that reads back
// as the same double.
std::optional<double> CZahlLesen(std::string_view text);
std::string CZahlText(double wert);

// Shortest text with up to 15 significant digits and a decimal comma: 0.1 + 0.2 gives "0,3",
// 0.333333333333333 * 100 gives "33,3333333333333", 1e15 gives "1E+15".
std::string CStr(double wert);
// A variant as text: numbers as above, strings unchanged, Empty "", dates "dd.mm.yyyy", booleans
// "Wahr"/"Falsch"; Null raises 94, objects 13.
std::string CStr(const Variant& wert);

// The leading number of a text, "." as decimal point, blanks anywhere ignored: Val(" 1 2,5") is 12.
double Val(std::string_view text);

// A whole text read as a number in the regional format ("1.234,5" is 1234.5, "12.5" is 125),
// optionally signed, with a currency sign "€" and surrounding blanks; nullopt when it is none.
std::optional<double> RegionalLesen(std::string_view text);
bool IstNumerisch(std::string_view text);

// --- Conversions of variants (automation rules) ------------------------------------------------

// Strings are read in the regional format; Empty is 0; Null raises 94; others raise 13.
double CDbl(const Variant& wert);
float CSng(const Variant& wert);
// Round half to even; raise 6 when the result is out of the 16-/32-bit range.
std::int16_t CInt(double wert);
std::int32_t CLng(double wert);
std::int16_t CInt(const Variant& wert);
std::int32_t CLng(const Variant& wert);
bool CBool(const Variant& wert);

// Round half to even to a whole number (the automation rule for integer conversions).
double RundenGerade(double wert);
// Int: toward minus infinity. Fix: toward zero.
double Int(double wert);
double Fix(double wert);

// --- Format -------------------------------------------------------------------------------------

// Numeric patterns "0", "0.00", "#,##0", "#,##0.0", "#,##0.00", "#,##0.000" (and the like):
// rounding half away from zero on the value's 15-digit decimal text, so 1.005 gives "1,01".
std::string Format(double wert, std::string_view muster);
// An amount in euros as the whole cents "0.00" shows it (half away from zero on the 15-digit text,
// so 360,045 gives 36005): what a printed amount and a stored amount in cents both come from.
std::int64_t Cent(double euro);
// An amount in euros as the cents it shows: what enters a sum of shown amounts.
inline double AufCent(double euro) { return static_cast<double>(Cent(euro)) / 100.0; }
// A number for a printed text: rounded half away from zero to at most `nachkomma` decimals, without
// trailing zeros, decimal comma: 33,33 for a third in per cent, 50, 12,5.
std::string KurzText(double wert, int nachkomma);
// Text pattern of "@" placeholders: the text right-aligned in as many characters ("@@@@@@@@").
std::string FormatText(std::string_view text, std::string_view muster);

// --- Dates --------------------------------------------------------------------------------------

Datum DatumAusTagen(int jahr, int monat, int tag);
void TageAusDatum(Datum d, int& jahr, int& monat, int& tag);
Datum Heute();
// ISO-8601 "yyyy-mm-dd" (an optional time part is read too); nullopt when it is none.
std::optional<Datum> DatumAusIso(std::string_view text);
std::string DatumIso(Datum d);
// Date patterns of d, dd, m, mm, yy, yyyy, hh, nn and the separators "/" (regional ".") and ":".
std::string Format(Datum d, std::string_view muster);
// A date as the regional short date text "dd.mm.yyyy".
std::string CStr(Datum d);

}  // namespace vk
