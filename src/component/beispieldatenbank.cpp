#include "component/beispieldatenbank.h"

#include "platform/dao/dao.h"

namespace vk {

void BeispielDatenbankAnlegen(const std::string& name) {
    dao::DatenbankAnlegen(name);
    dao::Workspace ws;
    auto db = ws.OpenDatabase(name);
    db->Execute("INSERT INTO TempDoc (ID_Benutzer, ID_Auftragsnummer, MeßtruppZusammenfassen, ID_Lieferschein, "
                "AbschlagAbsolut, AbschlagProzent, Zahlungsziel, Mehrwertsteuersatz, Preisgruppe1, Preisgruppe2, "
                "Preisgruppe3, Preisgruppe4, Mehrwertsteuer, MwStErmäßigt, Rabatt) "
                "VALUES (1, 1, 0, 0, 0, 100, 1, 190, 100, 100, 100, 100, 190, 70, 0)");
    db->Execute("INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart, Rechnungsnummer) "
                "VALUES (1, 1, 1, '2026-001')");
    db->Execute("INSERT INTO Termine (ID_Rechnungsnummer, ID_Terminart, Datum) VALUES (1, 8, '2026-12-05')");
    db->Execute("INSERT INTO Version (Zahlungsziel, AbstandZahlungsziel, BundZahlungsziel) "
                "VALUES ('Bitte zahlen Sie den Rechnungsbetrag bis zum <14> ohne Abzug.', 26, 1)");
    // The office and the client of order 1, a public client with its Leitweg-ID: what the e-invoice of
    // the invoice needs.
    db->Execute("INSERT INTO Buero (Name, Strasse, PLZ, Ort, Land, UStIdNr, Steuernummer, Ansprechpartner, Telefon, "
                "EMail, ElektronischeAdresse, IBAN, BIC, Kontoinhaber) VALUES ('Vermessungsbüro Mustermann & Partner', "
                "'Katasterweg 12', '40210', 'Düsseldorf', 'DE', 'DE123456789', '103/5720/1234', 'Erika Mustermann', "
                "'+49 211 1234567', 'buero@vermessung-mustermann.de', 'rechnung@vermessung-mustermann.de', "
                "'DE02 1203 0000 0000 2020 51', 'BYLADEM1001', 'Vermessungsbüro Mustermann & Partner')");
    db->Execute("INSERT INTO Auftraggeber (ID_Auftragsnummer, Name, Strasse, PLZ, Ort, Land, Kaeuferreferenz, "
                "ElektronischeAdresse) VALUES (1, 'Stadt Musterstadt, Amt für Bodenordnung', 'Rathausplatz 1', "
                "'40213', 'Musterstadt', 'DE', '04011000-12345-03', '04011000-12345-03')");
    db->Close();
}

}  // namespace vk
