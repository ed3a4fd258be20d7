#include "document/summenrechnung.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"

namespace vk {

void BetragErfassen(Summen& summen, const Betragszelle& zelle, std::int16_t rechnungssatz) {
    if (zelle.text.empty() || zelle.kennung == "no") return;
    std::string text;
    for (char c : zelle.text)
        if (c != '\r') text += c;
    double satz = rechnungssatz;
    if (!zelle.kennung.empty()) satz = CVal(zelle.kennung);
    const std::int64_t betrag = Cent(CVal(text));
    // The totals show amounts with at most 15 digits. From a sum of a trillion euros on, the sum with
    // its VAT could not be shown to the cent: such an amount is refused as one that overflows.
    constexpr std::int64_t kHöchsteSumme = 100'000'000'000'000;  // cents: 1.000.000.000.000,00 €
    if (std::llabs(summen.Gesamt + betrag) >= kHöchsteSumme) throw LaufzeitFehler(fehlernummer::Ueberlauf);
    summen.Gesamt += betrag;
    if (satz <= 0) return;
    for (Steuersatz& s : summen.saetze) {
        if (static_cast<float>(s.satz) == static_cast<float>(satz)) {
            s.netto += betrag;
            return;
        }
    }
    summen.saetze.push_back({satz, betrag});
}

namespace {

// Cents times a rule's numerator exceed 64 bits for amounts near the largest the totals accept.
__extension__ typedef __int128 Breit;

// a / b rounded toward minus infinity (b > 0).
Breit Abgerundet(Breit a, Breit b) {
    const Breit q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// a / b rounded half away from zero (b > 0).
Breit Gerundet(Breit a, Breit b) {
    const Breit betrag = (a < 0 ? -a : a) * 2 + b;
    const Breit q = betrag / (2 * b);
    return a < 0 ? -q : q;
}

// Splits `netto` over the parts in the proportion of their amounts × zaehler / nenner: each part
// gets its exact share rounded down, and the cents left over go one each to the parts with the
// largest remainders (on equal remainders the larger part first, then the earlier). So the parts
// add up to `netto` and no part is more than a cent off its exact share. Works on the cents in
// place.
void Aufteilen(const std::vector<std::int64_t*>& teile, Breit zaehler, Breit nenner, std::int64_t netto) {
    if (nenner < 0) zaehler = -zaehler, nenner = -nenner;
    struct Anteil {
        std::int64_t* teil;
        std::int64_t betrag;
        Breit rest;
    };
    std::vector<Anteil> anteile;
    std::int64_t verteilt = 0;
    for (std::int64_t* t : teile) {
        const Breit genau = static_cast<Breit>(*t) * zaehler;
        const Breit unten = Abgerundet(genau, nenner);
        anteile.push_back({t, *t, genau - unten * nenner});
        *t = static_cast<std::int64_t>(unten);
        verteilt += *t;
    }
    std::vector<Anteil*> reihe;
    for (Anteil& a : anteile) reihe.push_back(&a);
    std::stable_sort(reihe.begin(), reihe.end(), [](const Anteil* a, const Anteil* b) {
        if (a->rest != b->rest) return a->rest > b->rest;
        return std::llabs(a->betrag) > std::llabs(b->betrag);
    });
    for (std::size_t i = 0; netto > verteilt && i < reihe.size(); ++i, ++verteilt) ++*reihe[i]->teil;
}

}  // namespace

void RegelAnwenden(Summen& summen, const Regelwerte& werte) {
    // Settings outside their sense are read as none, so that no invoice is priced at zero or below
    // by a setting: an advance percentage of 0 (an empty column) or of 100 and more means "not in per
    // cent"; a negative discount or advance amount is none; a discount above 100 % is the whole.
    const int prozent = werte.AbschlagProzent <= 0 || werte.AbschlagProzent > 100 ? 100 : werte.AbschlagProzent;
    const int rabatt = werte.Rabatt < 0 ? 0 : werte.Rabatt > 100 ? 100 : werte.Rabatt;
    const double absolut = werte.AbschlagAbsolut > 0 ? werte.AbschlagAbsolut : 0.0;
    // The rule as a fraction of the sum: discount (100 − r) / 100, advance p / 100, advance by
    // amount amount / sum.
    Regel regel = Regel::Keine;
    Breit zaehler = 1, nenner = 1;
    if (absolut != 0.0 || prozent != 100 || rabatt != 0) {
        if (rabatt >= 1) {
            regel = Regel::Rabatt;
            zaehler = 100 - rabatt, nenner = 100;
        } else if (prozent >= 100) {
            regel = Regel::AbschlagBetrag;
            Division(absolut, Euro(summen.Gesamt));  // raises 11 on an empty invoice, before anything changes
            zaehler = Cent(absolut), nenner = summen.Gesamt;
        } else {
            regel = Regel::AbschlagProzent;
            zaehler = prozent, nenner = 100;
        }
    }
    summen.regel = regel;
    summen.Faktor = static_cast<double>(zaehler) / static_cast<double>(nenner);

    // The net is the sum times the rule, rounded once (an advance by amount is that amount); it is
    // split over each rate's net sum and the VAT-free sum so that the shown bases add up to it.
    std::int64_t taxiert = 0;
    for (const Steuersatz& s : summen.saetze) taxiert += s.netto;
    std::int64_t frei = summen.Gesamt - taxiert;
    std::vector<std::int64_t*> teile;
    for (Steuersatz& s : summen.saetze) {
        s.basis = s.netto;
        teile.push_back(&s.basis);
    }
    teile.push_back(&frei);
    if (regel != Regel::Keine) {
        const std::int64_t netto = regel == Regel::AbschlagBetrag
                                       ? static_cast<std::int64_t>(zaehler)
                                       : static_cast<std::int64_t>(Gerundet(summen.Gesamt * zaehler, nenner));
        Aufteilen(teile, zaehler, nenner, netto);
    }
    summen.Steuerpflichtig = 0;
    summen.MwSt = 0;
    for (Steuersatz& s : summen.saetze) {
        // In whole numbers: rate in hundredths of a per cent times the cents, so that amounts beyond
        // a double's 15 digits keep their cents.
        const Breit hundertstel = std::llround(s.satz * 100.0);
        s.mwst = static_cast<std::int64_t>(Gerundet(static_cast<Breit>(s.basis) * hundertstel, 10000));
        summen.Steuerpflichtig += s.basis;
        summen.MwSt += s.mwst;
    }
    summen.Frei = frei;
    summen.Netto = summen.Steuerpflichtig + summen.Frei;
}

std::string Regeltext(const Summen& summen, const Regelwerte& werte) {
    switch (summen.regel) {
    case Regel::Rabatt: return "Abzüglich dem Rabatt von " + std::to_string(std::min<int>(werte.Rabatt, 100)) + "%";
    case Regel::AbschlagProzent:
        return "Abschlagszahlung von " + std::to_string(werte.AbschlagProzent) + "%";
    case Regel::AbschlagBetrag: return "Abschlagszahlung von ";
    case Regel::Keine: break;
    }
    return "";
}

}  // namespace vk
