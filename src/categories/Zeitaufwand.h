// The classes of fees by time spent: staff classes priced per (half) hour, the vehicle per whole
// kilometre with a minimum, the empty class that clears a row, and the rate of any other text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vk {

struct Zeitaufwandsklasse {
    std::string text;          // the grid text
    std::string tarifstelle;   // "15.1.1" ... "15.2"
    double satz = 0;           // € per hour or per km
    std::string einheit;       // " h" or " km"
    std::string beschreibung;  // the position text in the document
};

// The five classes in the drop-down's order (the empty entry follows them in the list).
const std::vector<Zeitaufwandsklasse>& Zeitaufwandsklassen();
// The class of a grid text; nullptr for the empty text and for any other text.
const Zeitaufwandsklasse* KlasseZuText(std::string_view text);
// The class whose tariff position a document cell names (searched in the classes' order).
const Zeitaufwandsklasse* KlasseZuTarifstelle(std::string_view zelle);

inline constexpr const char* kKraftfahrzeug = "Kraftfahrzeug";
inline constexpr double kSatzSonstige = 45.0;     // any other text, per hour
inline constexpr double kKraftfahrzeugMindestens = 10.0;
inline constexpr const char* kKatasterunterlagen = "52,00";

// Hours rounded up to the next half hour, from the value rounded to tenths: 2,0 and 2,5 stay,
// 2,1 to 2,4 give 2,5 and 2,6 to 2,9 give 3,0; the same for any number of hours.
double AufHalbeStundeRunden(double stunden);

}  // namespace vk
