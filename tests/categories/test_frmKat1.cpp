// Parcel formation: the parcel factor, the land-value classes, the dialog's defaults and entry
// modes, and the fee preview (parcel count, share, areas to pay, position 10.3).
#include <gtest/gtest.h>

#include "categories/Flurstuecksbildung.h"
#include "categories/flurstuecksumfeld.h"
#include "platform/controls/version.h"

namespace vktest {
namespace {

using vk::frmKat1;
using vk::Gebührenstaffel1;
using vk::Grenzfeststellung_B;

class Kat1 : public Flurstuecksumfeld {};

TEST(Flurstuecksbildung, ParcelFactorIsCutNotRounded) {
    EXPECT_EQ(vk::Flurstücksfaktor(1), 0.8);
    EXPECT_EQ(vk::Flurstücksfaktor(2), 1.13);
    EXPECT_EQ(vk::Flurstücksfaktor(3), 1.38);  // 1.3856 cut
    EXPECT_EQ(vk::Flurstücksfaktor(4), 1.6);
    EXPECT_EQ(vk::Flurstücksfaktor(0), 0.0);
}

TEST(Flurstuecksbildung, LandValueClassesIncludeTheirUpperBound) {
    EXPECT_EQ(vk::Bodenwertklasse(0), "0 - 1,00");
    EXPECT_EQ(vk::Bodenwertklasse(1), "0 - 1,00");
    EXPECT_EQ(vk::Bodenwertklasse(1.01), "1,01 - 10,00");
    EXPECT_EQ(vk::Bodenwertklasse(10), "1,01 - 10,00");
    EXPECT_EQ(vk::Bodenwertklasse(40), "10,01 - 40,00");
    EXPECT_EQ(vk::Bodenwertklasse(40.01), "40,01 - 100,00");
    EXPECT_EQ(vk::Bodenwertklasse(250), "100,01 - 250,00");
    EXPECT_EQ(vk::Bodenwertklasse(250.01), "> 250,00");
}

TEST(Flurstuecksbildung, PerMilleShare) {
    EXPECT_EQ(vk::PromilleAnteil(""), -1.0);
    EXPECT_EQ(vk::PromilleAnteil("1000"), -1.0);
    EXPECT_EQ(vk::PromilleAnteil("0"), -1.0);
    EXPECT_EQ(vk::PromilleAnteil("333"), 0.333333333333333);
    EXPECT_EQ(vk::PromilleAnteil("500"), 0.5);
    EXPECT_EQ(vk::PromilleAnteil("1200"), 1.2);
}

TEST_F(Kat1, OpensWithOneParcelOfTheJobInListMode) {
    frmKat1& f = Form();
    EXPECT_EQ(f.Caption(), "Teilung / Grenzherstellung");
    EXPECT_EQ(f.lblVersion.Caption(), vk::ui::VersionsText());
    EXPECT_EQ(vk::ui::StandardFensterverwaltung().Von(f.hWnd()).eltern, 0x4D);
    EXPECT_EQ(f.comArt.Text(), "10.1");
    EXPECT_EQ(f.MaskEdBoxGrenzpunkte.Text(), " 5");
    EXPECT_EQ(f.MaskEdBoxWert.Text(), "    10,00");
    EXPECT_TRUE(f.optJa(0).Value());
    EXPECT_TRUE(f.GridGebühren1.Visible());
    EXPECT_FALSE(f.fraAnzahl.Visible());
    ASSERT_EQ(f.GridGebühren1.Rows(), 1);
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 1), "Flst.Nr. 12/3");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 2), "ja");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 5), " 8.000,00");
    // The preview is there from the start: one parcel, no factor; 5 points at 10 €/m².
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 800) + Grenzfeststellung_B(10, 5) * 5));
    EXPECT_EQ(f.MaskEdBoxAnteil.Text(), "1000");
    // Every field of the totals and the results has its label.
    const std::pair<const vk::ui::Label*, const char*> beschriftungen[] = {
        {&f.lblFlächeText, "Fläche [m²]"},        {&f.lblWertText, "Bodenwert [€/m²]"},
        {&f.lblGesamtwertText, "Wert[€]"},        {&f.lblZusammenZahlenText, "zu zahlender Flächenanteil"},
        {&f.lblAnzahlText, "Anzahl der Flurstücke"}, {&f.lblGebührText, "Gebühr [€]"},
        {&f.lblErgebnisWertText, "Bodenwert [€/m²]"}, {&f.lblErgebnisFlächeText, "Gesamtfläche [m²]"},
        {&f.lblZahlenText, "zu zahlen [m²]"}};
    for (const auto& [label, text] : beschriftungen) EXPECT_EQ(label->Caption(), text) << label->Name();

    Setzen(f, "optJa(1)=1");
    EXPECT_FALSE(f.GridGebühren1.Visible());
    EXPECT_FALSE(f.CommandNeu.Visible());
    EXPECT_TRUE(f.fraAnzahl.Visible());
}

