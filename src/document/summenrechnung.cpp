#include "document/summenrechnung.h"

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
    // An advance percentage of 0 (an empty column) means "not in per cent", like 100:
    // an invoice is never priced at zero because the column was left empty.
    const int prozent = werte.AbschlagProzent == 0 ? 100 : werte.AbschlagProzent;
    Regel regel = Regel::Keine;
    double faktor = 1.0;
    if (werte.AbschlagAbsolut != 0.0 || prozent != 100 || werte.Rabatt != 0) {
        if (werte.Rabatt >= 1) {
            regel = Regel::Rabatt;
            faktor = (100.0 - werte.Rabatt) / 100.0;
        } else if (prozent >= 100) {
            regel = Regel::AbschlagBetrag;
            faktor = Division(werte.AbschlagAbsolut, Euro(summen.Gesamt));
        } else {
            regel = Regel::AbschlagProzent;
            faktor = prozent / 100.0;
        }
    }
    summen.regel = regel;
    summen.Faktor = faktor;

    std::int64_t taxiert = 0;
    summen.Steuerpflichtig = 0;
    summen.MwSt = 0;
    for (Steuersatz& s : summen.saetze) {
        taxiert += s.netto;
        s.basis = regel == Regel::Keine ? s.netto : Cent(faktor * Euro(s.netto));
        s.mwst = Cent(s.satz * Euro(s.basis) / 100.0);
        summen.Steuerpflichtig += s.basis;
        summen.MwSt += s.mwst;
    }
    const std::int64_t frei = summen.Gesamt - taxiert;
    if (regel == Regel::AbschlagBetrag) {
        summen.Netto = Cent(werte.AbschlagAbsolut);
        summen.Frei = summen.Netto - summen.Steuerpflichtig;
    } else {
        summen.Frei = regel == Regel::Keine ? frei : Cent(faktor * Euro(frei));
        summen.Netto = summen.Steuerpflichtig + summen.Frei;
    }
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
