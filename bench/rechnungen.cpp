#include "rechnungen.h"

#include "common/fehler.h"
#include "component/beispieldatenbank.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "document/Beispielvorlage.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/SummeBilden.h"
#include "platform/dao/dao.h"

namespace vkbench {

namespace fs = std::filesystem;

namespace {

// Keys of the other categories' tables, in the order the generated invoice cycles through them.
constexpr const char* kAndereSchluessel[] = {"VK_LP_02_1", "VK_LP_02_2", "VK_LP_02_3", "VK_LP_08_4", "VK_LP_02_6"};

}  // namespace

fs::path BueroAnlegen(const fs::path& ordner) {
    const fs::path datei = ordner / "buero.sqlite";
    std::error_code ec;
    fs::remove(datei, ec);
    vk::BeispielDatenbankAnlegen(datei);
    return datei;
}

vk::word::Table KategorietabelleSchreiben(const std::string& schluessel, double betrag) {
    vk::word::Table keine;
    vk::word::Range stelle = vk::EinfügestelleErmitteln(keine);
    vk::word::Table t = vk::Kontext().Doc->Tables().Add(stelle, 4, 5);
    vk::TabelleFormatierenGemeinsam(t, {2, 5}, {8.0, 3.0, 1.0, 3.0, 2.5}, "Benchmark");
    vk::ZelleSchreiben(t, 1, 1, "Grenzbescheinigungen", true);
    vk::ZelleSchreiben(t, 2, 1, "mit Ortsbesichtigung\rTarifstelle 8.2.2", false);
    vk::ZelleSchreiben(t, 2, 5, vk::Betragstext(betrag), false);
    vk::ZelleSchreiben(t, 4, 1, "Anzahl Mehrfachausfertigungen:", false);
    vk::ZelleSchreiben(t, 4, 2, "2", false);
    vk::ZelleSchreiben(t, 4, 5, vk::Betragstext(2 * betrag), false);
    vk::BookmarkSetzen(t, schluessel);
    return t;
}

fs::path RechnungAnlegen(const fs::path& ordner, int tabellen) {
    const fs::path datenbank = ordner / "buero.sqlite";
    if (!fs::exists(datenbank)) BueroAnlegen(ordner);
    const fs::path vorlage = ordner / "Vorlage.docx";
    vk::BeispielVorlage()->Save(vorlage);
    Sitzung s = SitzungOeffnen(vorlage, datenbank);
    for (int i = 0; i < tabellen; ++i) {
        const std::string schluessel = i == tabellen / 2 ? kSchluesselKategorie : kAndereSchluessel[i % 5];
        KategorietabelleSchreiben(schluessel, 50.0 + i);
    }
    vk::SummeBilden(true);
    const fs::path datei = ordner / ("Rechnung_" + std::to_string(tabellen) + ".docx");
    s.doc->Save(datei);
    return datei;
}

Sitzung SitzungOeffnen(const fs::path& dokument, const fs::path& datenbank) {
    Sitzung s;
    s.doc = vk::word::Document::Open(dokument);
    auto ws = std::make_shared<vk::dao::Workspace>();
    s.db = ws->OpenDatabase(datenbank.string());
    vk::VK komponente;
    komponente.Doc(vk::Variant(s.doc));
    komponente.KalWorkspace(vk::Variant(ws));
    komponente.DatenbankPfad(vk::Variant(datenbank.string()));
    komponente.ID_Benutzer(vk::Variant(std::int32_t{1}));
    komponente.NeueAbfrage(vk::Variant(s.db));
    s.rechnung = s.db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    // The VAT rate and the payment target as Show reads them from the user's settings.
    vk::Kontext().Mehrwertsteuersatz = 19;
    vk::Kontext().AbschlagProzent = 100;
    vk::Kontext().Zahlungsziel = true;
    return s;
}

}  // namespace vkbench
