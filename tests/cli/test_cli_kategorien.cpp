// vk apply on the demo template, one invoice per case: the dialogs replayed by control names, the
// table and totals written, each table opened again on its own and confirmed unchanged, and the
// saved invoice as LibreOffice lays it out, the cells of each position on one line of the page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    std::vector<std::vector<const char*>> zeilen;  // parts that stand on one line of the printed page
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
      {"Zerlegungsmessung"},
      {"Ihr Anteil beträgt 333/1000", "640,00 €"},
      {"84,00 €"},
      {"79,33 €"},
      {"1.868,33 €"}}},
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
     {{"Tarifstelle 10.2"},
      {"Grundgebühr"},
      {"1.540,00 €"},
      {"8.760,00 €"},
      {"274,00 €"},
      {"Umsatzsteuerfreie"},
      {"390,00 €"},
      {"Rechnungsbetrag"}}},
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
        EXPECT_NE(ZeileMit(pdf.text, zeile), "") << teile << "\n" << pdf;
    }
}

INSTANTIATE_TEST_SUITE_P(Rechnungen, KommandozeileKategorien, ::testing::ValuesIn(kRechnungen),
                         [](const auto& info) {
                             const std::string datei = info.param.datei;
                             return datei.substr(0, datei.find('.'));
                         });

}  // namespace
}  // namespace vktest
