// Parcel formation: the parcel factor and land-value classes, the dialog's defaults and entry
// modes, the fee preview, the in-cell ja/nein editor, and adding and deleting parcel rows.
#include <gtest/gtest.h>

#include "categories/Flurstuecksbildung.h"
#include "categories/flurstuecksumfeld.h"

namespace vktest {
namespace {

using vk::frmKat1;

class Kat1 : public Flurstuecksumfeld {};

TEST(Flurstuecksbildung, ParcelFactorIsCutAndLandValueClassesIncludeTheirUpperBound) {
    for (auto [n, faktor] : {std::pair{0.0, 0.0}, {1.0, 0.8}, {2.0, 1.13}, {3.0, 1.38}, {4.0, 1.6}})
        EXPECT_EQ(vk::Flurstücksfaktor(n), faktor) << n;
    const std::pair<double, const char*> klassen[] = {
        {1, "0 - 1,00"},          {1.01, "1,01 - 10,00"},     {10, "1,01 - 10,00"},  {40, "10,01 - 40,00"},
        {40.01, "40,01 - 100,00"}, {250, "100,01 - 250,00"}, {250.01, "> 250,00"}};
    for (auto [wert, klasse] : klassen) EXPECT_EQ(vk::Bodenwertklasse(wert), klasse) << wert;
}

TEST_F(Kat1, OpensWithOneParcelOfTheJobInListMode) {
    frmKat1& f = Form();
    // The preview is there from the start: one parcel, no factor (1500,00 for 800 m² at 10 €/m²);
    // 5 points at 170,00.
    EXPECT_EQ(Zeigt(f, {"comArt", "MaskEdBoxGrenzpunkte", "MaskEdBoxWert", "MaskEdBoxAnteil", "GridGebühren1.Rows",
                        "GridGebühren1(1,1)", "GridGebühren1(1,2)", "GridGebühren1(1,5)", "lblGebühr"}),
              (Zellen{"10.1", " 5", "    10,00", "1000", "1", "Flst.Nr. 12/3", "ja", " 8.000,00", " 2350,00"}));
    const auto modus = [&] { return Zeigt(f, {"GridGebühren1.Visible", "CommandNeu.Visible", "fraAnzahl.Visible"}); };
    EXPECT_EQ(modus(), (Zellen{"1", "1", "0"}));
    Setzen(f, "optJa(1)=1");
    EXPECT_EQ(modus(), (Zellen{"0", "0", "1"}));
}

// The preview of a parcel list: parcel factor of the row count, average land value, per-mille
// share (the table's rule: empty, 0 and above 1000 are the whole), position 10.3, and rows the
// client does not pay for. 800 m² at 10 €/m² cost 1500,00; 1600 and 2400 m² 1850,00; at 20 €/m² 1950,00.
TEST_F(Kat1, PreviewOfAParcelList) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    struct Fall {
        std::vector<const char*> eingaben;
        const char* gebühr;
        const char* anteil = "1000";
    };
    const Fall fälle[] = {
        {{}, " 1500,00"},
        {{"GridGebühren1(2,3)=800"}, " 2090,50"},                           // 1850 × 1,13
        {{"GridGebühren1(2,3)=800", "GridGebühren1(3,3)=800"}, " 2553,00"},  // 1850 × 1,38
        {{"GridGebühren1(2,3)=800", "GridGebühren1(3,3)=800", "GridGebühren1(3,4)=40"}, " 2691,00"},
        {{"MaskEdBoxAnteil=333"}, "  500,00", "333"},
        {{"MaskEdBoxAnteil=0500"}, "  750,00", "0500"},  // typed as it stands, not turned into 1000 on the way
        {{"MaskEdBoxAnteil=1200"}, " 1500,00", "1200"},  // more than the whole is the whole, as in the table
        {{"MaskEdBoxAnteil=250", "MaskEdBoxAnteil="}, " 1500,00"},
        {{"MaskEdBoxAnteil=250", "MaskEdBoxAnteil=0"}, " 1500,00"},
        {{"MaskEdBoxGrenzpunkte=12"}, " 3180,00"},  // 12 points at 140,00
        {{"MaskEdBoxGrenzpunkte=12", "comArt=10.3"}, "  750,00"},
        {{"GridGebühren1(2,3)=800", "GridGebühren1(2,2)=nein"}, " 1045,25"},
        {{"GridGebühren1(1,2)=nein"}, "    0,00"},
    };
    for (const Fall& fall : fälle) {
        SCOPED_TRACE(fall.eingaben.empty() ? "one row" : fall.eingaben.back());
        frmKat1& f = Form();
        Eingeben(f, fall.eingaben);
        EXPECT_EQ(f.lblGebühr.Caption(), fall.gebühr);
        EXPECT_EQ(f.MaskEdBoxAnteil.Text(), fall.anteil);
        f.Unload();
    }
}

// A negative area or land value typed into the list is priced as none and shows as 0.
TEST_F(Kat1, NegativeParcelAreasAndValuesShowAndCountAsZero) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    Eingeben(f, {"GridGebühren1(2,3)=-280", "GridGebühren1(2,4)=-25"});
    // 1500 × 1,13 for two parcels.
    EXPECT_EQ(Zeigt(f, {"GridGebühren1(2,3)", "GridGebühren1(2,4)", "GridGebühren1(2,5)", "lblFläche", "lblGebühr"}),
              (Zellen{"    0", "    0,00", "     0,00", "  800", " 1695,00"}));
}

