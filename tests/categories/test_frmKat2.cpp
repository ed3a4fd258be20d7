// Boundary determination and marking: part A by points, the preview while typing, the fee table in
// the full and the share layout with the totals it yields, and the table read back (also a short one).
#include <gtest/gtest.h>

#include "categories/Grenzfeststellung.h"
#include "categories/frmKat2.h"
#include "categories/kategorieumfeld.h"
#include "platform/word/application.h"
#include "platform/word/konstanten.h"

namespace vktest {
namespace {

using vk::frmKat2;
using vk::ui::Setzen;

TEST(Grenzfeststellung, PartAByClosedRangesAndAThirdAsFifteenThrees) {
    const std::pair<double, double> fälle[] = {{0, 0},     {1, 600},    {5, 600},    {6, 800},    {10, 800},
                                               {11, 1000}, {20, 1000},  {21, 1300},  {30, 1300},  {31, 1600},
                                               {50, 1600}, {51, 2000},  {99, 2000},  {5.5, 2000}, {-1, 0}};
    for (auto [n, betrag] : fälle) EXPECT_EQ(vk::Grenzfeststellung_A(n), betrag) << n;
    EXPECT_EQ(vk::Anteilsfaktor("333"), 0.333333333333333);
}

class Kat2 : public Kategorieumfeld {
protected:
    void SetUp() override {
        Kategorieumfeld::SetUp();
        vk::Kontext().Flurstücksnummer = "12/3";
        vk::Kontext().Bodenwert = 25;
        vk::Kontext().AnzahlGrenzpunkte = 7;
    }
    frmKat2& Form() { return Oeffnen<frmKat2>(1); }
    Zellen Schreiben(frmKat2& form) { return Bestaetigen(form, "VK_LP_02_2"); }
    std::string Kennung(long zeile, long spalte) { return Rechnungsumfeld::Kennung(Tabelle("VK_LP_02_2"), zeile, spalte); }
};

// A new dialog, and one opened on a hand-edited table too short to read back, show the job's defaults.
TEST_F(Kat2, OpensWithTheJobsDefaults) {
    for (bool kurzeTabelle : {false, true}) {
        if (kurzeTabelle) Gebuehrentabelle({{10, ""}}, "VK_LP_02_2");
        EXPECT_EQ(Zeigt(Form(), {"MaskEdBoxWert", "MaskEdBoxAnteil", "msk100", "optArt(0)"}),
                  (Zellen{"   25,00", "1000", " 7", "1"}));
        if (!kurzeTabelle) { EXPECT_EQ(Form().lblGebühr.Caption(), "    0,00"); }
        Form().Unload();
    }
}

TEST_F(Kat2, LandValueTakesTheCommaKeyAndEnterRecomputes) {
    frmKat2& form = Form();
    Setzen(form, "MaskEdBoxWert=1234,5");
    EXPECT_EQ(form.MaskEdBoxWert.Text(), "1.234,50");
    // A whole text (a script's value, a paste) reads as German number text, as in every other field:
    // 7 points at 1.250 €/m²: 190 + 10 × 11 = 300,00 each, part A 800,00.
    for (const char* text : {"1.250,00", "1.250"}) {
        Setzen(form, std::string("MaskEdBoxWert=") + text);
        EXPECT_EQ(form.MaskEdBoxWert.Text(), "1.250,00") << text;
        EXPECT_EQ(form.lblGebühr.Caption(), " 2.900,00") << text;
    }
    form.MaskEdBoxWert.SetFocus();
    form.MaskEdBoxWert.SetText("12");
    form.MaskEdBoxWert.SetSelStart(2);
    vk::ui::TasteDrücken(form, "MaskEdBoxWert", '.');
    EXPECT_EQ(form.MaskEdBoxWert.Text(), "   12,  ") << "the point went to Wert_Key and was swallowed";
    form.MaskEdBoxWert.SetText("     250");
    vk::ui::TasteDrücken(form, "MaskEdBoxWert", vk::ui::taste::Enter);
    EXPECT_EQ(form.lblGebühr.Caption(), " 2.130,00");  // 7 × 190,00 + 800,00
}

TEST_F(Kat2, FullLayoutWithMarkingAndBothExpenses) {
    frmKat2& form = Form();
    Eingeben(form, {"chkVUnterlagen=1", "chkÜbernahme=1"});
    EXPECT_EQ(Schreiben(form),
              (Zellen{"Grenzfeststellung und Abmarkungen|||||||", "Flst.Nr. 12/3|||||||", "Tarif- stelle|Bezeichnung||||||",
                      "11.1|Grenzfeststellung und Abmarkungen||||||", "|Bodenwert|   25,00 €/m²|||||",
                      "|Gebühr nach Staffel 3, Teil A|||  800,00 €|||",
                      "|Gebühr nach Staffel 3, Teil B| 7 in der Örtlichkeit überprüfte/hergestellte Grenzpunkte|"
                      "x   150,00 €|1.050,00 €|||",
                      "12.1|je abgemarkter Grenzpunkt| 7|x 10,00 €|   70,00 €|||", "|\rUmsatzsteuerfreie Auslagen||||||",
                      "9.1|Vermessungsunterlagen|||  154,00 €|||",
                      "14.3|Übernahmegebühr|8% der Teilgebühr B|min. 30,00 €|   84,00 €|||"}));
    // Fees carry the invoice rate, expenses are VAT-free.
    EXPECT_EQ((Zellen{Kennung(6, 5), Kennung(10, 5), Kennung(11, 5)}), (Zellen{"", "0", "0"}));
    vk::word::Table t = Tabelle("VK_LP_02_2");
    EXPECT_EQ(t.Cell(1, 1).Range().Bold(), vk::word::wdTrue);
    Breiten(t, {{1, 1, 13.5}, {2, 4, 0.5}, {3, 3, 1.0}, {3, 5, 2.87}, {6, 2, 5.6}, {6, 5, 2.5}, {10, 4, 3.1},
                {10, 5, 3.0}, {10, 6, 2.5}, {11, 6, 3.0}, {11, 7, 0.3}});
    EXPECT_EQ(Zeilen(Summentabelle()).front(), " |Summe||   2.158,00 €");
}

// Each case: the preview while typing, the rows of the table it writes, and the dialog opened again
// on that table: the inputs and the preview come back, and confirming unchanged writes the same
// table with the same tags. 7 points at 25 €/m² unless set: 150,00 a point, part A 800,00.
// The preview is part B × points + part A, 70 % of it for a subsequent marking, 60 € a point in a
// cadastre renewal, then the share (blank or 0 is the whole, as in the table); 0 points give 0,00.
TEST_F(Kat2, PreviewRowsWrittenAndReadBack) {
    const std::string teilA = "|Gebühr nach Staffel 3, Teil A|||";
    struct Fall {
        std::vector<const char*> eingaben;
        const char* vorschau;  // nullptr: not worked out here
        std::size_t zeilen;    // rows written, 0: not checked
        std::vector<std::pair<std::size_t, std::string>> erwartet;  // index and text of a row
        const char* anteil = nullptr;  // the share field shown again
    };
    const Fall fälle[] = {
        {{"optArt(1)=1"}, " 1.295,00", 0, {}},
        {{"MaskEdBoxAnteil=333"}, "   616,67", 0, {}},
        {{"MaskEdBoxAnteil=333", "MaskEdBoxAnteil="}, " 1.850,00", 8, {{5, teilA + "  800,00 €|||"}}},
        {{"optArt(1)=1", "msk100=0"}, "     0,00", 0, {}},
        {{"optArt(2)=1", "msk100=0"}, "     0,00", 0, {}},
        {{"msk100=0"}, "     0,00", 8,
         {{5, teilA + "    0,00 €|||"},
          {6, "|Gebühr nach Staffel 3, Teil B| 0 in der Örtlichkeit überprüfte/hergestellte "
              "Grenzpunkte|x     0,00 €|    0,00 €|||"}}},
        {{"msk100=51"}, nullptr, 8, {{5, teilA + "2.000,00 €|||"}}},
        {{"optArt(2)=1", "msk100=12"}, "   720,00", 8,
         {{3, "12.3|Abmarkungen im Zusammenhang mit einer Katastererneuerung||||||"},
          {5, "|Keine Gebühr nach Staffel 3, Teil A|||    0,00 €|||"},
          {6, "|Gebühr nach Staffel 3, Teil B|12 in der Örtlichkeit überprüfte/hergestellte Grenzpunkte|"
              "x    60,00 €|  720,00 €|||"},
          {7, "|||||||"}}},  // no marking row
        {{"optArt(1)=1", "msk100=12"}, nullptr, 8,
         {{3, "12.2|Nachträgliche Abmarkungen||||||"}, {5, "|Gebühr nach Staffel 3, Teil A (70%)|||  700,00 €|||"}}},
        {{"optArt(1)=1", "msk100=12", "chkÜbernahme=1"}, nullptr, 10,
         {{6, "|Gebühr nach Staffel 3, Teil B|12 in der Örtlichkeit überprüfte/hergestellte Grenzpunkte|x   140,00 €|"
              "1.680,00 €|||"},
          {7, "|\rUmsatzsteuerfreie Auslagen||||||"}}},
        // Few points at a low land value: the take-over fee's minimum.
        {{"optArt(2)=1", "msk100=1", "chkÜbernahme=1"}, nullptr, 10,
         {{8, "14.3|Übernahmegebühr|8% der Teilgebühr B|min. 30,00 €|   30,00 €|||"}}},
        // More than the whole, or 0 (a blank share: above): the full layout.
        {{"MaskEdBoxAnteil=1200"}, nullptr, 8, {{5, teilA + "  800,00 €|||"}}},
        {{"MaskEdBoxAnteil=0"}, " 1.850,00", 8, {{5, teilA + "  800,00 €|||"}}},
        // A negative land value is priced and printed as 0 €/m²: 140,00 a point, never a negative one.
        {{"MaskEdBoxWert=-3000"}, " 1.780,00", 8,
         {{4, "|Bodenwert|    0,00 €/m²|||||"},
          {6, "|Gebühr nach Staffel 3, Teil B| 7 in der Örtlichkeit überprüfte/hergestellte Grenzpunkte|"
              "x   140,00 €|  980,00 €|||"}}},
        {{"chkVUnterlagen=1", "chkÜbernahme=1", "MaskEdBoxWert=1234,5"}, nullptr, 0, {}, "1000"},
        {{"optArt(1)=1", "msk100=12", "chkÜbernahme=1", "MaskEdBoxAnteil=333"}, nullptr, 0, {}, " 333"},
        {{"optArt(2)=1", "msk100=3", "MaskEdBoxAnteil=500", "chkVUnterlagen=1"}, nullptr, 0, {}, " 500"},
        {{"TextboxFlst=Flst.Nr. 7/1 und 7/2", "MaskEdBoxAnteil=0", "msk100=55"}, nullptr, 0, {}, "1000"},
    };
    const auto zustand = [](frmKat2& f) {
        return Zeigt(f, {"optArt(0)", "optArt(1)", "optArt(2)", "chkVUnterlagen", "chkÜbernahme", "lblGebühr",
                         "MaskEdBoxWert.Enabled"});
    };
    const auto kennungen = [&](std::size_t zeilen) {
        Zellen k;
        for (long r = 1; r <= static_cast<long>(zeilen); ++r) k.push_back(Kennung(r, 5));
        return k;
    };
    for (const Fall& fall : fälle) {
        SCOPED_TRACE(::testing::PrintToString(fall.eingaben));
        frmKat2& form = Form();
        Eingeben(form, fall.eingaben);
        if (fall.vorschau) { EXPECT_EQ(form.lblGebühr.Caption(), fall.vorschau); }
        EXPECT_EQ(form.MaskEdBoxWert.Enabled(), form.optArt.Gewählt() != 2) << "a renewal ignores the land value";
        const Zellen vorher = zustand(form);
        const auto z = Schreiben(form);
        if (fall.zeilen) { ASSERT_EQ(z.size(), fall.zeilen); }
        for (const auto& [index, zeile] : fall.erwartet) EXPECT_EQ(z[index], zeile) << index;
        const Zellen tags = kennungen(z.size());

        frmKat2& wieder = Form();
        EXPECT_EQ(zustand(wieder), vorher);
        if (fall.anteil) { EXPECT_EQ(wieder.MaskEdBoxAnteil.Text(), fall.anteil); }
        EXPECT_EQ(Schreiben(wieder), z);
        EXPECT_EQ(kennungen(z.size()), tags);
        EXPECT_EQ(doc_->Tables().Count(), 2) << "one fee table and the totals";
        Tabelle("VK_LP_02_2").Delete();
    }
}

TEST_F(Kat2, ShareLayoutPutsTheClientsShareInTheAmountColumn) {
    frmKat2& form = Form();
    Eingeben(form, {"MaskEdBoxAnteil=333", "chkVUnterlagen=1", "chkÜbernahme=1"});
    const auto z = Schreiben(form);
    // Fees 800,00 + 1.050,00 + 70,00 = 1.920,00, a third 640,00; expenses 154,00 + 84,00, a third 79,33.
    ASSERT_EQ(z.size(), 14u);
    EXPECT_EQ(Kennung(12, 8), "") << "undivided expenses are not summed";
    EXPECT_EQ(Kennung(14, 5), "0");
    EXPECT_EQ(z[5], "|Gebühr nach Staffel 3, Teil A|||||  800,00 €|");
    EXPECT_EQ(z[7], "12.1|je abgemarkter Grenzpunkt| 7|x 10,00 €|||   70,00 €|");
    EXPECT_EQ(z[8], "|Zwischensumme\r|||||1.920,00 €|");
    EXPECT_EQ(z[9], "|Ihr Anteil beträgt 333/1000\r33,33 % von 1.920,00 €|||  640,00 €|||");
    EXPECT_EQ(z[10], "|\rUmsatzsteuerfreie Auslagen||||||");
    EXPECT_EQ(z[11], "9.1|Vermessungsunterlagen||||||  154,00 €");
    EXPECT_EQ(z[12], "14.3|Übernahmegebühr|8% der Teilgebühr B|min. 30,00 €||||   84,00 €")
        << "8 % of part B, not divided by the share";
    EXPECT_EQ(z[13], "|anteilige Auslagen \r33,33 % von   238,00 €|||   79,33 €|||");
    // Every amount cell of this layout starts where the fee amounts of column 7 start.
    vk::word::Table t = Tabelle("VK_LP_02_2");
    auto links = [&](long zeile, long spalte) {
        double x = 0;
        for (long c = 1; c < spalte; ++c) x += t.Cell(zeile, c).Width();
        return x;
    };
    EXPECT_NEAR(links(6, 7), vk::word::Application::CentimetersToPoints(15.0), 0.1);
    for (auto [zeile, spalte] : {std::pair{10L, 5L}, {12L, 8L}, {13L, 8L}, {14L, 5L}})
        EXPECT_NEAR(links(zeile, spalte), links(6, 7), 0.1) << zeile;

    // The invoice sees exactly the client's share: of the fees at the VAT rate, of the expenses without.
    const auto summe = Zeilen(Summentabelle());
    EXPECT_EQ(summe.front(), " |Summe||     719,33 €");
    EXPECT_EQ(summe[1], "|Mehrwertsteuer 19 %|     640,00 €|     121,60 €");
}

}  // namespace
}  // namespace vktest
