// vk apply on the demo template, one invoice per case: the dialogs replayed by control names, the
// table and totals written, each table opened again on its own and confirmed unchanged, and the
// saved invoice as LibreOffice lays it out, the cells of each position on one line of the page, its
// euro sign included, and the payment target on a line to itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "../common/protokoll_hilfe.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

struct Schritt {
    int kategorie;
    std::string eingaben;              // --property, --set and --json arguments
    std::vector<const char*> ausgabe;  // parts of the table and totals printed
};

struct Rechnung {
    const char* datei;
    std::vector<Schritt> schritte;               // applied in order to the one invoice
    std::vector<std::vector<const char*>> zeilen;  // parts that stand on one line of the printed page (a part
                                                   // given twice stands there twice)
};

const Rechnung kRechnungen[] = {
    // A division with half a share, then a boundary determination with a client's third and both
    // expenses: the totals see both tables, 1.149,00 € of the division and the client's 719,33 €.
    {"Teilung.docx",
     {{0,
       "--property Flurstücksnummer=7/1 --property Fläche=500 --property Bodenwert=25 --property AnzahlGrenzpunkte=4 "
       "--set 'GridGebühren1(2,3)=300' --set 'GridGebühren1(2,1)=Flst.Nr. 7/2' --set MaskEdBoxAnteil=500 "
       "--set chkUnterlagen=1",
       {"| Flst.Nr. 7/2 |   300 |     25,00 |  7.500,00 | ja |", "| 10.1 | Zerlegungsmessung |",
        "| 10.1.1 | Gebühr nach Staffel 1 | 1 | x 1.600,00 € |  |  | 1.600,00 € |", "Ihr Anteil beträgt 500/1000",
        "| 1.072,00 € |", "|   154,00 €", "Rechnungsbetrag |  |    1.352,68 €"}},
      {1,
       "--property Bodenwert=25 --property AnzahlGrenzpunkte=7 --set MaskEdBoxAnteil=333 --set chkVUnterlagen=1 "
       "--set chkÜbernahme=1",
       {"|   640,00 € |", "|    79,33 € |", "Summe |  |    1.868,33 €"}}},
     // The narrow position column puts number, text and amount of a position on one line.
     {{"10.1.1", "Gebühr nach Staffel 1", "1.600,00 €"},
      {"Ihr Anteil beträgt 500/1000", "1.072,00 €"},
      {"Flst.Nr. 7/2", "7.500,00"},
      {"Ihr Anteil beträgt 333/1000", "640,00 €"},
      {"Zerlegungsmessung"}, {"84,00 €"}, {"79,33 €"}, {"1.868,33 €"}}},
    // A building survey with a half share in its second row, break points and both expenses.
    {"Gebaeude.docx",
     {{2,
       "--property Flurstücksnummer=12/3 --property Baukosten=200000 --set 'GridGebühren(2,4)=500' "
       "--set mskBrechpunkte=4 --set chkVUnterlagen=1 --set chkÜbernahme=1 --json",
       {"\"Flst.Nr. 12/3\\u000bBetrag :  €   475,00 Ihr Anteil 500/1000\"", "\"  237,50 €\"", "\"    4 Brechpunkte\"",
        "\"  140,00 €\"", "\"52,00 €\"", "\"   71,25 €\"", "\"     975,75 €\"", "\"   1.137,73 €\""}}},
     {{"Einmessung von Gebäuden", "Wert", "Anzahl"},
      {"Flst.Nr. 12/3", "200.000,00", "475,00 €"},
      {"Nutzungsartengrenzen", "4 Brechpunkte", "140,00 €"},
      {"9.3", "Vermessungsunterlagen", "52,00 €"},
      {"14.4", "Übernahmegebühr", "71,25 €"},
      {"Ihr Anteil"}}},
    // A road of 1200 m with two parcels split off (each row: Kat4.OneSectionOnEitherSide).
    {"Strasse.docx",
     {{3, "--property Flurstücksnummer=77 --property Achslänge=1200 --set 'GridGebühren(1,5)=2' --set chkVUnterlagen=1",
       {"| Flst.Nr. 77 | II  \t1.200 | Seite 1 |   2\t\t1.200 x 1,0/10 = 120 |", "| Summe |  |   10.964,00 €"}}},
     {{"Tarifstelle 10.2"}, {"Grundgebühr"}, {"1.540,00 €"}, {"8.760,00 €"},
      {"274,00 €"}, {"Umsatzsteuerfreie"}, {"390,00 €"}, {"Rechnungsbetrag"}}},
    // Amounts of six digits before the comma in every category's table and in the totals.
    {"Gross.docx",
     {// 2 × 9.000.000 m² at 0,05 €/m²: Staffel 1, column up to 1,00 €/m², 3700 + 390 × 358 started
      // 50.000 m² above 100.000 m² = 143.320,00; 99 points × 0,8 × 115,00 = 9.108,00; documents 154,00
      {0,
       "--property Flurstücksnummer=7/1 --set 'GridGebühren1(1,3)=9000000' --set 'GridGebühren1(1,4)=0,05' "
       "--set 'GridGebühren1(2,1)=Flst.Nr. 7/2' --set 'GridGebühren1(2,3)=9000000' --set 'GridGebühren1(2,4)=0,05' "
       "--set MaskEdBoxGrenzpunkte=99 --set chkUnterlagen=1",
       {}},
      // 99 points at 10.000 €/m²: part A 2.000,00; part B 130 + 10 × 98 = 1.110,00 per point, 109.890,00;
      // marking 99 × 10,00 = 990,00; documents 154,00; take-over 8 % of part B = 8.791,20
      {1, "--property Flurstücksnummer=7/1 --set MaskEdBoxWert=10000 --set msk100=99 --set chkVUnterlagen=1 --set chkÜbernahme=1",
       {}},
      // 99 buildings of 999.999 € at 1.250,00 = 123.750,00; 40 break points × 35,00 = 1.400,00; documents 52,00
      {2,
       "--property Flurstücksnummer=7/1 --property Baukosten=999999 --set 'GridGebühren(1,3)=99' --set mskBrechpunkte=40 "
       "--set chkVUnterlagen=1",
       {}},
      // 15 km: 15 × 770 = 11.550,00; 1.500 × 73,00 = 109.500,00; 99 × 137,00 = 13.563,00; 30 × 130,00 = 3.900,00
      {3, "--property Flurstücksnummer=77 --property Achslänge=15000 --set 'GridGebühren(1,5)=99' --set chkVUnterlagen=1", {}},
      // 700 copies with inspection × 150,00 = 105.000,00
      {4, "--set chkOrt=1 --set mskMehrfach=700", {}},
      // 1300 h × 84,00 = 109.200,00; 300 km × 0,55 = 165,00; cadastral documents 52,00. Taxable 152.428 +
      // 112.880 + 125.150 + 134.613 + 105.000 + 109.417 = 739.488,00; VAT-free expenses 154 + 154 + 8.791,20
      // + 52 + 3.900 = 13.051,20; VAT 19 % 140.502,72.
      {5,
       "--set 'GridGebühren(1,2)=1300' --set 'GridGebühren(2,1)=Kraftfahrzeug' --set 'GridGebühren(2,2)=300' "
       "--set unterlagenCheck=1",
       {"| Summe |  |  752.539,20 €", "| Mehrwertsteuer 19 % |  739.488,00 € |  140.502,72 €",
        "| Rechnungsbetrag |  |  893.041,92 €"}}},
     {{"10.1.1", "Gebühr nach Staffel 1", "x 143.320,00 €", "143.320,00 €", "143.320,00 €"},
      {"11.4", "Gebühr nach Staffel 3, Teil B", "9.108,00 €"},
      {"Gebühr nach Staffel 3, Teil A", "2.000,00 €"},
      {"Gebühr nach Staffel 3, Teil B", "x 1.110,00 €", "109.890,00 €"},
      {"14.3", "Übernahmegebühr", "8.791,20 €"},
      {"Flst.Nr. 7/1", "999.999,00", "123.750,00 €"},
      {"A. Grundgebühr", "15 x 770 €", "11.550,00 €"},
      {"B. Teilgebühr", "1.500 x 73,00", "109.500,00 €"},
      {"C. Teilgebühr", "99 x 137,00 €", "13.563,00 €"},
      {"Anzahl Mehrfachausfertigungen:", "700", "105.000,00 €"},
      {"15.1.1", "1300 h", "84,00 €", "109.200,00 €"},
      {"Summe", "752.539,20 €"},
      {"Mehrwertsteuer 19 %", "739.488,00 €", "140.502,72 €"},
      {"Rechnungsbetrag", "893.041,92 €"}}},
};

