// What an e-invoice says, apart from the parties: number, date, kind, payment terms, the lines, the
// document-level allowances, the VAT breakdown and the totals, all in cents. Built from the priced
// document, its invoice record and the user's invoice settings with the same arithmetic as the
// printed totals table; read back from an e-invoice to compare the two.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/variant.h"
#include "einvoice/Positionen.h"
#include "platform/dao/database.h"
#include "platform/word/document.h"

namespace vk::erechnung {

// Invoice type codes (UNTDID 1001).
inline constexpr const char* kRechnung = "380";
inline constexpr const char* kAbschlagsrechnung = "326";
inline constexpr const char* kGutschrift = "381";

// A VAT category: standard rate (S) with its rate, or exempt (E), the VAT-free expenses.
struct Steuerart {
    bool befreit = false;
    double satz = 0.0;
    bool operator==(const Steuerart&) const = default;
};

// The code and reason of the exempt category: passed-through expenses paid in the client's name.
inline constexpr const char* kBefreiungscode = "VATEX-EU-79-C";
inline constexpr const char* kBefreiungsgrund =
    "Umsatzsteuerfreie Auslagen: durchlaufende Posten (§ 10 Abs. 1 Satz 6 UStG)";

// One invoice line (BG-25).
struct Rechnungszeile {
    std::string name;          // BT-153
    std::string tarifstelle;   // BT-155, empty: none
    std::int64_t menge = 0;    // BT-129, ten-thousandths
    std::string einheit;       // BT-130
    std::int64_t preis = 0;    // BT-146, ten-thousandths of a euro, per `basismenge`
    std::int64_t basismenge = 0;  // BT-149 in ten-thousandths; 0: per one unit
    std::int64_t betrag = 0;   // BT-131, cents
    Steuerart steuer;
};

// A document-level allowance (BG-20) or charge (BG-21) of one VAT category.
struct Nachlass {
    bool zuschlag = false;
    std::int64_t betrag = 0;   // cents, positive
    std::string grund;         // BT-97 / BT-104
    std::string grundcode;     // BT-98 / BT-105, empty: none
    Steuerart steuer;
};

// One line of the VAT breakdown (BG-23).
struct Steuerzeile {
    Steuerart steuer;
    std::int64_t basis = 0;    // BT-116
    std::int64_t betrag = 0;   // BT-117
};

// The document totals (BG-22), cents.
struct Gesamtbeträge {
    std::int64_t positionen = 0;    // BT-106
    std::int64_t zuschläge = 0;     // BT-108
    std::int64_t nachlässe = 0;     // BT-107
    std::int64_t netto = 0;         // BT-109
    std::int64_t mwst = 0;          // BT-110
    std::int64_t brutto = 0;        // BT-112
    std::int64_t vorausbezahlt = 0; // BT-113
    std::int64_t fällig = 0;        // BT-115
    bool operator==(const Gesamtbeträge&) const = default;
};

struct Rechnungsinhalt {
    std::string nummer;              // BT-1
    std::string art = kRechnung;     // BT-3
    std::string datum;               // BT-2, "YYYYMMDD"
    std::string fälligAm;            // BT-9, "YYYYMMDD", empty: none
    std::string zahlungsbedingungen; // BT-20
    std::vector<std::string> hinweise;  // BT-22
    std::vector<Rechnungszeile> zeilen;
    std::vector<Nachlass> nachlässe;
    std::vector<Steuerzeile> steuern;
    Gesamtbeträge summen;
    Variant auftrag;                 // the record's ID_Auftragsnummer: whose client the buyer is
};

// The user's invoice settings and the invoice, as the totals were built from them.
struct Rechnungsquelle {
    word::Document* dokument = nullptr;
    dao::Database* datenbank = nullptr;
    std::int32_t benutzer = 0;
    std::int32_t rechnung = 0;       // ID_Rechnungsnummer
};

// Builds the content. A user without invoice settings (TempDoc) or an invoice the database does not
// hold raises a run-time error naming it. Every datum that is missing (the invoice date, the number) and every printed
// total or stored amount that differs from what the fee tables give adds one line to `mängel`: an
// e-invoice says what the printed invoice and the record say, or it is not written.
Rechnungsinhalt InhaltErmitteln(const Rechnungsquelle& quelle, std::vector<std::string>& mängel);

}  // namespace vk::erechnung
