#include "einvoice/Dezimal.h"

#include <charconv>
#include <cstdlib>

#include "common/konvertierung.h"

namespace vk::erechnung {
namespace {

// |wert| / 10^stellen as "123.4500", with the sign.
std::string Festkomma(std::int64_t wert, int stellen) {
    std::int64_t teiler = 1;
    for (int i = 0; i < stellen; ++i) teiler *= 10;
    const std::uint64_t betrag = wert < 0 ? 0 - static_cast<std::uint64_t>(wert) : static_cast<std::uint64_t>(wert);
    std::string rest = std::to_string(betrag % static_cast<std::uint64_t>(teiler));
    rest.insert(0, static_cast<std::size_t>(stellen) - rest.size(), '0');
    return (wert < 0 ? "-" : "") + std::to_string(betrag / static_cast<std::uint64_t>(teiler)) + "." + rest;
}

}  // namespace

std::string Betrag(std::int64_t cent) { return Festkomma(cent, 2); }

std::string Dezimal4(std::int64_t wert, int mindestens) {
    std::string text = Festkomma(wert, 4);
    const std::size_t punkt = text.find('.');
    std::size_t ende = text.size();
    while (ende > punkt + 1 + static_cast<std::size_t>(mindestens) && text[ende - 1] == '0') --ende;
    if (ende == punkt + 1) --ende;  // no decimals: no point either
    return text.substr(0, ende);
}

std::string Satz(double prozent) {
    char puffer[32];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, prozent);
    return fehler == std::errc() ? std::string(puffer, ende) : std::string("0");
}

std::optional<std::int64_t> DezimalLesen(std::string_view text, int stellen) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\n' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\t')) text.remove_suffix(1);
    bool negativ = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negativ = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t punkt = text.find('.');
    const std::string_view ganz = text.substr(0, punkt);
    std::string_view bruch = punkt == std::string_view::npos ? std::string_view() : text.substr(punkt + 1);
    while (bruch.size() > static_cast<std::size_t>(stellen) && bruch.back() == '0') bruch.remove_suffix(1);
    if (ganz.empty() || bruch.size() > static_cast<std::size_t>(stellen)) return std::nullopt;
    std::int64_t wert = 0;
    for (std::string_view teil : {ganz, bruch})
        for (char c : teil) {
            if (c < '0' || c > '9' || wert > INT64_MAX / 100) return std::nullopt;
            wert = wert * 10 + (c - '0');
        }
    for (std::size_t i = bruch.size(); i < static_cast<std::size_t>(stellen); ++i) wert *= 10;
    return negativ ? -wert : wert;
}

std::string EuroText(std::int64_t cent) { return Format(static_cast<double>(cent) / 100.0, "#,##0.00") + " \xE2\x82\xAC"; }

}  // namespace vk::erechnung
