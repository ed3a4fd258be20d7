// The arithmetic of the invoice totals, apart from the document: amounts by VAT tag, VAT per rate,
// and the discount or advance-payment rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vk {

// One amount cell of a fee table: its text without the end-of-cell mark, and its VAT tag text
// (the first comment of the cell; empty when there is none).
struct Betragszelle {
    std::string text;
    std::string kennung;
};

// One VAT rate met, in order of first appearance, with the net sum taxed at it.
struct Steuersatz {
    float satz = 0.0f;
    double netto = 0.0;
};

enum class Regel { Keine, Rabatt, AbschlagProzent, AbschlagBetrag };

// The rule values of the invoice context.
struct Regelwerte {
    std::int16_t Rabatt = 0;
    std::int16_t AbschlagProzent = 100;
    double AbschlagAbsolut = 0.0;
    std::int16_t Mehrwertsteuersatz = 0;
};

struct Summen {
    std::vector<Steuersatz> saetze;
    double Gesamt = 0.0;          // all counted amounts, taxable and VAT-free
    double Steuerpflichtig = 0.0;  // taxable amounts (after the rule's factor)
    double MwSt = 0.0;             // VAT total (after the rule's factor)
    double Netto = 0.0;            // payable net after the rule
    double Faktor = 1.0;
    Regel regel = Regel::Keine;

    // VAT of one rate line as written in the totals table: rounded to cents after the factor.
    double MwStDesSatzes(const Steuersatz& s) const;
};

// Step 1: adds one amount cell (skips empty texts and the tag "no").
void BetragErfassen(Summen& summen, const Betragszelle& zelle, std::int16_t rechnungssatz);

// Step 2: VAT per rate rounded half up to cents, then the rule. A division by zero
// (an advance amount with a total of 0) raises the run-time error; the caller logs it.
void RegelAnwenden(Summen& summen, const Regelwerte& werte);

// The rule text of row 2 of the totals table ("" without a rule).
std::string Regeltext(const Summen& summen, const Regelwerte& werte);

}  // namespace vk
