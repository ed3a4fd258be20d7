#include "categories/Zeitaufwand.h"

#include <cmath>

namespace vk {

const std::vector<Zeitaufwandsklasse>& Zeitaufwandsklassen() {
    static const std::vector<Zeitaufwandsklasse> klassen = {
        {"Öffentl. bestellter Vermessungsing.", "15.1.1", 84.0, " h",
         "Öffentlich bestellte Vermessungsingenieure, Beamte des höheren vermessungstechnischen Dienstes "
         "oder vergleichbare Angestellte"},
        {"Meßtruppführer", "15.1.2", 70.0, " h",
         "Meßtruppführer, Beamte des gehobenen Dienstes oder vergleichbare Angestellte"},
        {"vermessungstechnische Fachkräfte", "15.1.3", 60.0, " h",
         "vermessungstechnische Fachkräfte, Beamte des mittleren Dienstes oder vergleichbare Angestellte"},
        {"sonstige technische Kräfte", "15.1.4", 44.0, " h",
         "sonstige technische Kräfte, Meßgehilfen oder anderen entsprechend eingesetzten Hilfskräften"},
        {kKraftfahrzeug, "15.2", 0.55, " km", std::string("Einsatz von Kraftfahrzeugen (mind. 10") + " €" + ")"},
    };
    return klassen;
}

const Zeitaufwandsklasse* KlasseZuText(std::string_view text) {
    for (const auto& k : Zeitaufwandsklassen())
        if (k.text == text) return &k;
    return nullptr;
}

const Zeitaufwandsklasse* KlasseZuTarifstelle(std::string_view zelle) {
    for (const auto& k : Zeitaufwandsklassen())
        if (zelle.find(k.tarifstelle) != std::string_view::npos) return &k;
    return nullptr;
}

double AufHalbeStundeRunden(double stunden) {
    const double zehntel = std::round(stunden * 10.0);
    const double ganze = std::floor(zehntel / 10.0);
    const double rest = zehntel - ganze * 10.0;
    if (rest == 0.0 || rest == 5.0) return zehntel / 10.0;
    return rest > 5.0 ? ganze + 1.0 : ganze + 0.5;
}

}  // namespace vk
