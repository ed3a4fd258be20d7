// Whether the printed totals table and the invoice record say what the fee tables give: an e-invoice
// is written only from an invoice whose totals are up to date.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/summenrechnung.h"
#include "platform/dao/recordset.h"
#include "platform/word/document.h"

namespace vk::erechnung {

// A final invoice's remainder after its advance invoices (cents): net with the VAT-free part, VAT,
// gross, and the VAT-free part alone.
struct Restbeträge {
    std::int64_t netto = 0, mwst = 0, brutto = 0, frei = 0;
};

// Compares the totals table of the document (tag "RE_Summe") with the sums: "Summe", the rule row, each
// VAT line, the invoice amount and, for a final invoice (`rest` set), the amounts that remain. One line
// per difference to `mängel`.
void SummentabelleAbgleichen(word::Document& doc, const Summen& summen, const std::string& regeltext,
                             const Restbeträge* rest, std::vector<std::string>& mängel);

// Compares the stored totals of the invoice record (cents; negated for an invoice of kind 7) with the
// sums, or for a final invoice with what remains.
void DatensatzAbgleichen(dao::Recordset& rechnung, const Summen& summen, const Restbeträge* rest, bool negiert,
                         std::vector<std::string>& mängel);

}  // namespace vk::erechnung