TEST_F(Kat1, PreviewMultipliesByTheParcelFactorOfTheRowCount) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 800)));
    Setzen(f, "GridGebühren1(2,3)=800");
    EXPECT_EQ(f.lblFläche.Caption(), "1.600");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 1600) * 1.13));
    Setzen(f, "GridGebühren1(3,3)=800");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 2400) * 1.38));
    // The average land value is value ÷ area over every row.
    Setzen(f, "GridGebühren1(3,4)=40");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(3, 5), "32.000,00");
    EXPECT_EQ(f.lblWert.Caption(), "      20,00");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(20, 2400) * 1.38));
}

TEST_F(Kat1, EmptyOrZeroShareIsTheWholeAndPerMilleDividesTheFee) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    const double voll = Gebührenstaffel1(10, 800);
    Setzen(f, "MaskEdBoxAnteil=333");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(voll / 3));
    Setzen(f, "MaskEdBoxAnteil=500");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(voll / 2));
    Setzen(f, "MaskEdBoxAnteil=");
    EXPECT_EQ(f.MaskEdBoxAnteil.Text(), "1000");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(voll));
    Setzen(f, "MaskEdBoxAnteil=250");
    Setzen(f, "MaskEdBoxAnteil=0");
    EXPECT_EQ(f.MaskEdBoxAnteil.Text(), "1000");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(voll));
}

TEST_F(Kat1, RowsReadingNeinCountForTheAreaButAreNotPaidFor) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    Setzen(f, "GridGebühren1(2,3)=800");
    Setzen(f, "GridGebühren1(2,2)=nein");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(2, 2), "nein");
    EXPECT_FALSE(f.ComboBox4.Visible()) << "the editor is hidden once left";
    EXPECT_EQ(f.GridGebühren1.Col(), 3) << "back in the grid, the area column is current";
    EXPECT_EQ(f.txtzahlen.Text(), "800");
    EXPECT_EQ(f.lblFläche.Caption(), "1.600");
    // The preview follows the choice at once.
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 1600) * 1.13 * 800 / 1600));

    // The editor shows the cell's choice when the cell becomes current.
    f.GridGebühren1.SetZelle(2, 2);
    EXPECT_TRUE(f.ComboBox4.Visible());
    EXPECT_EQ(f.ComboBox4.Text(), "nein");
    EXPECT_EQ(f.ComboBox4.Lage().links, f.GridGebühren1.CellLeft(2));
    EXPECT_EQ(f.ComboBox4.Lage().oben, f.GridGebühren1.CellTop(2));

    Setzen(f, "GridGebühren1(1,2)=nein");
    EXPECT_EQ(f.txtzahlen.Text(), "0");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(0));
}

