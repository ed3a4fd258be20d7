// The master data an e-invoice needs beyond the invoice: the office (the seller, table Buero, one row)
// and the client of the order (the buyer, table Auftraggeber, one row per ID_Auftragsnummer), read
// from the office database and checked field by field.
#pragma once

#include <string>
#include <vector>

#include "common/variant.h"
#include "platform/dao/database.h"

namespace vk::erechnung {

struct Buero {
    std::string Name, Strasse, PLZ, Ort, Land;
    std::string UStIdNr, Steuernummer;  // at least one of the two
    std::string Ansprechpartner, Telefon, EMail;
    std::string ElektronischeAdresse;   // where the office receives e-invoices
    std::string IBAN, BIC, Kontoinhaber;
};

struct Auftraggeber {
    std::string Name, Strasse, PLZ, Ort, Land;
    std::string Kaeuferreferenz;        // a public client's Leitweg-ID, or a business's reference
    std::string ElektronischeAdresse;
    std::string UStIdNr;                // optional
};

struct Stammdaten {
    Buero buero;
    Auftraggeber auftraggeber;
};

// Reads the office and the client of the order. Every field that is missing or invalid adds one line
// to `mängel` naming it ("Buero.IBAN fehlt"); a database without the tables adds a line that names
// sql/schema.sql, which creates them.
Stammdaten StammdatenLesen(dao::Database& db, const Variant& auftragsnummer, std::vector<std::string>& mängel);

// Whether the text is an IBAN with valid check digits (blanks ignored, ISO 13616, mod 97).
bool IbanGültig(const std::string& iban);
// The IBAN as it is transmitted: without blanks, in capitals.
std::string IbanOhneLeerzeichen(const std::string& iban);

// An electronic address as its scheme and identifier: "0088:4000001000005" is scheme 0088, an
// address with "@" is an e-mail address (EM), anything else a Leitweg-ID (0204).
struct ElektronischeAdresse {
    std::string schema, kennung;
};
ElektronischeAdresse AdresseZerlegen(const std::string& text);

}  // namespace vk::erechnung
