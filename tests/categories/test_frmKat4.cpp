// Elongated installations: the fee of the sections (started units, the rates of the lowest category,
// the first-side axis, odd inputs), the table written, the category editor and new rows, reading the
// table back, and the follow-on table found on load.
#include <gtest/gtest.h>

#include <tuple>

#include "categories/Langanlage.h"
#include "categories/frmKat4.h"
#include "categories/kategorieumfeld.h"
#include "platform/word/application.h"
#include "platform/word/konstanten.h"

namespace vktest {
namespace {

using vk::Abschnitt;
using vk::frmKat4;
using vk::LanganlageBerechnen;
using vk::ui::Klicken;
using vk::ui::Setzen;

Abschnitt Strecke(const char* kategorie, const char* länge, const char* seite, const char* trennstücke = "0") {
    return {"Flst.Nr. 1", kategorie, länge, seite, trennstücke};
}

TEST(Langanlage, UnitsStarted) {
    EXPECT_EQ(vk::Angefangene(1200 * 0.9 / 10), 108) << "arithmetic noise starts no unit";
    EXPECT_EQ(vk::Angefangene(120.05), 121);
    // 0,9 x 1201 m = 1080,9 m have started 109 units of 10 m; 1001 m three half kilometres.
    EXPECT_EQ(LanganlageBerechnen({Strecke("II", "1201", "Seite 2")}, 0).grenzeinheiten, 109);
    for (const auto& [länge, km, halbe] : std::vector<std::tuple<const char*, double, double>>{
             {"1000", 1, 2}, {"1001", 2, 3}, {"2000", 2, 4}, {"2001", 3, 5}}) {
        const auto g = LanganlageBerechnen({Strecke("II", länge, "Seite 1")}, 0);
        EXPECT_EQ(g.kilometer, km) << länge;
        EXPECT_EQ(g.halbeKilometer, halbe) << länge;
    }
}

TEST(Langanlage, OddInputsNeverGiveANegativeFee) {
    const auto unsinn = LanganlageBerechnen({Strecke("II", "-500", "Seite 1", "-3"), Strecke("II", "x", "Seite 1")}, 0);
    EXPECT_DOUBLE_EQ(unsinn.grundgebühr + unsinn.grenzlängengebühr + unsinn.übernahme + unsinn.unterlagen, 0.0);
    // Too long for a whole-number type: the fee grows, it does not wrap.
    const auto riesig = LanganlageBerechnen({Strecke("II", "99999999999999999999", "Seite 1", "99999999999999999999")}, 0);
    for (double betrag : {riesig.grundgebühr, riesig.grenzlängengebühr, riesig.trennstückgebühr, riesig.unterlagen,
                          riesig.übernahme})
        EXPECT_GT(betrag, 1e19);
}

TEST(Langanlage, TheLowestCategoryPresentSetsEveryRate) {
    const auto g = LanganlageBerechnen({Strecke("III", "500", "Seite 1", "1"), Strecke("I", "500", "Seite 2", "1")}, 0);
    EXPECT_DOUBLE_EQ(g.grundgebühr, 1020.0);
    EXPECT_DOUBLE_EQ(g.grenzlängengebühr, (50 + 45) * 78.0);
    EXPECT_DOUBLE_EQ(g.trennstückgebühr, 2 * 147.0);
    EXPECT_EQ(LanganlageBerechnen({Strecke("", "10", "Seite 1"), Strecke("II", "10", "Seite 1")}, 0).satz->kategorie,
              "II")
        << "a text that is no category does not take the rates away";
}

class Kat4 : public Kategorieumfeld {
protected:
    void SetUp() override {
        Kategorieumfeld::SetUp();
        vk::Kontext().Flurstücksnummer = "123/4";
        vk::Kontext().Achslänge = 1200;
    }
    // Opened as the host opens it; errors of the host's own settings (no user row) are forgotten.
    frmKat4& Form() {
        frmKat4& form = Oeffnen<frmKat4>(3);
        vk::LetztenFehlerZuruecksetzen();
        return form;
    }
    // "VK_LP_08_4" written by confirming the dialog.
    Zellen Bestätigen(frmKat4& f) {
        Zellen zeilen = Bestaetigen(f, "VK_LP_08_4");
        EXPECT_FALSE(Offen<frmKat4>());
        return zeilen;
    }
};

const std::string kKopf =
    "Langgestreckte Anlagen|Kate-  Länge  \rgorie    [m]|Seite\r|Anzahl  \tGrenzlänge je\rTrennstücke\tangefangene 10m|";

TEST_F(Kat4, OneSectionOnEitherSide) {
    frmKat4& form = Form();
    Eingeben(form, {"GridGebühren(1,5)=2", "chkVUnterlagen=1"});
    EXPECT_EQ(form.GridGebühren.TextMatrix(1, 5), "  2");
    EXPECT_EQ(Bestätigen(form), (Zellen{kKopf, "Flst.Nr. 123/4|II  \t1.200|Seite 1|  2\t\t1.200 x 1,0/10 = 120|", "||||",
                                        "Tarifstelle 10.2 ; Gebührenstaffel 2||||",
                                        "A. Grundgebühr|je angefangener Kilometer||  2 x 770 €|1.540,00 €",
                                        "B. Teilgebühr nach Grenzlänge je angefangene 10 m|||120 x 73,00  €|8.760,00 €",
                                        "C. Teilgebühr je Trennstück\rUmsatzsteuerfreie Auslagen|||2 x 137,00 €|  274,00 €",
                                        "9.2|Vermessungsunterlagen|je halbem km|130,00 €|  390,00 €", "||||", "||||"}));
    EXPECT_EQ(Zeilen(Summentabelle())[1], "|Mehrwertsteuer 19 %|  10.574,00 €|   2.009,06 €") << "9.2 is VAT-free";
    vk::word::Table tabelle = Tabelle("VK_LP_08_4");
    EXPECT_NEAR(tabelle.Cell(4, 1).Width(), vk::word::Application::CentimetersToPoints(6.7), 0.1);
    EXPECT_EQ(tabelle.Cell(4, 1).Range().Bold(), vk::word::wdTrue);
    // Every row that holds an amount ends within the width of the fee rows (17,5 cm), the parcel-fee
    // row under the expenses heading too.
    for (long r : {5L, 6L, 7L, 8L}) {
        double breite = 0;
        for (long c = 1; c <= 5; ++c) breite += tabelle.Cell(r, c).Width();
        EXPECT_LE(breite, vk::word::Application::CentimetersToPoints(17.5) + 0.5) << "row " << r;
    }
    EXPECT_EQ(vk::LetzterFehler().strNr, "") << vk::LetzterFehler().Funktionsname;

    // The same section on the second side: 108 units, and no first-side axis to count kilometres on.
    frmKat4& zweite = Form();
    Eingeben(zweite, {"GridGebühren(1,4)=Seite 2", "GridGebühren(1,5)=0"});
    const auto t = Bestätigen(zweite);
    EXPECT_EQ(t[1], "Flst.Nr. 123/4|II  \t1.200|Seite 2|  0\t\t1.200 x 0,9/10 = 108|");
    EXPECT_EQ(t[4], "A. Grundgebühr|je angefangener Kilometer||  0 x 770 €|    0,00 €");
    EXPECT_EQ(t[5], "B. Teilgebühr nach Grenzlänge je angefangene 10 m|||108 x 73,00  €|7.884,00 €");
    EXPECT_EQ(t[6], "\rUmsatzsteuerfreie Auslagen||||") << "no parcel fee";
}

// A negative length or parcel count is priced as none and printed as 0: typed into the grid, and
// as a text that reached the grid without an edit (a hand-edited table read back).
TEST_F(Kat4, NegativeLengthsAndCountsPrintAsZero) {
    frmKat4& form = Form();
    Eingeben(form, {"GridGebühren(1,3)=-1200", "GridGebühren(1,5)=-2"});
    EXPECT_EQ(Zeigt(form, {"GridGebühren(1,3)", "GridGebühren(1,5)"}), (Zellen{"   0", "  0"}));
    form.GridGebühren.SetTextMatrix(1, 3, "-1200");
    form.GridGebühren.SetTextMatrix(1, 5, "-2");
    const auto t = Bestätigen(form);
    EXPECT_EQ(t[1], "Flst.Nr. 123/4|II  \t   0|Seite 1|  0\t\t   0 x 1,0/10 =   0|");
    EXPECT_EQ(t[4], "A. Grundgebühr|je angefangener Kilometer||  0 x 770 €|    0,00 €");
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||       0,00 €");
}

TEST_F(Kat4, CategoryEditorAndNewRows) {
    frmKat4& form = Form();
    form.GridGebühren.SetZelle(1, 2);
    EXPECT_TRUE(form.comKategorie.Visible());
    EXPECT_EQ(form.comKategorie.ListIndex(), 1);
    form.GridGebühren.SetZelle(1, 3);
    EXPECT_FALSE(form.comKategorie.Visible());

    Setzen(form, "GridGebühren(2,2)=III");  // Tab in column 5 of the last row adds row 2
    EXPECT_EQ(Zeile(form.GridGebühren, 2), (Zellen{"Flst.Nr. 123/4", "III", "1.200", "Seite 1", "  0"}));
    Eingeben(form, {"GridGebühren(1,2)=I", "GridGebühren(2,3)=800"});
    EXPECT_EQ(form.GridGebühren.TextMatrix(2, 3), " 800");
    EXPECT_EQ(form.Gebühr().kilometer, 2) << "1200 m and 800 m of axis: every first-side section counts";
}

TEST_F(Kat4, AreaCalculationsAndExpensesWrittenReadBackAndConfirmedUnchanged) {
    frmKat4& form = Form();
    Eingeben(form, {"GridGebühren(1,5)=2", "GridGebühren(2,4)=Seite 2", "GridGebühren(2,3)=950",
                    "GridGebühren(2,1)=14.2 Weg (Flächenberechnung)", "mskFlächen=2", "chkVUnterlagen=1", "chkÜbernahme=1"});
    EXPECT_EQ(form.mskFlächen.Text(), "  2");
    const auto erst = Bestätigen(form);
    ASSERT_EQ(erst.size(), 2u + 7 + 2 + 3);
    // 2150 m of sections: 5 half kilometres.
    EXPECT_EQ(erst[9], "  2 Flächenberechnungen:\r\rUmsatzsteuerfreie Auslagen||||   92,04 €");
    EXPECT_EQ(erst[10], "9.2|Vermessungsunterlagen|je halbem km|130,00 €|  650,00 €");
    EXPECT_EQ(erst[11], "14.2|Übernahmegebühr|je Trennstück|40,00 €|   80,00 €");
    vk::word::Table tabelle = Tabelle("VK_LP_08_4");
    EXPECT_EQ((Zellen{Kennung(tabelle, 10, 5), Kennung(tabelle, 11, 5), Kennung(tabelle, 12, 5)}), (Zellen{"", "0", "0"}))
        << "area calculations are taxable, the expenses VAT-free";
    // Taxable 1540 + (120 + 86) x 73 + 274 + 92,04; VAT-free 650 + 80.
    const auto summe = Zeilen(Summentabelle());
    EXPECT_EQ(summe.front(), " |Summe||  17.674,04 €");

    frmKat4& wieder = Form();
    ASSERT_EQ(wieder.GridGebühren.Rows(), 2);
    EXPECT_EQ(Zeile(wieder.GridGebühren, 1), (Zellen{"Flst.Nr. 123/4", "II", "1.200", "Seite 1", "  2"}));
    EXPECT_EQ(Zeile(wieder.GridGebühren, 2), (Zellen{"14.2 Weg (Flächenberechnung)", "II", " 950", "Seite 2", "  0"}));
    EXPECT_EQ(Zeigt(wieder, {"mskFlächen", "chkVUnterlagen", "chkÜbernahme"}), (Zellen{"  2", "1", "1"}));
    EXPECT_EQ(Bestätigen(wieder), erst);
    EXPECT_EQ(Zeilen(Summentabelle()), summe);
    EXPECT_EQ(doc_->Tables().Count(), 2);
}

TEST_F(Kat4, ATableWhoseBlankRowWasDeletedKeepsItsLastSection) {
    vk::word::Table form;
    vk::word::Table t = doc_->Tables().Add(vk::EinfügestelleErmitteln(form), 3, 5);
    for (auto [spalte, text] : std::vector<std::pair<long, const char*>>{
             {1, "Weg"}, {2, "I  \t 800"}, {3, "Seite 2"}, {4, "  3\t\t 800 x 0,9/10 =  72"}})
        vk::ZelleSchreiben(t, 2, spalte, text, false);
    vk::ZelleSchreiben(t, 3, 1, "Tarifstelle 10.2 ; Gebührenstaffel 2", true);
    vk::BookmarkSetzen(t, "VK_LP_08_4");
    frmKat4& wieder = Form();
    ASSERT_EQ(wieder.GridGebühren.Rows(), 1);
    EXPECT_EQ(Zeile(wieder.GridGebühren, 1), (Zellen{"Weg", "I", " 800", "Seite 2", "  3"}));
}

TEST_F(Kat4, FollowOnTableFoundAfterTheMainTable) {
    Gebuehrentabelle({{100, ""}}, "VK_LP_08_4");
    Gebuehrentabelle({{50, ""}}, "VK_LP_02_5");
    vk::word::Table folge = Gebuehrentabelle({{10, ""}}, "VK_LP_08_4_Ein");
    frmKat4& form = Form();
    EXPECT_TRUE(form.FolgeTabelle().IsSame(folge));
    // Confirming rewrites the main table only.
    Klicken(form, "CommandEnde");
    EXPECT_EQ(Zeilen(Tabelle("VK_LP_08_4_Ein"))[1], "||||   10,00 €");
}

}  // namespace
}  // namespace vktest
