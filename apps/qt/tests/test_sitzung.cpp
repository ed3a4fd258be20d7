// The host's session: the office database's invoices for the chooser, and clear refusals of a missing
// database, an unknown invoice or a damaged document, which leave the session as it was.
#include <fstream>

#include "categories/frmKat5.h"
#include "common/fehler.h"
#include "common/fehler_hilfe.h"
#include "common/konvertierung.h"
#include "document/G_frmTabelle.h"
#include "hilfen.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
#include "sitzung.h"

namespace vkhost::test {
namespace {

class HostSitzung : public HostTest {
protected:
    // The session on the demo database, invoice 1, this user and document.
    void Anmelden(Sitzung& s, const std::filesystem::path& dokument, int benutzer = 1) {
        s.DatenbankÖffnen(datenbank_.string());
        s.RechnungWählen(1);
        s.BenutzerSetzen(benutzer);
        s.DokumentÖffnen(dokument.string());
    }
};

TEST_F(HostSitzung, RechnungenDerDatenbankUndFehlerDieNichtsÄndern) {
    Sitzung s;
    EXPECT_THROW(s.DatenbankÖffnen((ordner_ / "fehlt.sqlite").string()), vk::LaufzeitFehler);
    EXPECT_EQ(s.DatenbankPfad(), "");
    s.DatenbankÖffnen(datenbank_.string());
    const std::vector<Rechnungszeile> zeilen = s.Rechnungen();
    ASSERT_EQ(zeilen.size(), 1u);
    EXPECT_EQ(zeilen[0].id, 1);
    EXPECT_EQ(zeilen[0].nummer, "2026-001");
    EXPECT_NE(s.Fehlt().find("Rechnung"), std::string::npos);
    s.RechnungWählen(1);
    EXPECT_NE(vktest::FehlerVon([&] { s.RechnungWählen(99); }).beschreibung.find("99"), std::string::npos) << "no invoice 99";
    EXPECT_EQ(s.RechnungsId(), 1) << "the invoice chosen before stays";
    s.DokumentÖffnen(rechnung_.string());
    EXPECT_EQ(s.Fehlt(), "");
    std::ofstream(ordner_ / "kaputt.docx") << "kein Dokument";
    EXPECT_THROW(s.DokumentÖffnen((ordner_ / "kaputt.docx").string()), vk::LaufzeitFehler);
    EXPECT_EQ(s.Dokument()->Path(), rechnung_) << "the open invoice stays";
    // The fingerprint that tells an edit made elsewhere changes with the text.
    const std::string vorher = s.Fingerabdruck();
    EXPECT_EQ(s.Fingerabdruck(), vorher);
    s.Dokument()->Content().InsertAfter("x");
    EXPECT_NE(s.Fingerabdruck(), vorher);
}

// A confirmation whose invoice cannot be saved leaves the invoice record as it was: the totals the
// confirmation stored wait for the save and are rolled back with it.
TEST_F(HostSitzung, EinFehlgeschlagenesSpeichernLässtAuchDenRechnungsdatensatz) {
    const auto brutto = [&] {
        auto db = std::make_shared<vk::dao::Workspace>()->OpenDatabase(datenbank_.string());
        return vk::CStr(db->OpenRecordset("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1")->Fields("Brutto").Value());
    };
    const auto ordner = ordner_ / "weg";
    std::filesystem::create_directory(ordner);
    std::filesystem::copy_file(vorlage_, ordner / "Rechnung.docx");
    Sitzung s;
    Anmelden(s, ordner / "Rechnung.docx");
    const std::string vorher = brutto();
    s.KategorieZeigen(4, 0);
    s.TransaktionBeginnen();
    vk::ui::Setzen(vk::ui::Formen::Instanz<vk::frmKat5>(), "chkOrt=1");
    vk::ui::Klicken(vk::ui::Formen::Instanz<vk::frmKat5>(), "CommandEnde");
    std::filesystem::remove_all(ordner);
    EXPECT_THROW(s.Speichern(), vk::LaufzeitFehler);
    EXPECT_EQ(brutto(), vorher);

    // Saved where it can be, the next confirmation stores its totals with the file.
    std::filesystem::create_directory(ordner);
    ModalBeantworten(
        [](QWidget& wahl) {
            vk::ui::Formen::Instanz<vk::G_frmTabelle>().optTabelle(0).SetValue(true);
            Klick(wahl, "cmdEnde");
        },
        [&] { s.KategorieZeigen(4, 0); });
    s.TransaktionBeginnen();
    vk::ui::Klicken(vk::ui::Formen::Instanz<vk::frmKat5>(), "CommandEnde");
    s.Speichern();
    EXPECT_EQ(brutto(), "17850");  // 150,00 € with 19 % VAT
}

// An open invoice is the host's: a confirmation of another program on it waits and is refused,
// nothing changed; once the host opens another invoice it is free again.
TEST_F(HostSitzung, DieOffeneRechnungHältDerHostFest) {
    Sitzung s;
    Anmelden(s, rechnung_);
    const std::string vorher = DateiLesen(rechnung_);
    const std::string apply = "apply --db '" + datenbank_.string() + "' --user 1 --invoice 1 --doc '" + rechnung_.string() +
                              "' --category 4 --choose 1 --set chkOrt=0";
    EXPECT_EQ(Befehl(apply), 2);
    EXPECT_EQ(DateiLesen(rechnung_), vorher);
    s.DokumentÖffnen(vorlage_.string());
    EXPECT_EQ(Befehl(apply), 0);
}

// A confirmation cannot wait for its save while another workstation holds the database beyond the
// lock timeout: refused before it writes anything. A user whose settings cannot be read gets no
// dialog to confirm.
TEST_F(HostSitzung, GesperrteDatenbankUndFehlendeEinstellungenLehnenDieBestätigungAb) {
    Sitzung s;
    Anmelden(s, vorlage_, 7);
    EXPECT_THROW(s.KategorieZeigen(4, 0), vk::LaufzeitFehler);
    EXPECT_FALSE(vk::ui::Formen::Instanz<vk::frmKat5>().Geladen());
    vktest::Roh andere(datenbank_);
    andere.Sql("BEGIN IMMEDIATE");
    const std::string fehler = vktest::FehlerVon([&] { s.TransaktionBeginnen(); }).beschreibung;
    EXPECT_NE(fehler.find("gesperrt"), std::string::npos) << "began a transaction on a locked database: " << fehler;
    andere.Sql("ROLLBACK");
    EXPECT_NO_THROW(s.TransaktionBeginnen());
    s.TransaktionBeenden();
}

}  // namespace
}  // namespace vkhost::test
