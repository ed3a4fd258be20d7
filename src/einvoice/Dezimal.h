// Numbers as an e-invoice writes and reads them: plain decimal text with a point, whatever the
// locale ("1234.56"), from and to whole cents or ten-thousandths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk::erechnung {

// Quantities and prices are kept in ten-thousandths (4 decimals), amounts in cents.
inline constexpr std::int64_t kZehntausend = 10000;

// Cents as "-12.30".
std::string Betrag(std::int64_t cent);
// Ten-thousandths with at least `mindestens` and at most 4 decimals: "2.5", "0.55", "123.4525".
std::string Dezimal4(std::int64_t wert, int mindestens);
// A VAT rate in per cent, shortest form: "19", "5.5".
std::string Satz(double prozent);

// Decimal text ("1234.5", "-0.25") in units of 10^-stellen, exact; nothing for anything else or
// for more decimals than that.
std::optional<std::int64_t> DezimalLesen(std::string_view text, int stellen);

// Cents as the invoice prints them: "1.234,56 €".
std::string EuroText(std::int64_t cent);

}  // namespace vk::erechnung