TEST_F(Kat1, ZeroTotalAreaGivesLandValueZeroWithoutAnError) {
    frmKat1& f = Form();
    vk::LetztenFehlerZuruecksetzen();
    Setzen(f, "GridGebühren1(1,3)=0");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 5), "     0,00");
    EXPECT_EQ(f.lblWert.Caption(), "       0,00");
    EXPECT_EQ(f.lblFläche.Caption(), "    0");
    EXPECT_EQ(vk::LetzterFehler().strNr, "");
    // A value typed into a row without area leaves its land value alone.
    Setzen(f, "GridGebühren1(1,5)=5000");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 5), " 5.000,00");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 4), "    10,00");
    Setzen(f, "GridGebühren1(1,3)=400");
    Setzen(f, "GridGebühren1(1,5)=6000");
    EXPECT_EQ(f.GridGebühren1.TextMatrix(1, 4), "    15,00");
}

TEST_F(Kat1, PositionTenThreeHalvesTheFeeAndIgnoresThePoints) {
    frmKat1& f = Form();
    Setzen(f, "comArt=10.3");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 800) / 2));
    Setzen(f, "MaskEdBoxGrenzpunkte=12");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 800) / 2));
    Setzen(f, "comArt=10.1");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(10, 800) + Grenzfeststellung_B(10, 12) * 12));
}

TEST_F(Kat1, TotalsEntryPricesTheTypedTotals) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    Summen(f, "1200", "20", "2");
    EXPECT_EQ(f.MaskEdBoxWert.Text(), "   20,00");
    EXPECT_EQ(f.mskWert.Text(), "   24.000,00");
    EXPECT_EQ(f.lblFläche.Caption(), "1.200");
    EXPECT_EQ(f.lblWert.Caption(), "      20,00");
    const double voll = Gebührenstaffel1(20, 1200) * 1.13;
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(voll));
    EXPECT_EQ(f.txtzahlen.Text(), "1200") << "an empty area to pay is the whole area";
    EXPECT_EQ(f.txtZusammenZahlen.Text(), "");
    Setzen(f, "txtZusammenZahlen=12.000");  // typed with a thousands point, kept as typed
    EXPECT_EQ(f.txtZusammenZahlen.Text(), "12.000");
    Setzen(f, "txtZusammenZahlen=300");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(voll * 300 / 1200));
    Setzen(f, "txtZusammenZahlen=0");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(0)) << "a typed 0 stays 0";
    // The total value sets the land value back.
    Setzen(f, "txtZusammenZahlen=");
    Setzen(f, "mskWert=36000");
    EXPECT_EQ(f.MaskEdBoxWert.Text(), "    30,00");
    EXPECT_EQ(f.lblGebühr.Caption(), Vorschau(Gebührenstaffel1(30, 1200) * 1.13));
}

TEST_F(Kat1, RowsAreAddedBelowByTabAndDeletedAfterAsking) {
    frmKat1& f = Form();
    f.GridGebühren1.SetZelle(1, 5);
    vk::ui::TasteDrücken(f, "GridGebühren1", vk::ui::taste::Tab);
    ASSERT_EQ(f.GridGebühren1.Rows(), 2);
    EXPECT_EQ(f.GridGebühren1.Row(), 2);
    EXPECT_EQ(f.GridGebühren1.TextMatrix(2, 1), "Flst.Nr. 12/3");
    EXPECT_EQ(f.lblFläche.Caption(), "1.600") << "the new row is priced at once";
    f.GridGebühren1.SetZelle(1, 5);
    vk::ui::TasteDrücken(f, "GridGebühren1", vk::ui::taste::Tab);
    EXPECT_EQ(f.GridGebühren1.Rows(), 2) << "not the last row: only moves down";

    f.GridGebühren1.SelectRow(2);
    vk::StandardNachrichten().Antworten(6);
    vk::ui::Klicken(f, "CommandLöschen");
    EXPECT_EQ(f.GridGebühren1.Rows(), 1);
    EXPECT_EQ(f.lblFläche.Caption(), "  800");
}

}  // namespace
}  // namespace vktest
