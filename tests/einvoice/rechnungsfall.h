// An invoice for the e-invoice tests, made as an office makes it: an office database with the user's
// invoice settings, the invoice record and its date, the office's and the client's master data; a
// letter with fee tables written the way the categories write them, its totals built; document and
// database saved as files, from which the e-invoice is made as `vk einvoice` makes it.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../dao/testdatenbank.h"
#include "einvoice/ERechnung.h"

namespace vktest {

// One row of a fee table: the texts of cells 1 to 4, the amount of cell 5 (0: none) and its VAT tag.
struct Tabellenzeile {
    std::array<std::string, 4> texte;
    double betrag = 0;
    std::string kennung;
};

struct Gebührentabelle {
    std::string schlüssel;
    std::vector<Tabellenzeile> zeilen;  // the first is the title row
};

// The user's invoice settings (TempDoc) and the kind of the invoice record.
struct Einstellungen {
    int rabatt = 0;
    int abschlagProzent = 100;
    int abschlagAbsolut = 0;  // whole euros
    int satz = 19;
    int art = 1;
};

// An advance invoice of the same order: number, stored net, VAT-free part and gross (cents), date.
struct Abschlagsrechnung {
    std::string nummer;
    long netto = 0, frei = 0, brutto = 0;
    std::string datum;
};

class Rechnungsfall {
public:
    Rechnungsfall(const Einstellungen& einstellungen, const std::vector<Gebührentabelle>& tabellen,
                  const std::vector<Abschlagsrechnung>& abschläge = {});

    // The order e-invoice of invoice 1 for user 1, to `xml` (in the case's folder unless absolute).
    vk::ERechnungsauftrag Auftrag(const std::filesystem::path& xml = "Rechnung.xml") const;
    // The printed totals table, row by row, cells joined by "|" (end marks dropped).
    std::vector<std::string> Summentabelle() const;
    // Runs a statement on the database (to spoil master data), and reads a value back.
    void Sql(const std::string& sql) { roh_->Sql(sql); }
    std::string Text(const std::string& sql) { return roh_->Text(sql); }

    const std::filesystem::path& Ordner() const { return ordner_.Pfad(); }
    std::filesystem::path datenbank, dokument;

private:
    TempOrdner ordner_;
    std::unique_ptr<Roh> roh_;
};

// The master data rows of a valid office and client (order 100).
void StammdatenEintragen(Roh& roh);

}  // namespace vktest
