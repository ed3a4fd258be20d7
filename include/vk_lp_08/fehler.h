// Errors of the library: one exception type with the classic error number and a German description
// naming what failed ("Rechnung.docx: kein Word-Dokument", "Überlauf"). Every function of the C++
// interface that can fail throws it; the component's own dialog steps never do (they log the error
// and go on, see fehlerprotokoll.h).
#pragma once

#include <stdexcept>
#include <string>

#include "vk_lp_08/export.h"

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
VK_API std::string StandardBeschreibung(int nummer);

// A run-time error: what every platform layer and conversion throws.
class VK_API LaufzeitFehler : public std::runtime_error {
public:
    explicit LaufzeitFehler(int nummer);
    LaufzeitFehler(int nummer, std::string beschreibung);

    int Nummer() const noexcept { return nummer_; }
    const std::string& Beschreibung() const noexcept { return beschreibung_; }

private:
    int nummer_;
    std::string beschreibung_;
};

}  // namespace vk
