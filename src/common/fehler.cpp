#include "common/fehler.h"

namespace vk {

std::string StandardBeschreibung(int nummer) {
    switch (nummer) {
    case 5: return "Unzulässiger Prozeduraufruf oder unzulässiges Argument";
    case 6: return "Überlauf";
    case 7: return "Nicht genügend Speicher";
    case 9: return "Index außerhalb des gültigen Bereichs";
    case 11: return "Division durch Null";
    case 13: return "Typen unverträglich";
    case 53: return "Datei nicht gefunden";
    case 70: return "Zugriff verweigert";
    case 75: return "Fehler beim Zugriff auf Pfad/Datei";
    case 91: return "Objektvariable oder With-Blockvariable nicht festgelegt";
    case 94: return "Unzulässige Verwendung von Null";
    default: return "Anwendungs- oder objektdefinierter Fehler";
    }
}

LaufzeitFehler::LaufzeitFehler(int nummer) : LaufzeitFehler(nummer, StandardBeschreibung(nummer)) {}

LaufzeitFehler::LaufzeitFehler(int nummer, std::string beschreibung)
    : std::runtime_error(beschreibung), nummer_(nummer), beschreibung_(std::move(beschreibung)) {}

double Division(double zaehler, double nenner) {
    if (nenner == 0.0) {
        throw LaufzeitFehler(zaehler == 0.0 ? fehlernummer::Ueberlauf : fehlernummer::DivisionDurchNull);
    }
    return zaehler / nenner;
}

}  // namespace vk
