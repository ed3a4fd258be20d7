#include "feescale/modStatus.h"

#include <array>
#include <cmath>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"

namespace vk {
namespace {

// A band of whole numbers as the ordinance lists them ("6 to 40"); the bands of a table follow each
// other without overlap.
struct Band {
    double von;
    double bis;
};

// ---- Scale 1 ----------------------------------------------------------------------------------

// Columns by the land value in cents, as the fee table prints its class ("40,01 - 100,00 €/m²").
constexpr std::array<Band, 5> kStaffel1Spalten{{{0, 100}, {101, 1000}, {1001, 4000}, {4001, 10000}, {10001, 25000}}};
constexpr std::array<Band, 9> kStaffel1Zeilen{{{0, 100}, {101, 500}, {501, 1000}, {1001, 2500}, {2501, 5000},
                                               {5001, 10000}, {10001, 25000}, {25001, 50000}, {50001, 100000}}};
constexpr double kStaffel1[9][6] = {
    {800, 870, 950, 980, 1050, 1120},     {980, 1200, 1300, 1400, 1500, 1600},
    {1400, 1500, 1600, 1700, 1800, 1900}, {1700, 1850, 1950, 2000, 2050, 2100},
    {1950, 2000, 2100, 2200, 2300, 2400}, {2200, 2350, 2500, 2800, 2900, 3000},
    {2800, 3000, 3200, 3400, 3600, 3800}, {3330, 3500, 3700, 4100, 4200, 4400},
    {3700, 4000, 4500, 4870, 5040, 5240},
};
constexpr double kStaffel1Basis[6] = {3700, 4000, 4500, 4870, 5040, 5240};
constexpr double kStaffel1Schritt[6] = {390, 500, 580, 630, 660, 690};

// The band of a value: the first whose upper bound it does not exceed, so that a value between two
// listed bands (a land value of 5,50 between "0 to 5" and "6 to 40", a cost of 25.000,50) belongs to
// the band above it, as "over 5 up to 40" means. Values below the first band and above the last take
// the open-ended entry (N).
template <std::size_t N>
std::size_t BandIndex(const std::array<Band, N>& baender, double wert) {
    if (!(wert >= baender[0].von)) return N;
    for (std::size_t i = 0; i < N; ++i)
        if (wert <= baender[i].bis) return i;
    return N;
}

// ---- Scale 3, part B ---------------------------------------------------------------------------

constexpr std::array<Band, 5> kPunkteZeilen{{{1, 5}, {6, 10}, {11, 20}, {21, 30}, {31, 50}}};
constexpr std::array<Band, 4> kWertSpalten{{{0, 5}, {6, 40}, {41, 100}, {101, 250}}};
constexpr double kGrenzB[6][5] = {
    {150, 170, 190, 210, 210}, {140, 150, 170, 190, 190}, {130, 140, 150, 170, 170},
    {125, 130, 140, 150, 150}, {120, 125, 130, 140, 140}, {115, 120, 125, 130, 130},
};

// ---- Building survey ---------------------------------------------------------------------------

constexpr std::array<Band, 6> kBaukosten{{{0, 25000}, {25001, 250000}, {250001, 500000}, {500001, 1000000},
                                          {1000001, 1500000}, {1500001, 2500000}}};
constexpr double kBaukostenGebuehr[6] = {220, 475, 950, 1250, 1500, 1900};

// A negative land value, area or number of points (a typing slip) is priced as none, never as a
// band of its own or a negative fee.
double NichtNegativ(double wert) { return wert > 0.0 ? wert : 0.0; }

}  // namespace

std::size_t Bodenwertspalte(double Bodenwert) {
    const double wert = NichtNegativ(Bodenwert);
    // Far above the last class (and too large to count in cents): the open-ended column.
    if (!(wert < 1e9)) return kStaffel1Spalten.size();
    return BandIndex(kStaffel1Spalten, static_cast<double>(Cent(wert)));
}

double Gebührenstaffel1(const double& Bodenwert, const double& Fläche) {
    Prozedur proc("modStatus", "Gebührenstaffel1");
    double ergebnis = 0.0;
    proc([&] {
        const double fläche = NichtNegativ(Fläche);
        const double f = Int(fläche);
        const std::size_t spalte = Bodenwertspalte(Bodenwert);
        const std::size_t zeile = BandIndex(kStaffel1Zeilen, f);
        if (zeile < kStaffel1Zeilen.size()) {
            ergebnis = kStaffel1[zeile][spalte];
            return;
        }
        const double k = Int((fläche - 100001.0) / 50000.0 + 1.0);
        ergebnis = kStaffel1Basis[spalte] + kStaffel1Schritt[spalte] * k;
    });
    return ergebnis;
}

double Grenzfeststellung_B(double Bodenwert, double Grenzpunkte) {
    Prozedur proc("modStatus", "Grenzfeststellung_B");
    double ergebnis = 0.0;
    Bodenwert = NichtNegativ(Bodenwert);
    Grenzpunkte = NichtNegativ(Grenzpunkte);
    proc([&] {
        if (Grenzpunkte == 0.0) return;
        const std::size_t zeile = BandIndex(kPunkteZeilen, Grenzpunkte);
        const std::size_t spalte = BandIndex(kWertSpalten, Bodenwert);
        if (spalte < kWertSpalten.size()) {
            ergebnis = kGrenzB[zeile][spalte];
            return;
        }
        const double k = Int((Bodenwert - 250.0) / 100.0 + 1.0);
        ergebnis = kGrenzB[zeile][4] + 10.0 * k;
    });
    return ergebnis;
}

double Gebäudevermessung(const double& Baukosten) {
    Prozedur proc("modStatus", "Gebäudevermessung");
    double ergebnis = 0.0;
    proc([&] {
        const std::size_t band = BandIndex(kBaukosten, Baukosten);
        if (band < kBaukosten.size()) {
            ergebnis = kBaukostenGebuehr[band];
            return;
        }
        if (Baukosten < 0.0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument);
        ergebnis = 1.2 * std::sqrt(Baukosten);
    });
    return ergebnis;
}

}  // namespace vk
