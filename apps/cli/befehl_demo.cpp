// vk demo DIR [--db URI]: an office database (DIR/buero.sqlite, or the tables in a server database),
// an invoice template with the tags, and the invoice after one confirmed dialog of every category;
// prints the totals.
#include <filesystem>
#include <iostream>

#include "befehle.h"
#include "categories/frmKat1.h"
#include "categories/frmKat2.h"
#include "categories/frmKat3.h"
#include "categories/frmKat4.h"
#include "categories/frmKat5.h"
#include "categories/frmKat6.h"
#include "common/fehler.h"
#include "common/systemfehler.h"
#include "common/konvertierung.h"
#include "component/beispieldatenbank.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "document/Beispielvorlage.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vkcli {
namespace {

namespace fs = std::filesystem;

// The sample invoice letter with "kalStart" and the five letter-text tags.
void VorlageSchreiben(const fs::path& datei) { vk::BeispielVorlage()->Save(datei); }

}  // namespace

int BefehlDemo(const Argumente& args) {
    std::string server;
    if (args.size() == 3 && args[1] == "--db") server = args[2];
    else if (args.size() != 1) throw Aufruffehler{"demo: erwartet ORDNER [--db URI]"};
    if (!server.empty() && !vk::dao::IstServerAdresse(server))
        throw Aufruffehler{"demo: --db nimmt eine postgresql://-Adresse; die Datenbankdatei ist ORDNER/buero.sqlite"};
    const fs::path dir = args[0];
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw Aufruffehler{"demo: nicht anzulegen: " + dir.string() + ": " + vk::Systemfehlertext(ec)};
    const fs::path datei = dir / "buero.sqlite", vorlage = dir / "Vorlage.docx", rechnung = dir / "Rechnung.docx";
    for (const auto& f : {vorlage, rechnung}) fs::remove(f, ec);
    // A server database is never emptied here: one that holds the office tables already is refused.
    if (server.empty()) fs::remove(datei, ec);
    const std::string db = server.empty() ? datei.string() : server;

    try {
        vk::BeispielDatenbankAnlegen(db);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"demo: " + f.Beschreibung()};
    }
    VorlageSchreiben(vorlage);

    // The host's part: the invoice, the database and the job quantities into the component.
    auto doc = vk::word::Document::Open(vorlage);
    auto ws = std::make_shared<vk::dao::Workspace>();
    auto datenbank = ws->OpenDatabase(db);
    vk::VK komponente;
    komponente.Doc(vk::Variant(doc));
    komponente.KalWorkspace(vk::Variant(ws));
    komponente.DatenbankPfad(vk::Variant(db));
    komponente.ID_Benutzer(vk::Variant(std::int32_t{1}));
    komponente.NeueAbfrage(vk::Variant(datenbank));
    komponente.Flurstücksnummer(vk::Variant("123/4"));
    auto rechnungssatz = datenbank->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");

    // Category 0: parcel 123/4 (500 m²) and 123/5 (300 m²) at 25 €/m² divided with 4 boundary points
    // established, the survey documents, and the client pays half.
    komponente.Show(0, rechnungssatz, 0);
    auto& kat1 = vk::ui::Formen::Instanz<vk::frmKat1>();
    vk::ui::Setzen(kat1, "GridGebühren1(1,3)=500");
    vk::ui::Setzen(kat1, "GridGebühren1(1,4)=25");
    vk::ui::Setzen(kat1, "GridGebühren1(2,1)=Flst.Nr. 123/5");
    vk::ui::Setzen(kat1, "GridGebühren1(2,3)=300");
    vk::ui::Setzen(kat1, "GridGebühren1(2,4)=25");
    vk::ui::Setzen(kat1, "MaskEdBoxGrenzpunkte=4");
    vk::ui::Setzen(kat1, "MaskEdBoxAnteil=500");
    vk::ui::Setzen(kat1, "chkUnterlagen=1");
    vk::ui::Klicken(kat1, "CommandEnde");

    // Category 1: a boundary determination with marking of 7 points at 25,00 €/m², with the survey
    // documents and the take-over fee.
    komponente.Show(1, rechnungssatz, 0);
    auto& kat2 = vk::ui::Formen::Instanz<vk::frmKat2>();
    vk::ui::Setzen(kat2, "MaskEdBoxWert=25");
    vk::ui::Setzen(kat2, "msk100=7");
    vk::ui::Setzen(kat2, "chkVUnterlagen=1");
    vk::ui::Setzen(kat2, "chkÜbernahme=1");
    vk::ui::Klicken(kat2, "CommandEnde");

    // Category 2: two buildings of 200.000,00 € construction cost, the client's share of the second
    // one 500/1000, and 4 break points of land-use boundaries.
    komponente.Baukosten(vk::Variant(200000.0));
    komponente.Show(2, rechnungssatz, 0);
    auto& kat3 = vk::ui::Formen::Instanz<vk::frmKat3>();
    vk::ui::Setzen(kat3, "GridGebühren(2,4)=500");
    vk::ui::Setzen(kat3, "mskBrechpunkte=4");
    vk::ui::Klicken(kat3, "CommandEnde");

    // Category 3: a road of two sections of category II on the first side, 1200 m along parcel 123/4
    // with 3 separated parcels and 650 m along parcel 125, and the survey documents.
    komponente.Achslänge(vk::Variant(std::int16_t{1200}));
    komponente.Show(3, rechnungssatz, 0);
    auto& kat4 = vk::ui::Formen::Instanz<vk::frmKat4>();
    vk::ui::Setzen(kat4, "GridGebühren(1,5)=3");
    vk::ui::Setzen(kat4, "GridGebühren(2,1)=Flst.Nr. 125");
    vk::ui::Setzen(kat4, "GridGebühren(2,3)=650");
    vk::ui::Setzen(kat4, "chkVUnterlagen=1");
    vk::ui::Klicken(kat4, "CommandEnde");

    // Category 4: a boundary certificate with on-site inspection and two copies.
    komponente.Show(4, rechnungssatz, 0);
    auto& kat5 = vk::ui::Formen::Instanz<vk::frmKat5>();
    vk::ui::Setzen(kat5, "chkOrt=1");
    vk::ui::Setzen(kat5, "mskMehrfach=2");
    vk::ui::Klicken(kat5, "CommandEnde");

    // Category 5: 2,25 hours of the surveying engineer, 30 km by car, the cadastral documents.
    komponente.Show(5, rechnungssatz, 0);
    auto& kat6 = vk::ui::Formen::Instanz<vk::frmKat6>();
    vk::ui::Setzen(kat6, "GridGebühren(1,2)=2,25");
    vk::ui::Setzen(kat6, "GridGebühren(2,1)=Kraftfahrzeug");
    vk::ui::Setzen(kat6, "GridGebühren(2,2)=30");
    vk::ui::Setzen(kat6, "unterlagenCheck=1");
    vk::ui::Klicken(kat6, "CommandEnde");

    doc->Save(rechnung);
    TabellenAusgeben(*doc, false, std::cout);
    auto gespeichert = datenbank->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    std::cout << "Gespeichert: NettoRechnung " << vk::CStr(gespeichert->Fields("NettoRechnung").Value())
              << " ct, Brutto " << vk::CStr(gespeichert->Fields("Brutto").Value()) << " ct\n"
              << "Geschrieben: " << datenbank->Name() << ", " << vorlage.string() << ", " << rechnung.string() << '\n';
    return 0;
}

}  // namespace vkcli
