// Elongated installations (roads, lines): the rates of the categories "I" to "III", started units,
// and the fee of a list of sections with their area calculations and VAT-free expenses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vk {

struct Langanlagensatz {
    std::string_view kategorie;   // "I", "II" or "III"
    double grundgebühr;           // per started kilometre of axis
    std::string_view grenzlänge;  // per started 10 m of boundary, as written in the table ("73,00 ")
    std::string_view trennstück;  // per separated parcel, as written in the table ("137,00")
};

// The rates of a category text; nullptr for any other text.
const Langanlagensatz* LanganlagensatzVon(std::string_view kategorie);

inline constexpr const char* kSeite1 = "Seite 1";
inline constexpr const char* kSeite2 = "Seite 2";
inline constexpr double kFaktorSeite2 = 0.9;        // boundary length surveyed on the second side
inline constexpr double kJeFlächenberechnung = 46.02;
inline constexpr double kUnterlagenJeHalbemKm = 130.0;
inline constexpr double kÜbernahmeJeTrennstück = 40.0;

// Whole units a quantity has started: 120 gives 120, 120.05 gives 121; 0 for nothing or less.
// Noise of the floating-point arithmetic below a millionth of a unit does not start a unit.
// Counts are kept as whole-valued doubles, so that no length, however long, wraps into a negative fee.
double Angefangene(double einheiten);

// One section as the grid holds it (texts).
struct Abschnitt {
    std::string bezeichnung;
    std::string kategorie;
    std::string länge;
    std::string seite;
    std::string trennstücke;
};

// Whether a side text stands for the second side (anything but "Seite 1", as the side editor reads it).
bool ZweiteSeite(std::string_view seite);

struct Langanlagengebühr {
    std::vector<double> einheiten;  // started 10-m units of each section (u)
    double grenzeinheiten = 0;      // U, the sum of u
    double trennstücke = 0;         // P, the sum of the parcel counts
    const Langanlagensatz* satz = nullptr;  // the rates: of "I" if any section has it, else "II", else "III"
    double achslänge = 0;         // length of the first-side sections (A)
    double kilometer = 0;         // started kilometres of A
    double grundgebühr = 0;
    double grenzlängengebühr = 0;
    double trennstückgebühr = 0;
    double flächenberechnungen = 0;
    double halbeKilometer = 0;  // started half kilometres of all sections together (H)
    double unterlagen = 0;    // survey documents, VAT-free
    double übernahme = 0;     // takeover fee, VAT-free
};

// Prices the sections and `flächen` area calculations. A text that is not a number counts as 0,
// and so does a negative length or count.
Langanlagengebühr LanganlageBerechnen(const std::vector<Abschnitt>& abschnitte, double flächen);

}  // namespace vk
