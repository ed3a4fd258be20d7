// Proving an invoice before it is sent: every fee table is priced again from its own inputs (its
// category's dialog opened on it and confirmed unchanged, on a copy) and compared with the document;
// then the totals table, the letter-text amounts and the invoice record are compared with a fresh
// rebuild of the totals. Nothing is written: the document and the database stay as they were.
//
// Errors: RechnungPrüfen raises vk::LaufzeitFehler (fehler.h) for what it cannot open; a difference
// is no error but a finding of the report. Everything returned is owned by the caller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "vk_lp_08/export.h"

namespace vk {

// One cell that differs: the text in the document and the text the check computes (what a
// confirmation writes). A row only one side has is one finding with spalte 0, its cells joined by
// " | "; a cell only one side has is marked missing on the other.
struct Abweichung {
    long zeile = 0;
    long spalte = 0;
    std::string dokument;
    std::string berechnet;
    bool fehltImDokument = false;
    bool fehltBerechnet = false;
};

enum class Prüfergebnis {
    Stimmt,
    WeichtAb,
    NichtGeprüft,          // an amount that counts in the totals and could not be re-priced: not proved
    KeineGebührentabelle,  // a table without the key of a fee table that adds nothing to the totals
};

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
    std::string name;         // the letter-text tag ("kalNetto") or the record's field ("Brutto")
    std::string bezeichnung;  // what a clerk calls it ("Nettobetrag", "Rechnungsbetrag (brutto)")
    std::string dokument;     // as the document (or the record) holds it
    std::string berechnet;    // as the rebuilt totals give it
};

struct VK_API Prüfbericht {
    std::vector<Tabellenbefund> tabellen;   // every table but the totals, in document order
    long summentabelle = 0;                 // position of the totals table, 0 when there is none
    std::vector<Abweichung> summen;         // cells of the totals table that differ
    std::vector<Wertabweichung> brieftexte;
    // Amounts of the letter text that no letter-text tag stands before, so nothing rewrites or
    // checks them (a tag deleted by hand): each with a few words of its sentence.
    std::vector<std::string> briefOhneKennung;
    std::vector<Wertabweichung> datensatz;
    // Where the user's invoice settings are not those the invoice was priced with ("Umsatzsteuersatz:
    // 19 % in der Rechnung, 16 % nach den Einstellungen des Benutzers"): the cause of totals that differ.
    std::vector<std::string> einstellungen;
    // What a person should know but does not make the invoice wrong (two tables with no paragraph
    // between them, which a word processor joins into one).
    std::vector<std::string> hinweise;
    // Errors logged while a table was priced again or the totals were rebuilt ("Tabelle 3: Überlauf
    // (GebührenTabelle.SummeBilden)"): the step went on without the failing statement, so what it
    // gives proves nothing, even where it agrees with the document.
    std::vector<std::string> fehler;

    // Whether every fee table, every letter amount, the totals and the record were compared and agree.
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
VK_API Prüfbericht RechnungPrüfen(const Prüfauftrag& auftrag);

// The report as a person reads it, one finding per line: a line per table ("Tabelle 3, Einmessung von
// Gebäuden: stimmt", or "…: weicht ab" with one indented line per difference below it), then the
// totals table, the letter text, the invoice record, the settings that differ, notes and errors.
// Texts that differ are set against what the fee ordinance gives (tables), what the fee tables give
// (totals, letter, record) or, when the user's settings changed, what those settings give.
VK_API std::vector<std::string> Berichtszeilen(const Prüfbericht& bericht);

}  // namespace vk
