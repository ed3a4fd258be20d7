#include "rechnungen.h"

#include "common/fehler.h"
#include "component/beispieldatenbank.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "document/Beispielvorlage.h"
#include "document/G_frmTabelle.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
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

namespace {

// The inputs of the i-th confirmed dialog: the six categories in turn, amounts and counts that
// differ from one table to the next.
void KategorieEingeben(vk::ui::Form& form, int kategorie, int i) {
    const std::string n = std::to_string(i % 40 + 1);
    auto setzen = [&](const std::string& anweisung) { vk::ui::Setzen(form, anweisung); };
    switch (kategorie) {
        case 0:
            setzen("GridGebühren1(1,3)=" + std::to_string(300 + i));
            setzen("GridGebühren1(1,4)=25");
            setzen("MaskEdBoxGrenzpunkte=" + n);
            break;
        case 1:
            setzen("MaskEdBoxWert=25");
            setzen("msk100=" + n);
            break;
        case 2: setzen("mskBrechpunkte=" + n); break;
        case 3: setzen("GridGebühren(1,5)=" + n); break;
        case 4:
            setzen("chkOrt=1");
            setzen("mskMehrfach=" + std::to_string(i % 5));
            break;
        default: setzen("GridGebühren(1,2)=" + n); break;
    }
}

}  // namespace

fs::path EchteRechnungAnlegen(const fs::path& ordner, int tabellen) {
    // A database of its own, whose invoice record holds this invoice's totals.
    const fs::path datenbank = ordner / ("Echt_" + std::to_string(tabellen) + ".sqlite");
    std::error_code ec;
    fs::remove(datenbank, ec);
    vk::BeispielDatenbankAnlegen(datenbank);
    const fs::path vorlage = ordner / "Vorlage.docx";
    vk::BeispielVorlage()->Save(vorlage);
    Sitzung s = SitzungOeffnen(vorlage, datenbank);
    vk::VK komponente;
    komponente.Baukosten(vk::Variant(200000.0));
    komponente.Achslänge(vk::Variant(std::int16_t{1200}));
    // Every dialog writes a new table: "neuer Abrechnungspunkt" in the table choice.
    const auto alt = vk::G_frmTabelle::ModalHandlerSetzen({});
    for (int i = 0; i < tabellen; ++i) {
        const int kategorie = i % 6;
        komponente.Show(static_cast<std::int16_t>(kategorie), s.rechnung, 0);
        for (vk::ui::Form* f : vk::ui::Formen::Alle()) {
            if (!f->Geladen() || f->Name() == "G_frmTabelle") continue;
            KategorieEingeben(*f, kategorie, i);
            vk::ui::Klicken(*f, "CommandEnde");
        }
    }
    vk::G_frmTabelle::ModalHandlerSetzen(alt);
    const fs::path datei = ordner / ("Echt_" + std::to_string(tabellen) + ".docx");
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
