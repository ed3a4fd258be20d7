// Pricing of a building survey row and the share line of the fee table: one rule for every place
// that prices a row, and the share read by its value wherever it is shown or written.
#pragma once

#include <string>
#include <string_view>

namespace vk {

// Above this construction cost a building's fee is at least kMindestgebühr.
inline constexpr double kMindestBaukosten = 2500000.0;
inline constexpr double kMindestgebühr = 1900.0;
// Factor of a survey together with a cadastral update.
inline constexpr double kFortführungsfaktor = 0.7;
// Fee per surveyed break point of a land-use boundary.
inline constexpr double kJeBrechpunkt = 35.0;

// The client's share in thousandths as the value of its text. A share of value 0 (an empty field
// shows as "  0" after editing) is the whole, as is 1000; so is a negative one, which would turn the
// fee into a credit.
double Anteil(std::string_view anteilText);
// A share typed with "%" is per cent ("50%" is 500 per mille, "33,3 %" 333, a third): its per mille
// as a whole-number text. A text without "%" is returned as it is.
std::string AnteilInPromille(std::string_view anteilText);
bool AnteilIstGanz(double anteil);

// The whole fee of a row: each building's fee by construction cost (at least 1900 above a
// construction cost of 2 500 000) × count, × 0.7 with a cadastral update. A count of 0 or less costs
// nothing.
double GanzeGebühr(double baukosten, double anzahl, bool fortführung);

// The cost of a row: the client's share of the whole fee (333 is exactly a third). The minimum
// belongs to the building, so it is applied before the count, the update and the share.
double Zeilenkosten(double baukosten, double anzahl, bool fortführung, double anteil);

// The text appended to a building's designation when the client pays a share: a line break (11),
// "Betrag :  € " with the whole fee, " Ihr Anteil ", the share text and "/1000".
std::string Anteilszeile(double ganzeGebühr, std::string_view anteilText);

// A designation cell read back: the text before the share line and the share (0 without one).
struct Bezeichnungszelle {
    std::string bezeichnung;
    double anteil = 0;
};
Bezeichnungszelle BezeichnungszelleLesen(std::string_view zelle);

}  // namespace vk
