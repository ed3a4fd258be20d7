// Rebuilding the invoice totals from every fee table of the document.
#pragma once

#include "platform/word/document.h"

namespace vk {

// Sums the amount column of every fee table by VAT tag, applies the discount or advance rule,
// writes the totals table at "kalStart", rewrites the letter-text amounts, deducts advance invoices
// on a final invoice, stores the totals in the invoice record, places or removes the payment-target
// text box and hides tags and revision marks from the view. Errors are logged ("GebührenTabelle").
void SummeBilden(bool zahlungsziel);

// While one lives, SummeLöschen and SummeBilden do nothing: a program that confirms many fee tables
// again only for the tables they write (the check) rebuilds the totals once, at the end.
class SummenAufschub {
public:
    SummenAufschub();
    ~SummenAufschub();
    SummenAufschub(const SummenAufschub&) = delete;
    SummenAufschub& operator=(const SummenAufschub&) = delete;
};
bool SummenAufgeschoben();

// Removes the payment-target text box and, with the flag, adds it anew from the "Version" row.
void Zahlungsziel(word::Document& dokument, bool zahlungsziel);

}  // namespace vk
