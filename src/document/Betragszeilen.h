// The rows of an invoice's fee tables with their amount cells, read as the totals count them: so
// that whatever prices the invoice from its tables (the totals, the e-invoice) reads the same cells.
#pragma once

#include <functional>

#include "common/prozedur.h"
#include "document/summenrechnung.h"
#include "platform/word/document.h"

namespace vk {

// Calls `je` for every row of five cells or more of every table except the totals table ("Summe" in
// cell (1,2)), in document order: the table's position among the document's tables (from 1), the row
// and its amount cell (column 5, with its VAT tag; an empty text when it holds none). Each read runs
// as a statement of `proc`, so a read that fails is logged and its row or table skipped; `je` runs
// outside it.
void BetragszeilenDurchlaufen(Prozedur& proc, word::Document& doc,
                              const std::function<void(long tabelle, const word::Row& zeile, const Betragszelle& zelle)>& je);

}  // namespace vk
