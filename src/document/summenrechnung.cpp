#include "document/summenrechnung.h"

#include <cmath>

#include "common/fehler.h"
#include "common/funktionen.h"

namespace vk {

double Summen::MwStDesSatzes(const Steuersatz& s) const {
    return std::floor(static_cast<double>(s.satz) * s.netto * Faktor + 0.5) / 100.0;
}

void BetragErfassen(Summen& summen, const Betragszelle& zelle, std::int16_t rechnungssatz) {
    if (zelle.text.empty() || zelle.kennung == "no") return;
    std::string text;
    for (char c : zelle.text)
        if (c != '\r') text += c;
    double satz = rechnungssatz;
    if (!zelle.kennung.empty()) satz = CVal(zelle.kennung);
    const double betrag = CVal(text);
    summen.Gesamt += betrag;
    if (satz <= 0) return;
    const float satzF = static_cast<float>(satz);
    for (Steuersatz& s : summen.saetze) {
        if (s.satz == satzF) {
            s.netto += betrag;
            return;
        }
    }
    summen.saetze.push_back({satzF, betrag});
}

void RegelAnwenden(Summen& summen, const Regelwerte& werte) {
    summen.MwSt = 0.0;
    summen.Steuerpflichtig = 0.0;
    for (const Steuersatz& s : summen.saetze) {
        summen.MwSt += std::floor(static_cast<double>(s.satz) * s.netto + 0.5) / 100.0;
        summen.Steuerpflichtig += s.netto;
    }
    // An advance percentage of 0 (an empty column) means "not in per cent", like 100:
    // an invoice is never priced at zero because the column was left empty.
    const int prozent = werte.AbschlagProzent == 0 ? 100 : werte.AbschlagProzent;
    summen.Faktor = 1.0;
    summen.Netto = summen.Gesamt;
    if (werte.AbschlagAbsolut == 0.0 && prozent == 100 && werte.Rabatt == 0) {
        summen.regel = Regel::Keine;
        return;
    }
    if (werte.Rabatt >= 1) {
        summen.regel = Regel::Rabatt;
        summen.Faktor = (100.0 - werte.Rabatt) / 100.0;
    } else if (prozent >= 100) {
        summen.regel = Regel::AbschlagBetrag;
        summen.Faktor = Division(werte.AbschlagAbsolut, summen.Gesamt);
    } else {
        summen.regel = Regel::AbschlagProzent;
        summen.Faktor = prozent / 100.0;
    }
    summen.MwSt *= summen.Faktor;
    summen.Steuerpflichtig *= summen.Faktor;
    summen.Netto = summen.regel == Regel::AbschlagBetrag ? werte.AbschlagAbsolut : summen.Gesamt * summen.Faktor;
}

std::string Regeltext(const Summen& summen, const Regelwerte& werte) {
    switch (summen.regel) {
    case Regel::Rabatt: return "Abzüglich dem Rabatt von " + std::to_string(werte.Rabatt) + "%";
    case Regel::AbschlagProzent:
        return "Abschlagszahlung von " + std::to_string(werte.AbschlagProzent) + "%";
    case Regel::AbschlagBetrag: return "Abschlagszahlung von ";
    case Regel::Keine: break;
    }
    return "";
}

}  // namespace vk
