// The arithmetic of the invoice totals, apart from the document: amounts by VAT tag, the discount
// or advance-payment rule, VAT per rate. Everything is kept in whole cents, and every amount the
// invoice shows is rounded to the cent exactly once:
//   1. each amount cell counts with the cents it shows;
//   2. with a rule, the net payable is the sum times the rule's factor, rounded to the cent once
//      (an advance by amount is the amount itself); it is split over each rate's net sum and the
//      VAT-free sum by largest remainder (each part's exact share rounded down, the cents left over
//      one each to the largest remainders), so the bases the totals table shows add up to it;
//   3. each rate's VAT is its rate of its rounded base, rounded to the cent;
//   4. the VAT total is the sum of the VAT lines, the invoice amount net + VAT total.
// So what is shown adds up: net + each VAT line = invoice amount, in the table, the letter text
// and the invoice record.
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

// One VAT rate met, in order of first appearance.
struct Steuersatz {
    double satz = 0.0;        // per cent as first met; rates equal as single-precision floats are one
    std::int64_t netto = 0;   // cents taxed at it, before the rule
    std::int64_t basis = 0;   // its base after the rule (cents): the line's column 3
    std::int64_t mwst = 0;    // its VAT (cents): the line's column 4
};

enum class Regel { Keine, Rabatt, AbschlagProzent, AbschlagBetrag };

// The rule values of the invoice context.
struct Regelwerte {
    std::int16_t Rabatt = 0;
    std::int16_t AbschlagProzent = 100;
    double AbschlagAbsolut = 0.0;
    std::int16_t Mehrwertsteuersatz = 0;
};

// All amounts in cents.
struct Summen {
    std::vector<Steuersatz> saetze;
    std::int64_t Gesamt = 0;           // all counted amounts, taxable and VAT-free ("Summe")
    std::int64_t Steuerpflichtig = 0;  // the taxable bases after the rule
    std::int64_t Frei = 0;             // the VAT-free part after the rule
    std::int64_t MwSt = 0;             // the VAT lines together
    std::int64_t Netto = 0;            // payable net after the rule: Steuerpflichtig + Frei
    double Faktor = 1.0;
    Regel regel = Regel::Keine;

    std::int64_t Rechnungsbetrag() const { return Netto + MwSt; }
};

// Step 1: adds one amount cell (skips empty texts and the tag "no").
void BetragErfassen(Summen& summen, const Betragszelle& zelle, std::int16_t rechnungssatz);

// Steps 2 to 4. A division by zero (an advance amount with a total of 0) raises the run-time
// error before anything changes; the caller logs it and applies no rule instead.
void RegelAnwenden(Summen& summen, const Regelwerte& werte);

// The rule text of row 2 of the totals table ("" without a rule).
std::string Regeltext(const Summen& summen, const Regelwerte& werte);

// Cents as euros, for the amount texts.
inline double Euro(std::int64_t cent) { return static_cast<double>(cent) / 100.0; }

}  // namespace vk
