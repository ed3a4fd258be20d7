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
    db->Close();
}

}  // namespace vk
