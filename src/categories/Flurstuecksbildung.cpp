#include "categories/Flurstuecksbildung.h"

#include <cmath>

#include "common/konvertierung.h"
#include "feescale/modStatus.h"

namespace vk {

double Flurstücksfaktor(double anzahl) {
    if (anzahl <= 0) return 0.0;
    return Int(0.8 * std::sqrt(anzahl) * 100.0) / 100.0;
}

std::string Bodenwertklasse(double v) {
    // The class printed is the column the fee comes from.
    static constexpr const char* kKlassen[] = {"0 - 1,00",        "1,01 - 10,00",    "10,01 - 40,00",
                                               "40,01 - 100,00", "100,01 - 250,00", "> 250,00"};
    return kKlassen[Bodenwertspalte(v)];
}

double PromilleAnteil(const std::string& anteilText) {
    const double wert = Val(anteilText);
    if (wert == 0 || wert == 1000) return -1.0;
    if (wert == 333) return 0.333333333333333;
    return wert / 1000.0;
}

double GrenzpunktGebühr(double bodenwert, double punkte) {
    return 0.8 * Grenzfeststellung_B(bodenwert, punkte) * punkte;
}

std::string Trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace vk
