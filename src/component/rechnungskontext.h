// The invoice context: the values shared by every VK object, every dialog and the totals block
// of the process. The host sets most of them through VK's properties; Show adds the window, the
// invoice record and the user's invoice settings from TempDoc.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/dao/database.h"
#include "platform/dao/recordset.h"
#include "platform/dao/workspace.h"
#include "platform/word/document.h"

namespace vk {

struct Rechnungskontext {
    // Job quantities (defaults of the dialogs).
    std::string Flurstücksnummer;
    double Fläche = 0.0;
    double Bodenwert = 0.0;
    std::string Lage;
    double Baukosten = 0.0;
    std::int16_t Achslänge = 0;
    std::int32_t Grenzlänge = 0;
    std::int16_t Flurstücke = 0;
    std::int16_t AnzahlGrenzpunkte = 0;

    // The host's objects; shared ownership, a new assignment releases the previous one.
    std::shared_ptr<word::Document> Doc;
    std::shared_ptr<word::Application> WordApp;  // the application of Doc
    std::shared_ptr<dao::Database> NeueAbfrage;  // database for the totals block's queries
    std::shared_ptr<dao::Workspace> KalWorkspace;
    std::shared_ptr<dao::Recordset> Rechnung;    // the host's current invoice record (from Show)

    std::int32_t ID_Benutzer = 0;
    std::string DatenbankPfad;
    std::int32_t hWndMDI = 0;                    // parent window of the dialogs (from Show)

    // The user's invoice settings, read from TempDoc by Show.
    double AbschlagAbsolut = 0.0;                // advance payment as an amount (euros)
    std::int16_t AbschlagProzent = 0;            // advance payment in per cent
    std::int16_t Rabatt = 0;                     // discount in per cent
    std::int16_t Mehrwertsteuersatz = 0;         // VAT rate in per cent (stored in tenths)
    bool Zahlungsziel = false;                   // the invoice gets the payment-target text box
    // Whether Show read these settings from the database (it opened, the row was there and every
    // column came from it; a Null column is read all the same), else why not. A host refuses a
    // confirmation priced without them.
    bool EinstellungenGelesen = false;
    std::string EinstellungenFehler;

    // Whether the last confirmation's totals block stored the totals in the invoice record, else why
    // not: a host that saves file and record together saves neither then.
    bool DatensatzGespeichert = false;
    std::string DatensatzFehler;

    // The fee table the last confirmation wrote (nothing before the first): what a host shows or
    // prints as "the table just written", whichever of several tables of a kind it was.
    word::Table GeschriebeneTabelle;

    // Further TempDoc values Show reads; nothing in the component uses them.
    std::int32_t ID_Auftragsnummer = 0;
    bool MeßtruppZusammenfassen = false;
    std::int32_t ID_Lieferschein = 0;
    double Preisgruppe1 = 0.0, Preisgruppe2 = 0.0, Preisgruppe3 = 0.0, Preisgruppe4 = 0.0;  // per cent
    double Mehrwertsteuer = 0.0;                 // per cent
    double MwStErmäßigt = 0.0;                   // per cent
};

// The one context of the process; it lives as long as the library is loaded.
Rechnungskontext& Kontext();

// Back to the initial state (0, empty, no object): for tests and a host that starts over.
void KontextZuruecksetzen();

// Whether the database has the user's TempDoc row, the invoice settings Show reads. Without it Show
// logs the missing row and prices with no VAT, no discount and no advance: a caller that can still
// refuse (the command line, the check) asks first.
bool BenutzerVorhanden(dao::Database& db, std::int32_t benutzer);

}  // namespace vk
