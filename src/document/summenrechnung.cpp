#include "document/summenrechnung.h"

#include <algorithm>
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

void RegelAnwenden(Summen& summen, const Regelwerte& werte) {
    // Settings outside their sense are read as none, so that no invoice is priced at zero or below
    // by a setting: an advance percentage of 0 (an empty column) or of 100 and more means "not in per
    // cent"; a negative discount or advance amount is none; a discount above 100 % is the whole.
    const int prozent = werte.AbschlagProzent <= 0 || werte.AbschlagProzent > 100 ? 100 : werte.AbschlagProzent;
    const int rabatt = werte.Rabatt < 0 ? 0 : werte.Rabatt > 100 ? 100 : werte.Rabatt;
    const double absolut = werte.AbschlagAbsolut > 0 ? werte.AbschlagAbsolut : 0.0;
    Regel regel = Regel::Keine;
    double faktor = 1.0;
    if (absolut != 0.0 || prozent != 100 || rabatt != 0) {
        if (rabatt >= 1) {
            regel = Regel::Rabatt;
            faktor = (100.0 - rabatt) / 100.0;
        } else if (prozent >= 100) {
            regel = Regel::AbschlagBetrag;
            faktor = Division(absolut, Euro(summen.Gesamt));
        } else {
            regel = Regel::AbschlagProzent;
            faktor = prozent / 100.0;
        }
    }
    summen.regel = regel;
    summen.Faktor = faktor;

    // The parts of the net: each rate's net sum and the VAT-free sum, each scaled and rounded once.
    std::int64_t taxiert = 0;
    for (const Steuersatz& s : summen.saetze) taxiert += s.netto;
    std::int64_t frei = summen.Gesamt - taxiert;
    std::vector<std::int64_t*> teile;
    for (Steuersatz& s : summen.saetze) {
        s.basis = regel == Regel::Keine ? s.netto : Cent(faktor * Euro(s.netto));
        teile.push_back(&s.basis);
    }
    if (regel != Regel::Keine) frei = Cent(faktor * Euro(frei));
    teile.push_back(&frei);
    // An advance by amount is that amount to the cent: the rounding rest (a cent or two) goes to the
    // largest part, so a part that is nothing (no VAT-free amount) stays nothing.
    if (regel == Regel::AbschlagBetrag) {
        std::int64_t rest = Cent(absolut);
        for (const std::int64_t* t : teile) rest -= *t;
        std::int64_t* größter = teile.front();
        for (std::int64_t* t : teile)
            if (std::llabs(*t) > std::llabs(*größter)) größter = t;
        *größter += rest;
    }
    summen.Steuerpflichtig = 0;
    summen.MwSt = 0;
    for (Steuersatz& s : summen.saetze) {
        s.mwst = Cent(s.satz * Euro(s.basis) / 100.0);
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
