#include "categories/Gebaeudeeinmessung.h"

#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "feescale/modStatus.h"

namespace vk {

namespace {
constexpr std::string_view kIhrAnteil = " Ihr Anteil ";
constexpr char kZeilenumbruch = '\v';
}  // namespace

double Anteil(std::string_view anteilText) { return CVal(AnteilInPromille(anteilText)); }

std::string AnteilInPromille(std::string_view anteilText) {
    const std::size_t prozent = anteilText.find('%');
    if (prozent == std::string_view::npos) return std::string(anteilText);
    return Format(CVal(anteilText.substr(0, prozent)) * 10.0, "0");
}

// No share, and a share of the whole or more, prices the whole, as in the other categories.
bool AnteilIstGanz(double anteil) { return anteil <= 0 || anteil >= 1000; }

double GanzeGebühr(double baukosten, double anzahl, bool fortführung) {
    // No building (or a count typed negative) costs nothing, the minimum included.
    if (!(anzahl > 0)) return 0;
    // The minimum is each building's fee, before the count and the reduction of a cadastral update:
    // one euro more of construction cost must not cancel the reduction.
    double jeGebäude = Gebäudevermessung(baukosten);
    if (baukosten > kMindestBaukosten && jeGebäude < kMindestgebühr) jeGebäude = kMindestgebühr;
    double gebühr = jeGebäude * anzahl;
    if (fortführung) gebühr *= kFortführungsfaktor;
    return gebühr;
}

double Zeilenkosten(double baukosten, double anzahl, bool fortführung, double anteil) {
    const double gebühr = GanzeGebühr(baukosten, anzahl, fortführung);
    if (anteil == 333) return gebühr / 3;
    return AnteilIstGanz(anteil) ? gebühr : gebühr * anteil / 1000;
}

std::string Anteilszeile(double ganzeGebühr, std::string_view anteilText) {
    return std::string(1, kZeilenumbruch) + "Betrag :  € " + FormatText(Format(ganzeGebühr, "0.00"), "@@@@@@@@") +
           std::string(kIhrAnteil) + std::string(anteilText) + "/1000";
}

Bezeichnungszelle BezeichnungszelleLesen(std::string_view zelle) {
    Bezeichnungszelle ergebnis;
    const std::size_t umbruch = zelle.find(kZeilenumbruch);
    if (umbruch == std::string_view::npos) {
        ergebnis.bezeichnung = std::string(zelle);
        return ergebnis;
    }
    ergebnis.bezeichnung = std::string(zelle.substr(0, umbruch));
    const std::string_view rest = zelle.substr(umbruch + 1);
    const std::size_t marke = rest.rfind(kIhrAnteil);
    if (marke == std::string_view::npos) return ergebnis;
    // The share stands between " Ihr Anteil " and "/1000", whatever its width.
    std::string_view text = rest.substr(marke + kIhrAnteil.size());
    ergebnis.anteil = CVal(text.substr(0, text.rfind('/')));
    return ergebnis;
}

}  // namespace vk
