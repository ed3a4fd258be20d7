// Proving an invoice before it is sent: every fee table is priced again from its own inputs (its
// category's dialog opened on it and confirmed unchanged, on a copy) and compared with the document;
// then the totals table, the letter-text amounts and the invoice record are compared with a fresh
// rebuild of the totals. Nothing is written: the document and the database stay as they were.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vk {

// One cell that differs: the text in the document and the text the fee ordinance gives (what a
// confirmation writes). A row or cell missing on one side reads "(fehlt)" and is marked missing.
struct Abweichung {
    long zeile = 0;
    long spalte = 0;
    std::string dokument;
    std::string gebührenordnung;
    bool fehltImDokument = false;
    bool fehltNachGebührenordnung = false;
};

enum class Prüfergebnis { Stimmt, WeichtAb, NichtGeprüft };

// One table of the document, in document order.
struct Tabellenbefund {
    long tabelle = 0;        // its position among the document's tables (from 1)
    std::string kennung;     // its key ("VK_LP_02_3"), empty for a table without one
    std::string kategorie;   // the category's name, empty when it is none
    Prüfergebnis ergebnis = Prüfergebnis::NichtGeprüft;
    std::vector<Abweichung> abweichungen;
    std::string grund;       // why it was not checked
};

// An amount of the letter text or a field of the invoice record that differs from the rebuild.
struct Wertabweichung {
    std::string name;        // the letter-text tag ("kalNetto") or the record's field ("Brutto")
    std::string dokument;    // as the document (or the record) holds it
    std::string berechnet;   // as the rebuilt totals give it
};

struct Prüfbericht {
    std::vector<Tabellenbefund> tabellen;   // the fee tables and the tables not checked
    long summentabelle = 0;                 // position of the totals table, 0 when there is none
    std::vector<Abweichung> summen;         // cells of the totals table that differ
    std::vector<Wertabweichung> brieftexte;
    std::vector<Wertabweichung> datensatz;
    // Errors logged while a table was priced again or the totals were rebuilt ("Tabelle 3: Überlauf
    // (GebührenTabelle.SummeBilden)"): the step went on without the failing statement, so what it
    // gives proves nothing, even where it agrees with the document.
    std::vector<std::string> fehler;

    // Everything agrees: no table differs, every fee table was priced again, and the totals, the
    // letter text and the record agree with the rebuild without an error on the way.
    bool Stimmt() const;
};

struct Prüfauftrag {
    std::string datenbank;  // the office database
    std::int32_t benutzer = 0;
    std::int32_t rechnung = 0;  // ID_Rechnungsnummer
    std::filesystem::path dokument;
};

// Proves the invoice. A database, document, invoice or user that cannot be found, and a category
// dialog that is open already (it is the one instance its table would be re-opened in), raise a
// run-time error naming it; nothing is changed then either. The dialogs and the totals run on copies:
// of the document always, of a database file too (so no other workstation waits for the check); on a
// database server in a transaction that is rolled back.
Prüfbericht RechnungPrüfen(const Prüfauftrag& auftrag);

// The report as a person reads it: one line per table ("Tabelle 3, Einmessung von Gebäuden: stimmt"),
// then the totals table, the letter text, the invoice record and the errors met while pricing again.
std::vector<std::string> Berichtszeilen(const Prüfbericht& bericht);

}  // namespace vk
