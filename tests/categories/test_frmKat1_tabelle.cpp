// Parcel formation: the fee table "&OK" writes (rows, texts, amounts, widths, tags, share rows,
// VAT-free expenses), the dialog opened again on it and confirmed unchanged, and damaged tables.
#include <gtest/gtest.h>

#include "categories/flurstuecksumfeld.h"
#include "common/protokoll_hilfe.h"
#include "platform/word/bookmarks.h"
#include "platform/word/konstanten.h"
#include "platform/word/paragraph_format.h"

namespace vktest {
namespace {

using vk::frmKat1;

// The job of the fixture: 800 m² at 10 €/m² cost 1500,00 by scale 1; a boundary point 170,00.

class Kat1Tabelle : public Flurstuecksumfeld {
protected:
    vk::word::Table Gebuehren() { return Tabelle("VK_LP_02_1"); }
    std::vector<std::string> Geschrieben() { return Zeilen(Gebuehren()); }
    // The totals entry typed in and confirmed: the rows written.
    Zellen SummenBestaetigen(const std::string& fläche, const std::string& wert, const std::string& anzahl,
                             std::initializer_list<const char*> eingaben = {}) {
        frmKat1& f = Form();
        Summen(f, fläche, wert, anzahl);
        Eingeben(f, eingaben);
        return Bestaetigen(f, "VK_LP_02_1");
    }
    // OK, then the dialog opened on its table and confirmed unchanged: the same table and totals.
    Zellen ZweimalBestaetigen(frmKat1& f) {
        vk::ui::Klicken(f, "CommandEnde");
        const auto erst = Geschrieben();
        const auto summe = Zeilen(Summentabelle());
        frmKat1& wieder = Form();
        vk::ui::Klicken(wieder, "CommandEnde");
        EXPECT_EQ(Geschrieben(), erst);
        EXPECT_EQ(Zeilen(Summentabelle()), summe);
        EXPECT_EQ(doc_->Tables().Count(), 2) << "the table was replaced, not added";
        EXPECT_EQ(vk::test::ProtokollText().find("frmKat1"), std::string::npos) << vk::test::ProtokollText();
        return erst;
    }
};

TEST_F(Kat1Tabelle, TotalsOfOneParcelWithBoundaryPointsGiveNineRows) {
    EXPECT_EQ(SummenBestaetigen("800", "10", "1"),
              (Zellen{"Festestellung von Flurstückgrenzen zur Flurstücksbildung|||||||", "Tarif- stelle|Bezeichnung||||||",
                      "10.1|Zerlegungsmessung||||||", "|Vermessungsfläche|800 m²|||||",
                      "|Anzahl der berechneten Flächen|1|||||", "|durchschnittlicher Verkehrswert|1,01 - 10,00 €/m²|||||",
                      "10.1.1|Gebühr nach Staffel 1|0,8|x 1.500,00 €|1.200,00 €|||",
                      "11.4|Gebühr nach Staffel 3, Teil B, in der Örtlichkeit hergestellte Grenzpunkte|5|x 0,8 x   170,00 €|"
                      "  680,00 €|||",
                      "|||||||"}));
    auto t = Gebuehren();
    // Whole-table widths in row 1, the position widths from the header row down.
    Breiten(t, {{1, 1, 5.6}, {1, 2, 3.5}, {1, 6, 0.3}});
    for (long r : {2L, 9L}) Breiten(t, {{r, 1, 2.0}, {r, 2, 5.6}, {r, 3, 4.0}, {r, 4, 3.4}, {r, 5, 2.5}});
    EXPECT_EQ(t.Cell(1, 1).Range().Bold(), vk::word::wdTrue);
    EXPECT_EQ(t.Cell(2, 2).Range().Bold(), vk::word::wdTrue);
    EXPECT_EQ(t.Cell(7, 5).Range().Bold(), 0);
    EXPECT_EQ(t.Cell(7, 5).Range().ParagraphFormat().Alignment(), vk::word::wdAlignParagraphRight);
    EXPECT_EQ(t.Cell(7, 2).Range().ParagraphFormat().Alignment(), vk::word::wdAlignParagraphLeft);
    EXPECT_EQ(Kennung(t, 1, 5), "VK_LP_02_1");
    EXPECT_EQ(Kennung(t, 7, 5), "") << "fee amounts carry the invoice's VAT";
    ASSERT_TRUE(doc_->Bookmarks().Exists("VK_LP_02_1"));
    EXPECT_TRUE(doc_->Bookmarks().Item("VK_LP_02_1").InRange(t.Cell(1, 5).Range()));
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||   1.880,00 €");
}

// Totals entry of 800 m², one parcel, with one input changed: the row it changes.
TEST_F(Kat1Tabelle, TotalsEntryVariants) {
    const std::string staffel1 = "10.1.1|Gebühr nach Staffel 1|0,8|x 1.500,00 €|1.200,00 €|||";
    struct Fall {
        const char* wert;
        const char* anzahl;
        std::vector<const char*> eingaben;
        std::size_t zeilen, index;
        std::string zeile;
    };
    const Fall fälle[] = {
        // An empty parcel count is one parcel, not a fee of zero.
        {"10", "", {}, 9, 4, "|Anzahl der berechneten Flächen|1|||||"},
        {"10", "", {}, 9, 6, staffel1},
        {"40", "1", {}, 9, 5, "|durchschnittlicher Verkehrswert|10,01 - 40,00 €/m²|||||"},
        {"40,01", "1", {}, 9, 5, "|durchschnittlicher Verkehrswert|40,01 - 100,00 €/m²|||||"},
        // A share above the whole: no share rows, the amounts undivided in column 5.
        {"10", "1", {"MaskEdBoxAnteil=1200"}, 9, 6, staffel1},
        // A count of parcels as typed: 2,5 parcels give the factor 0,8 × √2,5 = 1,26.
        {"10", "2,5", {}, 9, 6, "10.1.1|Gebühr nach Staffel 1|1,26|x 1.500,00 €|1.890,00 €|||"},
        // A negative area is priced and printed as none.
        {"-800", "1", {}, 9, 3, "|Vermessungsfläche|0 m²|||||"},
        // A negative area to pay is nothing to pay, never a negative invoice.
        {"10", "1", {"txtZusammenZahlen=-400"}, 12, 10,
         "|Ihr Anteil beträgt 0 m² zu 800 m²\r0 % von 1.880,00 €|||    0,00 €|||"},
        // The class printed is the class charged: 40,05 €/m² is "40,01 - 100,00", 1.700,00 for 800 m²
        // (not 1.600,00 of the class below), × 1,13 for two parcels = 1.921,00.
        {"40,05", "2", {}, 9, 6, "10.1.1|Gebühr nach Staffel 1|1,13|x 1.700,00 €|1.921,00 €|||"},
    };
    for (const Fall& fall : fälle) {
        SCOPED_TRACE(fall.zeile);
        const bool negativ = fall.wert[0] == '-';
        frmKat1& f = Form();
        Summen(f, negativ ? fall.wert : "800", negativ ? "10" : fall.wert, fall.anzahl);
        Eingeben(f, fall.eingaben);
        const auto zeilen = Bestaetigen(f, "VK_LP_02_1");
        ASSERT_EQ(zeilen.size(), fall.zeilen);
        EXPECT_EQ(zeilen[fall.index], fall.zeile);
        EXPECT_EQ(Zeilen(Summentabelle()).front().find('-'), std::string::npos);
        Gebuehren().Delete();
    }
}

// A list of 2 parcels has the factor 1, of 3 the factor of 2; re-opened, the list, its ja/nein
// choices and a per-mille share come back, and confirming writes the same table.
TEST_F(Kat1Tabelle, ParcelListFactorAndRoundTrip) {
    vk::Kontext().AnzahlGrenzpunkte = 0;
    frmKat1& f = Form();
    Eingeben(f, {"GridGebühren1(2,3)=800", "GridGebühren1(2,1)=Flst.Nr. 12/4"});
    auto zeilen = ZweimalBestaetigen(f);
    ASSERT_EQ(zeilen.size(), 11u);
    EXPECT_EQ(zeilen[0], "Festestellung von Flurstückgrenzen zur Flurstücksbildung|Fläche [m²]|Bodenwert [€/m²]|"
                         "Wert [€]|zu zahlen|||");
    EXPECT_EQ(zeilen[2], "Flst.Nr. 12/4|  800|    10,00| 8.000,00|ja|||");
    EXPECT_EQ(zeilen[3], "Tarif- stelle|Bezeichnung||||||");
    EXPECT_EQ(zeilen[5], "|Vermessungsfläche|1.600 m²|||||");
    EXPECT_EQ(zeilen[6], "|Anzahl der berechneten Flächen|2|||||");
    EXPECT_EQ(zeilen[8], "10.1.1|Gebühr nach Staffel 1|1|x 1.850,00 €|1.850,00 €|||");
    Breiten(Gebuehren(), {{3, 1, 5.6}, {4, 1, 2.0}});  // parcel rows keep the whole-table widths

    frmKat1& drei = Form();
    Eingeben(drei, {"GridGebühren1(3,3)=800", "GridGebühren1(3,2)=nein", "MaskEdBoxAnteil=500", "comArt=10.3",
                    "chkUnterlagen=1"});
    zeilen = ZweimalBestaetigen(drei);
    EXPECT_EQ(zeilen[3], "Flst.Nr. 12/3|  800|    10,00| 8.000,00|nein|||");
    EXPECT_EQ(zeilen[7], "|Anzahl der berechneten Flächen|3|||||");
    EXPECT_EQ(zeilen[9], "10.1.1|Gebühr nach Staffel 1|1,13 x 0,5 |x 1.850,00 €|||1.045,25 €|");

    EXPECT_EQ(Zeigt(Form(), {"GridGebühren1.Rows", "GridGebühren1(2,1)", "GridGebühren1(3,2)", "MaskEdBoxAnteil", "comArt",
                             "chkUnterlagen"}),
              (Zellen{"3", "Flst.Nr. 12/4", "nein", "500", "10.3", "1"}));
}

// Position 10.3 halves the Staffel-1 amount and has no boundary points; both expenses without a
// share stand tagged VAT-free in column 5, the take-over fee 8 % of the halved amount.
TEST_F(Kat1Tabelle, DivisionFromTheRecordsWithBothExpenses) {
    const auto zeilen = SummenBestaetigen("800", "10", "1", {"comArt=10.3", "chkUnterlagen=1", "chkÜbernahme=1"});
    auto t = Gebuehren();
    ASSERT_EQ(zeilen.size(), 12u);
    EXPECT_EQ(zeilen[2], "10.3|Sonderung nach dem Katasternachweis||||||");
    EXPECT_EQ(zeilen[6], "10.1.1|Gebühr nach Staffel 1|0,8 x 0,5 |x 1.500,00 €|  600,00 €|||");
    EXPECT_EQ(zeilen[7], "|||||||") << "no boundary points";
    EXPECT_EQ(zeilen[9], "|Umsatzsteuerfreie Auslagen\r||||||");
    EXPECT_EQ(zeilen[10], "9.1|Vermessungsunterlagen|||  154,00 €|||");
    EXPECT_EQ(zeilen[11], "14.1|Übernahmegebühr|8% der Gebühr nach Gebührenstaffel 1||   48,00 €|||");
    EXPECT_EQ((Zellen{Kennung(t, 11, 5), Kennung(t, 12, 5)}), (Zellen{"0", "0"}));
    Breiten(t, {{12, 4, 3.14}, {12, 5, 2.8}});
    const auto summe = Zeilen(Summentabelle());
    EXPECT_EQ(summe.front(), " |Summe||     802,00 €");
    EXPECT_EQ(summe[1], "|Mehrwertsteuer 19 %|     600,00 €|     114,00 €") << "VAT on the fees only";
}

TEST_F(Kat1Tabelle, PerMilleShareAddsThreeRowsAndSharesTheExpenses) {
    const auto zeilen = SummenBestaetigen("800", "10", "1", {"MaskEdBoxAnteil=333", "chkUnterlagen=1"});
    auto t = Gebuehren();
    ASSERT_EQ(zeilen.size(), 14u);
    // 1200,00 + 680,00 = 1880,00, of which a third 626,67; a third of the 154,00 expenses 51,33.
    EXPECT_EQ(zeilen[6].substr(zeilen[6].rfind('|', zeilen[6].size() - 2)), "|1.200,00 €|") << "undivided in column 7";
    EXPECT_EQ(zeilen[9], "|Zwischensumme\r|||||1.880,00 €|");
    EXPECT_EQ(zeilen[10], "|Ihr Anteil beträgt 333/1000\r33,33 % von 1.880,00 €|||  626,67 €|||");
    EXPECT_EQ(zeilen[12], "9.1|Vermessungsunterlagen||||||  154,00 €") << "undivided in column 8";
    EXPECT_EQ(zeilen[13], "|anteilige Auslagen \r33,33 % von   154,00 €|||   51,33 €|||");
    // The undivided expense does not count.
    EXPECT_EQ((Zellen{Kennung(t, 13, 5), Kennung(t, 14, 5)}), (Zellen{"", "0"}));
    Breiten(t, {{2, 2, 5.0}, {2, 7, 3.0}, {11, 2, 7.2}, {13, 8, 3.0}});
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||     678,00 €");
}

// 100 m² at 5 €/m², two parcels: 870,00 × 1,13 = 983,10; 5 points × 0,8 × 150,00 = 600,00. The
// take-over fee is 8 % of the printed 983,10 = 78,648, printed 78,65, and counts as printed: the
// expenses are 154,00 + 78,65 = 232,65, half of them 116,325 = 116,33 (not half of 232,648).
TEST_F(Kat1Tabelle, EveryAmountCountsWithTheCentsItShows) {
    const auto zeilen = SummenBestaetigen("100", "5", "2", {"MaskEdBoxAnteil=500", "chkUnterlagen=1", "chkÜbernahme=1"});
    ASSERT_EQ(zeilen.size(), 15u);
    EXPECT_EQ(zeilen[9], "|Zwischensumme\r|||||1.583,10 €|");
    EXPECT_EQ(zeilen[10], "|Ihr Anteil beträgt 500/1000\r50 % von 1.583,10 €|||  791,55 €|||");
    EXPECT_EQ(zeilen[13], "14.1|Übernahmegebühr|8% der Gebühr nach Gebührenstaffel 1|||||   78,65 €");
    EXPECT_EQ(zeilen[14], "|anteilige Auslagen \r50 % von   232,65 €|||  116,33 €|||");
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||     907,88 €");  // 791,55 + 116,33
}

// Written, re-opened and confirmed unchanged: the same table; the inputs are back in the dialog, a
// count of 2,5 parcels as 2,5.
TEST_F(Kat1Tabelle, TotalsComeBackWithTheirLandValueAndAFiveDigitAreaToPay) {
    frmKat1& f = Form();
    Summen(f, "24690", "12,34", "2,5");
    Eingeben(f, {"txtZusammenZahlen=12345", "chkÜbernahme=1"});
    const auto zeilen = ZweimalBestaetigen(f);
    EXPECT_EQ(zeilen[5], "|durchschnittlicher Verkehrswert|10,01 - 40,00 €/m²|||||");
    EXPECT_EQ(zeilen[10].rfind("|Ihr Anteil beträgt 12345 m² zu 24.690 m²\r50 % von ", 0), 0u) << zeilen[10];

    EXPECT_EQ(Zeigt(Form(), {"optJa(1)", "MaskEdBoxWert", "lblFläche", "txtAnzahl", "txtZusammenZahlen", "chkÜbernahme",
                             "chkUnterlagen"}),
              (Zellen{"1", "   12,34", "24.690", "2,5", "12345", "1", "0"}));
}

// A parcel whose label begins with "Tarif" is a parcel, not the position header.
TEST_F(Kat1Tabelle, ParcelsNamedLikeTheHeaderComeBackAsWritten) {
    frmKat1& f = Form();
    Eingeben(f, {"GridGebühren1(1,1)=Tarifweg 1", "GridGebühren1(2,3)=800"});
    ZweimalBestaetigen(f);
    EXPECT_EQ(Geschrieben()[1], "Tarifweg 1|    800|    10,00| 8.000,00|ja|||");
    EXPECT_EQ(Zeigt(Form(), {"optJa(0)", "GridGebühren1.Rows"}), (Zellen{"1", "2"})) << "still the list";
}

// The share by area of a list comes from its unpaid rows, also from a row the button added (the
// button does not recompute the totals).
TEST_F(Kat1Tabelle, AreaShareOfAListComesFromItsUnpaidRows) {
    frmKat1& f = Form();
    Setzen(f, "GridGebühren1(1,2)=nein");
    vk::ui::Klicken(f, "CommandNeu");
    ASSERT_EQ(f.GridGebühren1.Rows(), 2);
    const auto zeilen = ZweimalBestaetigen(f);
    EXPECT_EQ(zeilen[1].rfind("Flst.Nr. 12/3|    800|    10,00| 8.000,00|ja|", 0), 0u) << zeilen[1];
    EXPECT_EQ(zeilen[2].rfind("Flst.Nr. 12/3|    800|    10,00| 8.000,00|nein|", 0), 0u) << zeilen[2];
    EXPECT_EQ(zeilen[12].rfind("|Ihr Anteil beträgt 800 m² zu 1.600 m²\r50 % von ", 0), 0u) << zeilen[12];
}

// A hand-edited table without the position header starts from the job's defaults; one whose
// position cell names no known position keeps "10.1".
TEST_F(Kat1Tabelle, DamagedTableFallsBackToTheDefaults) {
    Gebuehrentabelle({{10, ""}}, "VK_LP_02_1");
    EXPECT_EQ(Zeigt(Form(), {"comArt", "MaskEdBoxGrenzpunkte", "lblGebühr"}), (Zellen{"10.1", " 5", " 2350,00"}));
    Form().Unload();
    Gebuehren().Delete();

    auto t = Gebuehrentabelle({{10, ""}, {10, ""}}, "VK_LP_02_1");
    vk::ZelleSchreiben(t, 2, 1, "Tarif- stelle", true);
    vk::ZelleSchreiben(t, 3, 1, "10.2", false);
    EXPECT_EQ(Form().comArt.Text(), "10.1");
}

}  // namespace
}  // namespace vktest
