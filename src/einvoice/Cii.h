// The e-invoice as XML: an XRechnung 3.0 in UN/CEFACT Cross Industry Invoice syntax (D16B), written
// from the content and the master data, and read back (the lines and the totals) to compare.
#pragma once

#include <ostream>
#include <string>

#include "einvoice/Rechnungsinhalt.h"
#include "einvoice/Stammdaten.h"

namespace vk::erechnung {

// Writes the XML (UTF-8, with declaration) to the stream.
void CiiSchreiben(const Rechnungsinhalt& inhalt, const Stammdaten& stammdaten, std::ostream& aus);

// What an e-invoice says of its number, kind, lines, allowances, VAT breakdown and totals. A text that
// is no Cross Industry Invoice raises run-time error 5 naming what is wrong.
Rechnungsinhalt CiiLesen(const std::string& xml);

}  // namespace vk::erechnung