TEST_F(Kat1, JaNeinEditorSitsOnTheCellAndLeavesToTheAreaColumn) {
    frmKat1& f = Form();
    Eingeben(f, {"GridGebühren1(2,3)=800", "GridGebühren1(2,2)=nein"});
    EXPECT_EQ(Zeigt(f, {"GridGebühren1(2,2)", "ComboBox4.Visible", "txtzahlen", "lblFläche"}),
              (Zellen{"nein", "0", "800", "1.600"}));
    EXPECT_EQ(f.GridGebühren1.Col(), 3);
    f.GridGebühren1.SetZelle(2, 2);
    EXPECT_EQ(Zeigt(f, {"ComboBox4.Visible", "ComboBox4"}), (Zellen{"1", "nein"}));
}

TEST_F(Kat1, ZeroTotalAreaGivesLandValueZeroWithoutAnError) {
    frmKat1& f = Form();
    vk::LetztenFehlerZuruecksetzen();
    Setzen(f, "GridGebühren1(1,3)=0");
    EXPECT_EQ(Zeigt(f, {"GridGebühren1(1,5)", "lblWert"}), (Zellen{"     0,00", "       0,00"}));
    EXPECT_EQ(vk::LetzterFehler().strNr, "");
    // A value typed into a row without area leaves its land value alone.
    Setzen(f, "GridGebühren1(1,5)=5000");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 4), "    10,00");
    Eingeben(f, {"GridGebühren1(1,3)=400", "GridGebühren1(1,5)=6000"});
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 4), "    15,00");
}

TEST_F(Kat1, TotalsEntryPricesTheTypedTotals) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    Summen(f, "1200", "20", "2");
    // 1200 m² at 20 €/m²: 1950,00 × 1,13; an empty area to pay is the whole area.
    EXPECT_EQ(Zeigt(f, {"mskWert", "lblFläche", "lblWert", "lblGebühr", "txtzahlen"}),
              (Zellen{"   24.000,00", "1.200", "      20,00", " 2203,50", "1200"}));
    Setzen(f, "txtZusammenZahlen=300");
    EXPECT_EQ(f.lblGebühr.Caption(), "  550,88");
    Setzen(f, "txtZusammenZahlen=0");
    EXPECT_EQ(f.lblGebühr.Caption(), "    0,00") << "a typed 0 stays 0";
    // The total value sets the land value back.
    Eingeben(f, {"txtZusammenZahlen=", "mskWert=36000"});
    EXPECT_EQ(Zeigt(f, {"MaskEdBoxWert", "lblGebühr"}), (Zellen{"    30,00", " 2203,50"}));
}

TEST_F(Kat1, RowsAreAddedBelowByTabAndDeletedAfterAsking) {
    frmKat1& f = Form();
    f.GridGebühren1.SetZelle(1, 5);
    vk::ui::TasteDrücken(f, "GridGebühren1", vk::ui::taste::Tab);
    // The new row is current and priced at once.
    EXPECT_EQ(Zeigt(f, {"GridGebühren1.Rows", "GridGebühren1(2,1)", "lblFläche"}), (Zellen{"2", "Flst.Nr. 12/3", "1.600"}));
    EXPECT_EQ(f.GridGebühren1.Row(), 2);
    f.GridGebühren1.SetZelle(1, 5);
    vk::ui::TasteDrücken(f, "GridGebühren1", vk::ui::taste::Tab);
    EXPECT_EQ(f.GridGebühren1.Rows(), 2) << "not the last row: only moves down";

    f.GridGebühren1.SelectRow(2);
    vk::StandardNachrichten().Antworten(6);
    vk::ui::Klicken(f, "CommandLöschen");
    EXPECT_EQ(Zeigt(f, {"GridGebühren1.Rows", "lblFläche"}), (Zellen{"1", "  800"}));
}

}  // namespace
}  // namespace vktest
