// vk scale NAME ARGS...: one fee scale on numbers typed as a user types them.
#include <iostream>

#include "befehle.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "feescale/modStatus.h"

namespace vkcli {

int BefehlScale(const Argumente& args) {
    if (args.empty()) throw Aufruffehler{"scale: der Name der Staffel fehlt (Gebührenstaffel1, Grenzfeststellung_B, Gebäudevermessung)"};
    const std::string& name = args[0];
    auto zahl = [&](std::size_t i, const char* was) {
        if (args.size() <= i) throw Aufruffehler{"scale " + name + ": es fehlt " + was};
        return vk::CVal(args[i]);
    };
    auto pruefeAnzahl = [&](std::size_t n) {
        if (args.size() > n + 1) throw Aufruffehler{"scale " + name + ": zu viele Argumente"};
    };
    double ergebnis = 0.0;
    if (name == "Gebührenstaffel1") {
        double bodenwert = zahl(1, "BODENWERT"), flaeche = zahl(2, "FLAECHE");
        pruefeAnzahl(2);
        ergebnis = vk::Gebührenstaffel1(bodenwert, flaeche);
    } else if (name == "Grenzfeststellung_B") {
        double bodenwert = zahl(1, "BODENWERT"), punkte = zahl(2, "PUNKTE");
        pruefeAnzahl(2);
        ergebnis = vk::Grenzfeststellung_B(bodenwert, punkte);
    } else if (name == "Gebäudevermessung") {
        double baukosten = zahl(1, "BAUKOSTEN");
        pruefeAnzahl(1);
        ergebnis = vk::Gebäudevermessung(baukosten);
    } else {
        throw Aufruffehler{"scale: unbekannte Staffel '" + name + "' (Gebührenstaffel1, Grenzfeststellung_B, Gebäudevermessung)"};
    }
    std::cout << vk::CStr(ergebnis) << '\n';
    return 0;
}

}  // namespace vkcli
