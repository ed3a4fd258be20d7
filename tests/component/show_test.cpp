// VK::Show: the user's TempDoc row goes into the invoice context; failing reads are logged one by
// one and keep the previous values; the category's dialog opens through the registry.
#include <gtest/gtest.h>

#include <tuple>

#include "component/komponente_test.h"
#include "component/vk.h"
#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using vk::Kontext;
using vk::Variant;

namespace {

class VKShow : public ::testing::Test {
protected:
    void SetUp() override {
        datei = vktest::NeueDatenbank(ordner);
        vktest::Roh roh(datei);
        roh.Sql("INSERT INTO TempDoc VALUES (1, 4711, 1, 12, 500.5, 30, 1, 160, 10, 20, 30, 40, 190, 70, 10)");
        roh.Sql("INSERT INTO TempDoc (ID_Benutzer, ID_Auftragsnummer, MeßtruppZusammenfassen, Mehrwertsteuer, MwStErmäßigt,"
                " Mehrwertsteuersatz) VALUES (2, 4712, 0, 190, 70, 165)");
        roh.Sql("INSERT INTO TempDoc VALUES (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
        roh.Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, Rechnungsart) VALUES (1, 1)");
        ws = std::make_shared<vk::dao::Workspace>();
        komponente.KalWorkspace(Variant(ws));
        komponente.DatenbankPfad(Variant(datei.string()));
    }
    void ShowFuer(std::int32_t benutzer, std::int16_t index = 4) {
        komponente.ID_Benutzer(Variant(benutzer));
        komponente.Show(index, rechnung, 0x1234);
    }

    // The values Show reads through a helper (a Null reads as 0) and those it reads directly.
    static auto Gelesen() {
        const auto& k = Kontext();
        return std::tuple(k.AbschlagAbsolut, k.AbschlagProzent, k.Zahlungsziel, k.Mehrwertsteuersatz, k.Rabatt);
    }
    static auto Direkt() {
        const auto& k = Kontext();
        return std::tuple(k.ID_Auftragsnummer, k.MeßtruppZusammenfassen, k.Mehrwertsteuer, k.MwStErmäßigt);
    }

    vktest::SauberesKomponentenumfeld umfeld;
    vktest::TempOrdner ordner;
    std::filesystem::path datei;
    std::shared_ptr<vk::dao::Workspace> ws;
    std::shared_ptr<vk::dao::Recordset> rechnung;
    vk::VK komponente;
};

// User 1's row read into the context; the invoice record given replaces the one before and is
// released.
TEST_F(VKShow, ReadsTheUsersRowIntoTheContext) {
    auto db = ws->OpenDatabase(datei.string());
    rechnung = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    std::weak_ptr<vk::dao::Recordset> erste = rechnung;
    ShowFuer(1);
    const auto& k = Kontext();
    EXPECT_EQ(k.hWndMDI, 0x1234);
    EXPECT_EQ(k.Rechnung, rechnung);
    EXPECT_EQ(Gelesen(), std::tuple(500.5, 30, true, 16, 10)) << "the VAT rate in tenths: 160";
    EXPECT_EQ(Direkt(), std::tuple(4711, true, 19.0, 7.0));
    EXPECT_EQ(k.ID_Lieferschein, 12);
    EXPECT_EQ(k.Preisgruppe4, 4.0);
    EXPECT_EQ(vktest::Protokoll(), "");
    EXPECT_EQ(umfeld.geoeffnet[4], 1);
    EXPECT_EQ(umfeld.Geoeffnet(), 1);
    rechnung = db->OpenRecordset("Rechnung");
    ShowFuer(1);
    EXPECT_TRUE(erste.expired());
    EXPECT_EQ(Kontext().Rechnung, rechnung);
}

TEST_F(VKShow, VatRateRoundsHalfToEvenNullReadsAsZeroAndAMissingRowKeepsTheValuesBefore) {
    ShowFuer(2);
    EXPECT_EQ(Kontext().Mehrwertsteuersatz, 16) << "165 tenths: 16.5 rounds to the even 16";
    EXPECT_EQ(vktest::ShowEintraege(), 0) << "empty helper-read columns are 0, not errors";

    ShowFuer(1);
    ShowFuer(3);
    EXPECT_EQ(Gelesen(), std::tuple(0.0, 0, false, 0, 0));
    // The directly read columns fail on Null: one entry each, the values of user 1 stay.
    EXPECT_EQ(vktest::ShowEintraege(), 4);
    EXPECT_EQ(vktest::Vorkommen(vktest::Protokoll(), "Error 94: "), 4);
    EXPECT_EQ(Direkt(), std::tuple(4711, true, 19.0, 7.0));

    // A user without a row keeps the values before; each read is logged, the dialog opens.
    vk::test::ProtokollLeeren();
    ShowFuer(1);
    ShowFuer(99, 2);
    EXPECT_EQ(Gelesen(), std::tuple(500.5, 30, true, 16, 10));
    EXPECT_EQ(vktest::ShowEintraege(), 14) << vktest::Protokoll();
    EXPECT_EQ(vktest::Vorkommen(vktest::Protokoll(), "Error 3021: "), 14);
    EXPECT_EQ(umfeld.geoeffnet[2], 1) << "the dialog opens all the same";
}

// Indexes 0 to 5 open their dialog, others none; without a database, or without a workspace at
// all, the dialog opens all the same; a failing dialog is logged and not passed to the host.
TEST_F(VKShow, OnlyIndexesZeroToFiveOpenADialogWithOrWithoutDatabase) {
    komponente.DatenbankPfad(Variant((ordner / "fehlt.sqlite").string()));
    ShowFuer(1, 0);
    EXPECT_EQ(Kontext().Mehrwertsteuersatz, 0);
    EXPECT_FALSE(Kontext().Zahlungsziel);
    EXPECT_NE(vktest::Protokoll().find("fehlt.sqlite"), std::string::npos) << "the log names the missing file";
    EXPECT_FALSE(std::filesystem::exists(ordner / "fehlt.sqlite"));
    EXPECT_EQ(umfeld.geoeffnet[0], 1);
    vk::KontextZuruecksetzen();
    EXPECT_NO_THROW(komponente.Show(5, nullptr, 0)) << "no workspace at all";
    EXPECT_EQ(umfeld.geoeffnet[5], 1);

    umfeld.geoeffnet = {};
    komponente.KalWorkspace(Variant(ws));
    komponente.DatenbankPfad(Variant(datei.string()));
    ShowFuer(1, 6);
    ShowFuer(1, -1);
    EXPECT_EQ(umfeld.Geoeffnet(), 0);
    EXPECT_EQ(Kontext().Mehrwertsteuersatz, 16) << "the context is read all the same";
    for (std::int16_t i = 0; i < 6; ++i) ShowFuer(1, i);
    EXPECT_EQ(umfeld.geoeffnet, (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
    vk::test::ProtokollLeeren();
    vk::DialogRegistrieren(3, [] { throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt); });
    EXPECT_NO_THROW(ShowFuer(1, 3));
    EXPECT_EQ(vktest::ShowEintraege(), 1);
}

}  // namespace
