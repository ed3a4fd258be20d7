// Fees by time spent: pricing a row (half hours, whole kilometres, the vehicle minimum, the empty
// class), the table written, reading it back, and the grid's row keys and buttons.
#include <gtest/gtest.h>

#include "categories/Zeitaufwand.h"
#include "categories/frmKat6.h"
#include "categories/kategorieumfeld.h"

namespace vktest {
namespace {

using vk::frmKat6;
using vk::ui::Klicken;
using vk::ui::Setzen;

class Kat6 : public Kategorieumfeld {
protected:
    frmKat6& Form() { return Oeffnen<frmKat6>(5); }
};

TEST(Zeitaufwand, HoursAreRoundedUpToTheNextHalfHourWhateverTheirSize) {
    for (auto [stunden, gerundet] : {std::pair{2.0, 2.0}, {2.5, 2.5}, {2.25, 2.5}, {2.1, 2.5}, {2.6, 3.0}, {3.7, 4.0},
                                      {1000.2, 1000.5}, {12345.8, 12346.0}})
        EXPECT_EQ(vk::AufHalbeStundeRunden(stunden), gerundet) << stunden;
}

TEST_F(Kat6, StartsWithOneRowOfTheSurveyingEngineerAndPricesRowsByClass) {
    frmKat6& form = Form();
    // The in-cell editor over the current cell shows that cell's class, not the empty entry.
    EXPECT_EQ(Zeigt(form, {"GridGebühren.Rows", "GridGebühren(1,1)", "comKategorie"}),
              (Zellen{"1", "Öffentl. bestellter Vermessungsing.", "Öffentl. bestellter Vermessungsing."}));
    EXPECT_EQ(form.GridGebühren.Col(), 1);

    Setzen(form, "GridGebühren(1,2)=2,25");
    EXPECT_EQ(Zeile(form.GridGebühren, 1), (Zellen{"Öffentl. bestellter Vermessungsing.", "2,5", "84,00",
                                                        "    210,00"}));
    Eingeben(form, {"GridGebühren(2,1)=Kraftfahrzeug", "GridGebühren(2,2)=12,9"});
    EXPECT_EQ(Zeile(form.GridGebühren, 2), (Zellen{"Kraftfahrzeug", "12", " 0,55", "     10,00"}));
    Eingeben(form, {"GridGebühren(3,1)=Meßtruppführer", "GridGebühren(3,2)=1000,2"});
    EXPECT_EQ(form.GridGebühren.TextMatrix(3, 2), "1000,5");
    Setzen(form, "GridGebühren(3,1)=");
    EXPECT_EQ(Zeile(form.GridGebühren, 3), (Zellen{"", "", "", ""}));
}

TEST_F(Kat6, ConfirmingWritesTheTableAndReopeningRestoresIt) {
    frmKat6& form = Form();
    // A row added by Tab on the last row takes that row's place: add the rows first, then fill them.
    Eingeben(form, {"GridGebühren(3,1)=", "GridGebühren(1,2)=2,25", "GridGebühren(2,1)=Kraftfahrzeug",
                    "GridGebühren(2,2)=30", "unterlagenCheck=1"});
    const auto tabelle = Bestaetigen(form, "VK_LP_02_6");
    EXPECT_EQ(tabelle, (Zellen{"Gebühren nach Zeitaufwand|||Gebühr||",
                               "15.1.1|" + vk::Zeitaufwandsklassen()[0].beschreibung + "|2,5 h|84,00 €|210,00 €|",
                               "15.2|Einsatz von Kraftfahrzeugen (mind. 10 €)|30 km| 0,55 €|16,50 €|", "|||||",
                               "Auslagen|||||", "|Katasterunterlagen|||52,00 €|"}));
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||     278,50 €");
    EXPECT_EQ(Tabelle("VK_LP_02_6").Range().FontSize(), 10.0);

    frmKat6& wieder = Form();
    EXPECT_EQ(Zeigt(wieder, {"unterlagenCheck", "GridGebühren.Rows", "GridGebühren(1,1)", "comKategorie", "GridGebühren(1,2)",
                             "GridGebühren(2,1)", "GridGebühren(2,2)", "GridGebühren(3,1)"}),
              (Zellen{"1", "3", "Öffentl. bestellter Vermessungsing.", "Öffentl. bestellter Vermessungsing.", "2,5",
                      "Kraftfahrzeug", "30", ""}));
    EXPECT_EQ(Bestaetigen(wieder, "VK_LP_02_6"), tabelle);
    EXPECT_EQ(doc_->Tables().Count(), 2);
}

// A row without hours and a row with negative hours are priced as none, written with "0 h", and
// confirming them again unchanged writes the same table.
TEST_F(Kat6, RowsWithoutHoursAreWrittenAsTheyReadBack) {
    const std::string neu = Bestaetigen(Form(), "VK_LP_02_6")[1];  // the new row, never priced: its rate, no amount
    EXPECT_EQ(neu.substr(0, 7), "15.1.1|");
    EXPECT_EQ(neu.substr(neu.find("|0 h")), "|0 h|84,00 €||");

    frmKat6& form = Form();
    Eingeben(form, {"GridGebühren(2,1)=Meßtruppführer", "GridGebühren(2,2)=-3"});
    EXPECT_EQ(Zeile(form.GridGebühren, 2), (Zellen{"Meßtruppführer", "0", "70,00", "      0,00"}));
    const auto tabelle = Bestaetigen(form, "VK_LP_02_6");
    ASSERT_EQ(tabelle.size(), 5u);
    EXPECT_EQ(tabelle[2].substr(tabelle[2].find("|0 h")), "|0 h|70,00 €||");
    EXPECT_EQ(Bestaetigen(Form(), "VK_LP_02_6"), tabelle);
}

TEST_F(Kat6, TabInTheQuantityColumnAddsOneRowOnlyOnTheLastRow) {
    frmKat6& form = Form();
    form.GridGebühren.SetZelle(1, 2);
    vk::ui::TasteDrücken(form, "GridGebühren", vk::ui::taste::Tab);
    EXPECT_EQ(Zeigt(form, {"GridGebühren.Rows", "GridGebühren(2,1)"}), (Zellen{"2", "Öffentl. bestellter Vermessungsing."}));
    EXPECT_EQ(form.GridGebühren.Row(), 2) << "the new row goes below the last one and becomes current";
    EXPECT_EQ(form.GridGebühren.RowHeight(2), 300);
    form.GridGebühren.SetZelle(1, 2);
    vk::ui::TasteDrücken(form, "GridGebühren", vk::ui::taste::Rechts);
    EXPECT_EQ(form.GridGebühren.Rows(), 2) << "not the last row: only moves down";
    EXPECT_EQ(form.GridGebühren.Row(), 2);
}

TEST_F(Kat6, DeletingAsksOnlyWithTwoRowsOrMore) {
    frmKat6& form = Form();
    form.GridGebühren.SelectRow(1);
    Klicken(form, "CommandLöschen");
    EXPECT_TRUE(vk::StandardNachrichten().Gestellt().empty());
    EXPECT_EQ(form.GridGebühren.Rows(), 1);

    Klicken(form, "CommandNeu");
    ASSERT_EQ(form.GridGebühren.Rows(), 2);
    form.GridGebühren.ClearSelection();
    vk::StandardNachrichten().Antworten(6);
    Klicken(form, "CommandLöschen");
    EXPECT_EQ(form.GridGebühren.Rows(), 2) << "asked, but nothing selected";
    vk::StandardNachrichten().Zuruecksetzen();
    form.GridGebühren.SelectRow(2);
    vk::StandardNachrichten().Antworten(6);
    Klicken(form, "CommandLöschen");
    ASSERT_EQ(vk::StandardNachrichten().Gestellt().size(), 1u);
    EXPECT_EQ(vk::StandardNachrichten().Gestellt()[0].text, "Zeile löschen?");
    EXPECT_EQ(vk::StandardNachrichten().Gestellt()[0].flags, 36);
    EXPECT_EQ(form.GridGebühren.Rows(), 1);
}

}  // namespace
}  // namespace vktest
