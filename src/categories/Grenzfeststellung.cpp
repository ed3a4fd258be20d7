#include "categories/Grenzfeststellung.h"

#include <algorithm>
#include <string>

#include "common/konvertierung.h"
#include "feescale/modStatus.h"

namespace vk {

double Grenzfeststellung_A(double n) {
    if (n < 0) return 0.0;  // a negative number of points is priced as none
    struct Band {
        double von, bis, betrag;
    };
    static constexpr Band bänder[] = {
        {0, 0, 0.0},       {1, 5, 600.0},     {6, 10, 800.0},
        {11, 20, 1000.0},  {21, 30, 1300.0},  {31, 50, 1600.0},
    };
    for (const Band& b : bänder)
        if (n >= b.von && n <= b.bis) return b.betrag;
    return 2000.0;
}

double Anteilsfaktor(std::string_view anteilText) {
    const std::string text(anteilText);
    if (text == "1000" || text.find_first_not_of(' ') == std::string::npos) return 1.0;
    const double wert = Val(text);
    if (wert <= 0) return 1.0;
    if (wert == 333) return kDrittel;
    return wert / 1000.0;
}

double Anteil(double betrag, double faktor) { return faktor == kDrittel ? betrag / 3.0 : betrag * faktor; }

Grenzfeststellungsbeträge TabellenBeträge(Grenzart art, double bodenwert, double n) {
    n = std::max(0.0, n);
    Grenzfeststellungsbeträge b;
    b.teilA = Grenzfeststellung_A(n);
    b.jePunkt = Grenzfeststellung_B(bodenwert, n);
    if (art == NachträglicheAbmarkung) b.teilA *= 0.7;
    if (art == AbmarkungKatastererneuerung) {
        b.teilA = 0.0;
        b.jePunkt = kJePunktKatastererneuerung;
    }
    b.teilB = b.jePunkt * n;
    if (art == GrenzfeststellungUndAbmarkung) b.abmarkung = n * kAbmarkungJePunkt;
    return b;
}

double Vorschaugebühr(Grenzart art, double bodenwert, double n, double anteilsfaktor) {
    n = std::max(0.0, n);
    double gebühr = Grenzfeststellung_B(bodenwert, n) * n + Grenzfeststellung_A(n);
    if (art == NachträglicheAbmarkung) gebühr *= 0.7;
    else if (art == AbmarkungKatastererneuerung) gebühr = n * kJePunktKatastererneuerung;
    return anteilsfaktor < 1.0 ? Anteil(gebühr, anteilsfaktor) : gebühr;
}

double Übernahmegebühr(double teilB) {
    const double gebühr = 0.08 * teilB;
    return gebühr < kMindestÜbernahmegebühr ? kMindestÜbernahmegebühr : gebühr;
}

}  // namespace vk
