// VK::Show: the window, the user's invoice settings from TempDoc, the invoice record, the dialog.
#include <string>

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "platform/dao/database.h"
#include "platform/dao/recordset.h"
#include "platform/dao/workspace.h"

namespace vk {
namespace {

// A value stored in tenths of a per cent, in per cent.
double Zehntel(const Variant& wert) { return CDbl(wert) / 10.0; }

}  // namespace

void VK::Show(std::int16_t Index, std::shared_ptr<dao::Recordset> Rechnung, std::int32_t hWndMDI) {
    Prozedur proc("Rechnung", "Show");
    Rechnungskontext& k = Kontext();
    k.hWndMDI = hWndMDI;

    // The TempDoc database and recordset are Show's own and closed before it returns.
    std::shared_ptr<dao::Database> db;
    std::shared_ptr<dao::Recordset> rs;
    // The first read that failed (a lost connection, a missing row), as opposed to a value that does
    // not convert: the settings are then not the user's.
    std::string lesefehler;
    if (!proc([&] { db = Gesetzt(k.KalWorkspace).OpenDatabase(k.DatenbankPfad); })) lesefehler = proc.LetzterFehler();
    if (!proc([&] { rs = Gesetzt(db).OpenRecordset("SELECT * FROM TempDoc WHERE ID_Benutzer = ?", {Variant(k.ID_Benutzer)}); }) &&
        lesefehler.empty())
        lesefehler = proc.LetzterFehler();

    // One statement per column: a failing read is logged and leaves its value as it was.
    auto feld = [&](const char* name) {
        try {
            return Gesetzt(rs).Fields(name).Value();
        } catch (const LaufzeitFehler& f) {
            if (lesefehler.empty()) lesefehler = f.Beschreibung();
            throw;
        }
    };
    proc([&] { k.ID_Auftragsnummer = CLng(feld("ID_Auftragsnummer")); });
    proc([&] { k.MeßtruppZusammenfassen = CBool(feld("MeßtruppZusammenfassen")); });
    proc([&] { k.ID_Lieferschein = CLng(ZahlDatensatzLesen(feld("ID_Lieferschein"))); });
    proc([&] { k.AbschlagAbsolut = CDbl(ZahlDatensatzLesen(feld("AbschlagAbsolut"))); });
    proc([&] { k.AbschlagProzent = CInt(ZahlDatensatzLesen(feld("AbschlagProzent"))); });
    proc([&] { k.Zahlungsziel = CBool(BoolDatensatzLesen(feld("Zahlungsziel"))); });
    proc([&] { k.Mehrwertsteuersatz = CInt(Zehntel(ZahlDatensatzLesen(feld("Mehrwertsteuersatz")))); });
    proc([&] { k.Preisgruppe1 = Zehntel(ZahlDatensatzLesen(feld("Preisgruppe1"))); });
    proc([&] { k.Preisgruppe2 = Zehntel(ZahlDatensatzLesen(feld("Preisgruppe2"))); });
    proc([&] { k.Preisgruppe3 = Zehntel(ZahlDatensatzLesen(feld("Preisgruppe3"))); });
    proc([&] { k.Preisgruppe4 = Zehntel(ZahlDatensatzLesen(feld("Preisgruppe4"))); });
    proc([&] { k.Mehrwertsteuer = Zehntel(feld("Mehrwertsteuer")); });
    proc([&] { k.MwStErmäßigt = Zehntel(feld("MwStErmäßigt")); });
    proc([&] { k.Rabatt = CInt(ZahlDatensatzLesen(feld("Rabatt"))); });
    k.EinstellungenGelesen = lesefehler.empty();
    k.EinstellungenFehler = lesefehler;

    k.Rechnung = std::move(Rechnung);
    proc([&] { DialogOeffnen(Index); });

    proc([&] { if (rs) rs->Close(); });
    proc([&] { if (db) db->Close(); });
}

}  // namespace vk
