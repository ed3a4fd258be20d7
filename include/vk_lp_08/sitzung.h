// One category's dialog on an invoice, driven as a person drives it, confirmed (or cancelled) and
// saved together with the invoice record: what `vk apply` does, for a host program.
//
//   vk::Rechnungssitzung s({"buero.sqlite", 1, 1, "Rechnung.docx"});
//   s.KategorieÖffnen(4);
//   s.Setzen("chkOrt=1");
//   s.Setzen("mskMehrfach=2");
//   s.Bestätigen();                       // table, totals, record and file: all or nothing
//   for (const auto& zeile : s.GeschriebeneTabelle()) ...
//
// Errors: every step that cannot be done raises vk::LaufzeitFehler (fehler.h) with a German
// description naming what is wrong; a step that raised changed nothing. Bestätigen raising means that
// nothing was saved: the invoice file and its record are as they were.
// Threads: the component keeps one invoice context per process (vk_lp_08.h): one session at a time,
// used from one thread at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "vk_lp_08/export.h"
#include "vk_lp_08/fehlerprotokoll.h"

namespace vk {

class VK_API Rechnungssitzung {
public:
    struct Auftrag {
        std::string datenbank;           // the office database: a SQLite file or a postgresql:// address
        std::int32_t benutzer = 0;       // ID_Benutzer: whose invoice settings (TempDoc) price the invoice
        std::int32_t rechnung = 0;       // ID_Rechnungsnummer of the invoice record
        std::filesystem::path dokument;  // the invoice (.docx)
        std::filesystem::path ausgabe;   // where the confirmed invoice is saved; empty: in place
    };
    // Cells of a table as its rows read them, without the end-of-cell marks.
    using Tabellentext = std::vector<std::vector<std::string>>;

    // Opens the database, the document and the invoice record and checks the user, holding the
    // invoice (and `ausgabe`) locked until the session ends: a second confirmation of the same invoice
    // waits for it. A save a killed program left is finished or undone first (Hinweis says which).
    explicit Rechnungssitzung(const Auftrag& auftrag);
    // Closes a dialog still open (its edits are dropped) and lets the invoice go.
    ~Rechnungssitzung();
    Rechnungssitzung(const Rechnungssitzung&) = delete;
    Rechnungssitzung& operator=(const Rechnungssitzung&) = delete;

    // What was done about a save a killed program left, as a person reads it; "" when there was none.
    const std::string& Hinweis() const;

    // A job quantity as the host sets it before a dialog opens: "Flurstücksnummer", "Fläche",
    // "Bodenwert", "Lage", "Baukosten", "Achslänge", "Grenzlänge", "Flurstücke", "AnzahlGrenzpunkte";
    // numbers as German number text ("12,5").
    void Eigenschaft(const std::string& name, const std::string& wert);

    // Opens the dialog of category 0 to 5. `tabellenwahl` answers the table-choice dialog when the
    // invoice has tables of the category: "new" (a new table), "1" to "5" (the n-th offered) or
    // "cursor"; a choice it does not offer is refused. `antwort` answers the dialog's questions
    // ("Zeile löschen?"): "yes" or "no" (also for "").
    void KategorieÖffnen(int kategorie, const std::string& tabellenwahl = "new", const std::string& antwort = "");

    // One action of a person on the open dialog, by control name: "chkOrt=1", "optArt(1)=1",
    // "GridGebühren(1,2)=200000"; a text field takes the value whole, as pasted.
    void Setzen(const std::string& anweisung);

    // "&OK": the fee table and the totals are written and the invoice saved with its record.
    void Bestätigen();
    // "&Abbruch": the dialog closes, nothing is written.
    void Abbrechen();

    // After Bestätigen: the fee table this confirmation wrote and the totals table.
    Tabellentext GeschriebeneTabelle() const;
    Tabellentext Summentabelle() const;
    // Errors the component logged while the dialog was open, from the first input to the
    // confirmation (it goes on without the failing statement, e.g. a value that is no number):
    // how many, and the last.
    Protokollstand ProtokollImDialog() const;

private:
    struct Zustand;
    std::unique_ptr<Zustand> z_;
};

}  // namespace vk
