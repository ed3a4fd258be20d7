// The host's session: the office database's invoices for the chooser, and clear refusals of a missing
// database, an unknown invoice or a damaged document, which leave the session as it was.
#include <fstream>

#include "common/fehler.h"
#include "hilfen.h"
#include "sitzung.h"

namespace vkhost::test {
namespace {

using HostSitzung = HostTest;

TEST_F(HostSitzung, RechnungenDerDatenbankFürDieAuswahl) {
    Sitzung s;
    s.DatenbankÖffnen(datenbank_.string());
    const std::vector<Rechnungszeile> zeilen = s.Rechnungen();
    ASSERT_EQ(zeilen.size(), 1u);
    EXPECT_EQ(zeilen[0].id, 1);
    EXPECT_EQ(zeilen[0].nummer, "2026-001");
    EXPECT_NE(s.Fehlt().find("Rechnung"), std::string::npos);
    s.RechnungWählen(1);
    s.DokumentÖffnen(rechnung_.string());
    EXPECT_EQ(s.Fehlt(), "");
}

TEST_F(HostSitzung, FehlerNennenDateiOderRechnungUndÄndernNichts) {
    Sitzung s;
    EXPECT_THROW(s.DatenbankÖffnen((ordner_ / "fehlt.sqlite").string()), vk::LaufzeitFehler);
    EXPECT_EQ(s.DatenbankPfad(), "");
    s.DatenbankÖffnen(datenbank_.string());
    s.RechnungWählen(1);
    try {
        s.RechnungWählen(99);
        ADD_FAILURE() << "no invoice 99";
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_NE(f.Beschreibung().find("99"), std::string::npos);
    }
    EXPECT_EQ(s.RechnungsId(), 1) << "the invoice chosen before stays";

    s.DokumentÖffnen(rechnung_.string());
    const auto kaputt = ordner_ / "kaputt.docx";
    std::ofstream(kaputt) << "kein Dokument";
    EXPECT_THROW(s.DokumentÖffnen(kaputt.string()), vk::LaufzeitFehler);
    EXPECT_EQ(s.Dokument()->Path(), rechnung_) << "the open invoice stays";
}

TEST_F(HostSitzung, FingerabdruckÄndertSichMitDemText) {
    Sitzung s;
    s.DokumentÖffnen(vorlage_.string());
    const std::string vorher = s.Fingerabdruck();
    EXPECT_EQ(s.Fingerabdruck(), vorher);
    s.Dokument()->Content().InsertAfter("x");
    EXPECT_NE(s.Fingerabdruck(), vorher);
}

}  // namespace
}  // namespace vkhost::test
