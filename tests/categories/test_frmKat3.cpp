// Building survey: pricing a row (cadastral update, shares, the minimum above 2 500 000, odd counts),
// the table with its share lines, break points and expenses, the empty confirmation, and reading
// the table back.
#include <gtest/gtest.h>

#include "categories/Gebaeudeeinmessung.h"
#include "categories/frmKat3.h"
#include "categories/kategorieumfeld.h"
#include "platform/controls/wiedergabe.h"

namespace vktest {
namespace {

using vk::frmKat3;
using vk::ui::Klicken;
using vk::ui::Setzen;


class Kat3 : public Kategorieumfeld {
protected:
    void SetUp() override {
        Kategorieumfeld::SetUp();
        vk::Kontext().Flurstücksnummer = "123/4";
        vk::Kontext().Baukosten = 200000;  // fee 475
    }
    frmKat3& Form() { return Oeffnen<frmKat3>(2); }
};

TEST(Gebaeudeeinmessung, RowCost) {
    struct Fall {
        double baukosten, anzahl;
        bool fortführung;
        double anteil, kosten;
        const char* was;
    };
    for (const Fall& f : std::vector<Fall>{
             {200000, 1, false, 1000, 475, "the whole"},
             {200000, 1, false, 0, 475, "an empty share is the whole"},
             {200000, 1, false, vk::Anteil("1.000"), 475, "1000 as the cell edit shows it"},
             {200000, 1, false, -500, 475, "a negative share is no credit"},
             {200000, 1, false, 1500, 475, "more than the whole is the whole"},
             {200000, 1, false, 333, 475.0 / 3, "exactly a third"},
             {200000, 2, false, 500, 475, "half of two"},
             {200000, 1, true, 250, 475 * 0.7 / 4, "update and share"},
             {200000, -2, false, 1000, 0, "a negative count costs nothing"},
             {2500001, 1, false, 1000, 1900, "minimum"},
             // Each building's fee is at least 1900, before the count, the update's 70 % and the share.
             {2500001, 1, true, 1000, 1330, "0,7 × 1900"},
             {2500001, 2, false, 1000, 3800, "two buildings, each at its minimum"},
             {2500001, 2, true, 500, 1330, "half of 0,7 × 2 × 1900"},
             // 1,2 × √3 000 000 = 2078,4609690827, above the minimum; with the update 1454,9226783579.
             {3000000, 1, true, 1000, 1454.9226783579, "the update reduces a fee above the minimum"},
             {3000000, 1, true, 500, 727.46133917893, "and the share is taken of that"},
             {3000000, 1, false, 333, 692.820323027551, "a third of 2078,46"},
             {3000000, 0, false, 1000, 0, "no building, no minimum"},
             {2500000, 1, false, 500, 950, "not above the limit"},
         })
        EXPECT_NEAR(vk::Zeilenkosten(f.baukosten, f.anzahl, f.fortführung, f.anteil), f.kosten, 1e-8) << f.was;
}

TEST(Gebaeudeeinmessung, TheShareLineIsReadBackWhateverTheShareWidth) {
    for (const auto& [anteil, text] : std::vector<std::pair<double, std::string>>{
             {500, "500"}, {50, " 50"}, {333, "333"}, {1500, "1.500"}}) {
        const auto gelesen = vk::BezeichnungszelleLesen("Haus 1" + vk::Anteilszeile(100, text));
        EXPECT_EQ(gelesen.bezeichnung, "Haus 1");
        EXPECT_EQ(gelesen.anteil, anteil) << text;
    }
    EXPECT_EQ(vk::BezeichnungszelleLesen("Flst.Nr. 7").anteil, 0);
}

// A new dialog, and one opened on a table without buildings, start with one row of the job.
TEST_F(Kat3, OpensWithOneDefaultRow) {
    for (bool ohneGebäude : {false, true}) {
        if (ohneGebäude) Gebuehrentabelle({}, "VK_LP_02_3");
        frmKat3& form = Form();
        EXPECT_EQ(Zeigt(form, {"GridGebühren.Rows", "mskBrechpunkte", "chkFortführung"}), (Zellen{"1", "  ", "0"}));
        EXPECT_EQ(Zeile(form.GridGebühren, 1), (Zellen{"Flst.Nr. 123/4", "200.000,00", "  1", "1000", "  475,00"}));
        EXPECT_EQ(form.GridGebühren.RowHeight(1), 300);
        Klicken(form, "CommandNeu");
        EXPECT_EQ(form.GridGebühren.Rows(), 2);
        form.Unload();
    }
}

// The first row, priced from the job's construction cost, follows the rule of every edit: above
// 2 500 000 the minimum of 1900; the share line shows the building's whole fee.
TEST_F(Kat3, TheMinimumBelongsToTheBuildingAndTheFirstRowFollowsIt) {
    vk::Kontext().Baukosten = 2500001;  // 1,2 × √2 500 001 = 1897,37
    frmKat3& form = Form();
    EXPECT_EQ(Zeile(form.GridGebühren, 1), (Zellen{"Flst.Nr. 123/4", "2.500.001,00", "  1", "1000", "1.900,00"}));
    Eingeben(form, {"GridGebühren(1,2)=3.000.000", "GridGebühren(1,4)=333"});
    EXPECT_EQ(form.GridGebühren.TextMatrix(1, 5), "  692,82");
    EXPECT_EQ(Bestaetigen(form, "VK_LP_02_3")[1],
              "Flst.Nr. 123/4\vBetrag :  €  2078,46 Ihr Anteil 333/1000|3.000.000,00|  1||  692,82 €|");
}

TEST_F(Kat3, TheCadastralUpdateRepricesEveryRow) {
    frmKat3& form = Form();
    Setzen(form, "GridGebühren(2,2)=1000000");
    EXPECT_EQ(form.GridGebühren.TextMatrix(2, 2), "1.000.000,00");
    Eingeben(form, {"GridGebühren(3,2)=3000000", "chkFortführung=1"});
    // 0,7 × 1,2 × √3 000 000 = 1.454,92 (ticked after the cost was typed): the update reduces a fee
    // above the minimum.
    EXPECT_EQ(Zeigt(form, {"GridGebühren(1,5)", "GridGebühren(2,5)", "GridGebühren(3,5)"}),
              (Zellen{"  332,50", "  875,00", "1.454,92"}));
    // A new row, by the button (row 3) or by Tab (row 5), is priced with the update as well.
    Klicken(form, "CommandNeu");
    form.GridGebühren.SetZelle(4, 5);
    vk::ui::TasteDrücken(form, "GridGebühren", vk::ui::taste::Tab);
    EXPECT_EQ(Zeigt(form, {"GridGebühren.Rows", "GridGebühren(3,5)", "GridGebühren(5,5)"}), (Zellen{"5", "  332,50", "  332,50"}));
    Setzen(form, "chkFortführung=0");
    EXPECT_EQ(Zeigt(form, {"GridGebühren(2,5)", "GridGebühren(5,5)"}), (Zellen{"1.250,00", "  475,00"}));
}

TEST_F(Kat3, SharesBreakPointsAndExpensesWithTheirTags) {
    frmKat3& form = Form();
    // A share typed in per cent is per cent: "50%" is 500 per mille, never 50.
    Eingeben(form, {"GridGebühren(1,4)=333", "GridGebühren(2,4)=50%", "GridGebühren(3,4)=1000", "GridGebühren(4,4)=0",
                    "mskBrechpunkte=4", "chkVUnterlagen=1", "chkÜbernahme=1"});
    EXPECT_EQ(Zeigt(form, {"GridGebühren(2,4)", "GridGebühren(3,4)", "mskBrechpunkte"}), (Zellen{"500", "1.000", "    4"}));
    Klicken(form, "CommandEnde");
    EXPECT_FALSE(Offen<frmKat3>());

    vk::word::Table t = Tabelle("VK_LP_02_3");
    EXPECT_EQ(Zeilen(t), (Zellen{"Einmessung von Gebäuden\rTarifstelle 13.1.1|Wert \r[€] |Anzahl|||",
                                 // The whole fee, not three times the rounded third (474,99).
                                 "Flst.Nr. 123/4\vBetrag :  €   475,00 Ihr Anteil 333/1000|200.000,00|  1||  158,33 €|",
                                 "Flst.Nr. 123/4\vBetrag :  €   475,00 Ihr Anteil 500/1000|200.000,00|  1||  237,50 €|",
                                 "Flst.Nr. 123/4|200.000,00|  1||  475,00 €|",
                                 "Flst.Nr. 123/4|200.000,00|  1||  475,00 €|",
                                 "Einmessung von Nutzungsartengrenzen für|    4 Brechpunkte|||  140,00 €|",
                                 "Auslagen|||||",
                                 "9.3|Vermessungsunterlagen|||52,00 €|",
                                 // 10 % of the buildings only, not of the break points.
                                 "14.4|Übernahmegebühr|10% der Gebühr nach Gebührenstaffel||  134,58 €|"}));
    EXPECT_EQ((Zellen{Kennung(t, 6, 5), Kennung(t, 8, 5), Kennung(t, 9, 5)}), (Zellen{"", "0", "0"}));
    EXPECT_NEAR(t.Cell(6, 1).Width(), vk::word::Application::CentimetersToPoints(8.5), 0.5);
    // The share line is set 2 points smaller than the designation.
    vk::word::Range zelle = t.Cell(3, 1).Range();
    const long umbruch = zelle.Start() + 14;
    EXPECT_EQ(doc_->Range(zelle.Start(), umbruch).FontSize(), 0.0) << "the designation keeps its size";
    EXPECT_EQ(doc_->Range(umbruch, zelle.End() - 2).FontSize(), 9.0);
    // 1.485,83 with VAT, 186,58 VAT-free.
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||   1.672,41 €");
}

TEST_F(Kat3, ASingleRowWithoutCostWritesNoTableButKeepsTheTotals) {
    Gebuehrentabelle({{100, ""}}, "VK_LP_02_5");
    Klicken(Form(), "CommandEnde");
    ASSERT_FALSE(Tabelle("VK_LP_02_3").IstNothing());

    frmKat3& wieder = Form();
    Setzen(wieder, "GridGebühren(1,3)=0");
    EXPECT_EQ(wieder.GridGebühren.TextMatrix(1, 5), "    0,00");
    Klicken(wieder, "CommandEnde");
    EXPECT_FALSE(Offen<frmKat3>());
    EXPECT_TRUE(Tabelle("VK_LP_02_3").IstNothing()) << "the category's old table is gone";
    ASSERT_FALSE(Summentabelle().IstNothing()) << "the invoice keeps its totals";
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||     100,00 €");
}

TEST_F(Kat3, ReopeningRestoresEveryInputAndConfirmsTheSameTable) {
    frmKat3& form = Form();
    Eingeben(form, {"GridGebühren(1,1)=Wohnhaus", "GridGebühren(1,4)=500", "GridGebühren(2,2)=3000000",
                    "GridGebühren(2,1)=9.3 Garage", "GridGebühren(3,4)=333", "GridGebühren(3,3)=2",
                    "GridGebühren(3,1)=Auslagen", "chkFortführung=1", "mskBrechpunkte=4", "chkÜbernahme=1"});
    const auto vorher = Bestaetigen(form, "VK_LP_02_3");
    ASSERT_EQ(vorher.size(), 7u);
    EXPECT_EQ(vorher[0], "Einmessung von Gebäuden\rim Zusammenhang mit einer Fortführung \rTarifstelle 13.1.3|"
                         "Wert \r[€] |Anzahl|||");

    frmKat3& wieder = Form();
    // No expenses ticked by a building designated like an expense row.
    EXPECT_EQ(Zeigt(wieder, {"chkFortführung", "mskBrechpunkte", "chkVUnterlagen", "chkÜbernahme", "GridGebühren.Rows"}),
              (Zellen{"1", "    4", "0", "1", "3"}));
    EXPECT_EQ(Zeile(wieder.GridGebühren, 1), (Zellen{"Wohnhaus", "200.000,00", "  1", "500", "  166,25"}));
    EXPECT_EQ(Zeile(wieder.GridGebühren, 2), (Zellen{"9.3 Garage", "3.000.000,00", "  1", "1000", "1.454,92"}));
    EXPECT_EQ(Zeile(wieder.GridGebühren, 3), (Zellen{"Auslagen", "200.000,00", "  2", "333", "  221,67"}));
    EXPECT_EQ(Bestaetigen(wieder, "VK_LP_02_3"), vorher);
    EXPECT_EQ(Kennung(Tabelle("VK_LP_02_3"), 7, 5), "0");
    EXPECT_EQ(doc_->Tables().Count(), 2) << "the fee table and the totals";
}

}  // namespace
}  // namespace vktest
