// Run-time errors of the component: one exception type with the classic error number.
#pragma once

#include <stdexcept>
#include <string>

namespace vk {

// Classic run-time error numbers used throughout the component.
namespace fehlernummer {
inline constexpr int UngueltigesArgument = 5;
inline constexpr int Ueberlauf = 6;
inline constexpr int NichtGenuegendSpeicher = 7;
inline constexpr int IndexAusserhalb = 9;
inline constexpr int DivisionDurchNull = 11;
inline constexpr int TypenUnvertraeglich = 13;
inline constexpr int DateiNichtGefunden = 53;
inline constexpr int ZugriffVerweigert = 70;   // a file another program holds locked, or read-only
inline constexpr int DateiZugriffsfehler = 75;
inline constexpr int ObjektNichtFestgelegt = 91;
inline constexpr int UnzulaessigeVerwendungVonNull = 94;
inline constexpr int NichtVerfuegbar = 4605;  // a document operation not available in this state
inline constexpr int Dokumentfehler = 5152;   // damaged or foreign document
inline constexpr int Datenbankfehler = 3000;  // generic database engine error
}  // namespace fehlernummer

// The standard description of an error number ("Überlauf" for 6, ...).
std::string StandardBeschreibung(int nummer);

// A run-time error: what every platform layer and conversion throws.
class LaufzeitFehler : public std::runtime_error {
public:
    explicit LaufzeitFehler(int nummer);
    LaufzeitFehler(int nummer, std::string beschreibung);

    int Nummer() const noexcept { return nummer_; }
    const std::string& Beschreibung() const noexcept { return beschreibung_; }

private:
    int nummer_;
    std::string beschreibung_;
};

// Double division under the error policy: x/0 raises 11, 0/0 raises 6.
double Division(double zaehler, double nenner);

}  // namespace vk
