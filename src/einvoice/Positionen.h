// The invoice lines of an e-invoice: one per priced row of the document's fee tables, read from the
// same amount cells the totals count. What a row says of itself is taken from its texts, the way a
// reader of the printed table takes it:
//   - the item name: the table's title, then the row's description (its text cells without numbers,
//     prices, units and headings); a row that has none, or only a label of its count ("Anzahl
//     Mehrfachausfertigungen:"), takes the description of the nearest row above without an amount;
//   - the tariff position: the row's own (a number like "10.1.1" in column 1, or "Tarifstelle 8.2.2"
//     in a cell), else the one a row without an amount above it names (a heading "Tarifstelle 10.2",
//     a group "11.1"); an expense heading ("Auslagen") ends it, and a share of several positions
//     ("Ihr Anteil", "anteilige Auslagen") has none;
//   - the quantity: hours ("2,5 h") and kilometres ("30 km"), a count before " x ", a count in a cell
//     of its own or before a text ("7 in der Örtlichkeit …"), or the amount divided by a unit price
//     the row shows ("130,00 €"); else one piece.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/prozedur.h"
#include "document/summenrechnung.h"
#include "platform/word/document.h"

namespace vk::erechnung {

struct Gebührenposition {
    std::string name;
    std::string tarifstelle;          // empty: none
    std::int64_t menge = 10000;       // ten-thousandths; negative for a negative amount
    std::string einheit = "H87";      // UN/ECE rec. 20: HUR hours, KMT kilometres, H87 pieces
    std::int64_t betrag = 0;          // cents, as the cell shows them
    std::optional<double> satz;       // the VAT rate in per cent; none: VAT-free
};

// The priced rows of the document, in document order, each amount counted into `summen` exactly as
// the totals count it (the invoice's VAT rate `satz` for amounts without a tag). A cell that cannot be
// read is logged under `proc` and left out.
std::vector<Gebührenposition> PositionenLesen(Prozedur& proc, word::Document& doc, std::int16_t satz, Summen& summen);

}  // namespace vk::erechnung
