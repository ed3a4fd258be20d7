// The e-invoice as XML: an XRechnung 3.0 in UN/CEFACT Cross Industry Invoice syntax (D16B), written
// from the content and the master data, and read back (the lines and the totals) to compare.
#pragma once

#include <string>

#include "einvoice/Rechnungsinhalt.h"
#include "einvoice/Stammdaten.h"

namespace vk::erechnung {

// The XML text (UTF-8, with declaration).
std::string CiiSchreiben(const Rechnungsinhalt& inhalt, const Stammdaten& stammdaten);

// What an e-invoice says of its number, kind, lines, allowances, VAT breakdown and totals. A text that
// is no Cross Industry Invoice raises run-time error 5 naming what is wrong.
Rechnungsinhalt CiiLesen(const std::string& xml);

}  // namespace vk::erechnung