void PrintTo(const Rechnung& r, std::ostream* aus) { *aus << r.datei; }

// What `vk apply` printed: the table, and the totals from their heading on.
std::pair<std::string, std::string> TabelleUndSummen(const std::string& ausgabe) {
    const std::size_t summen = ausgabe.find("Summen:");
    return {ausgabe.substr(0, summen), summen == std::string::npos ? "" : ausgabe.substr(summen)};
}

class KommandozeileKategorien : public ::testing::TestWithParam<Rechnung> {};

TEST_P(KommandozeileKategorien, AppliedConfirmedUnchangedAndLaidOut) {
    const Rechnung& r = GetParam();
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, r.datei);
    ASSERT_NE(apply, "");
    std::vector<std::string> tabellen;
    std::string summen;
    for (const Schritt& s : r.schritte) {
        const Lauf e = Vk(apply + "--category " + std::to_string(s.kategorie) + " " + s.eingaben);
        ASSERT_EQ(e.status, 0) << s.eingaben << "\n" << e.ausgabe;
        for (const char* teil : s.ausgabe) EXPECT_NE(e.ausgabe.find(teil), std::string::npos) << teil << "\n" << e.ausgabe;
        tabellen.push_back(TabelleUndSummen(e.ausgabe).first);
        summen = TabelleUndSummen(e.ausgabe).second;
    }
    // Each opened on its own table and confirmed unchanged: the same table, the same totals.
    for (std::size_t i = 0; i < r.schritte.size(); ++i) {
        const Schritt& s = r.schritte[i];
        const bool json = s.eingaben.find("--json") != std::string::npos;
        const Lauf e = Vk(apply + "--category " + std::to_string(s.kategorie) + " --choose 1" + (json ? " --json" : ""));
        ASSERT_EQ(e.status, 0) << e.ausgabe;
        EXPECT_EQ(TabelleUndSummen(e.ausgabe).first, tabellen[i]) << "category " << s.kategorie;
        EXPECT_EQ(TabelleUndSummen(e.ausgabe).second, summen) << "category " << s.kategorie;
    }

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Druck pdf = Drucken(ordner.Pfad(), r.datei);
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    for (const auto& zeile : r.zeilen) {
        std::string teile;
        for (const char* t : zeile) teile += std::string(t) + " | ";
        const std::string gefunden = ZeileMit(pdf.text, zeile);
        EXPECT_NE(gefunden, "") << teile << "\n" << pdf;
        for (const char* t : zeile)
            EXPECT_GE(vk::test::Vorkommen(gefunden, t), std::count(zeile.begin(), zeile.end(), std::string_view(t))) << teile;
    }
    // A wrapped amount leaves its euro sign at the start of a line.
    std::istringstream zeilen(pdf.text);
    for (std::string z; std::getline(zeilen, z);)
        EXPECT_FALSE(std::regex_search(z, std::regex(R"(^\f?\s*€)"))) << "[" << z << "]\n" << pdf;
    const std::string zahlung = ZeileMit(pdf.text, {"Bitte zahlen Sie"});
    EXPECT_TRUE(std::regex_match(
        zahlung, std::regex(R"(\f?\s*Bitte zahlen Sie den Rechnungsbetrag bis zum\s+\d\d\.\d\d\.\d{4}\s+ohne Abzug\.\s*)")))
        << "[" << zahlung << "]\n" << pdf;
}

INSTANTIATE_TEST_SUITE_P(Rechnungen, KommandozeileKategorien, ::testing::ValuesIn(kRechnungen),
                         [](const auto& info) {
                             const std::string datei = info.param.datei;
                             return datei.substr(0, datei.find('.'));
                         });

}  // namespace
}  // namespace vktest
