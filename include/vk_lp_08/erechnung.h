// The e-invoice of a priced invoice: an XRechnung 3.0 in UN/CEFACT CII syntax, written from the
// invoice document, its record and the office's master data (tables Buero and Auftraggeber), and
// compared with them. The document and the database are only read.
//
// Errors: what cannot be opened or written raises vk::LaufzeitFehler (fehler.h); missing or invalid
// data is no error but the refusal's lines. Everything returned is owned by the caller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "vk_lp_08/export.h"

namespace vk {

struct ERechnungsauftrag {
    std::string datenbank;            // the office database: a file or a postgresql:// address
    std::int32_t benutzer = 0;        // whose invoice settings (TempDoc) priced the invoice
    std::int32_t rechnung = 0;        // ID_Rechnungsnummer
    std::filesystem::path dokument;   // the priced invoice (.docx)
    std::filesystem::path xml;        // the e-invoice written, or compared
};

// Writes the e-invoice to `auftrag.xml` (replacing a file there in one step) and returns nothing; or
// writes nothing and returns one line per missing or invalid datum: master data, the invoice date or
// number, and printed totals or stored amounts that differ from the fee tables. A database, document,
// user or invoice that cannot be found, and a file that cannot be written, raise a run-time error
// naming it.
VK_API std::vector<std::string> ERechnungSchreiben(const ERechnungsauftrag& auftrag);

// One thing the e-invoice says otherwise than the document.
struct ERechnungsabweichung {
    std::string was;         // "Position 3, Betrag", "Rechnungsbetrag (BT-112)"
    std::string erechnung;   // as the e-invoice says it ("(fehlt)" when it lacks it)
    std::string dokument;    // as the document, its record and the settings give it
};

// Compares the e-invoice file `auftrag.xml` with the invoice: number, kind and date, each line (name,
// tariff position, quantity, price, amount, VAT) and each total, allowance and VAT line. Empty when
// they agree. An unreadable e-invoice raises run-time error 5 naming what is wrong.
VK_API std::vector<ERechnungsabweichung> ERechnungVergleichen(const ERechnungsauftrag& auftrag);

// The comparison as one line: "E-Rechnung Rechnung.xml: stimmt" or "…: weicht ab: …".
VK_API std::string ERechnungBerichtszeile(const std::filesystem::path& xml, const std::vector<ERechnungsabweichung>& abweichungen);

}  // namespace vk
