// The printed invoice with amounts of six digits before the comma: every category's table and the
// totals, built through the command line on the demo template and laid out by LibreOffice. Each
// amount stays on the line of its position, its euro sign included, and the payment target keeps
// its line to itself.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../common/protokoll_hilfe.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

TEST(KommandozeileDruck, SixDigitAmountsStayOnOneLineInEveryCategoryAndInTheTotals) {
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, "Gross.docx");
    ASSERT_NE(apply, "");
    const std::string kategorien[] = {
        // 2 × 9.000.000 m² at 0,05 €/m²: Staffel 1, column up to 1,00 €/m², 3700 + 390 × 358 started
        // 50.000 m² above 100.000 m² = 143.320,00; 99 points × 0,8 × 115,00 = 9.108,00; documents 154,00
        "--category 0 --property Flurstücksnummer=7/1 --set 'GridGebühren1(1,3)=9000000' "
        "--set 'GridGebühren1(1,4)=0,05' --set 'GridGebühren1(2,1)=Flst.Nr. 7/2' --set 'GridGebühren1(2,3)=9000000' "
        "--set 'GridGebühren1(2,4)=0,05' --set MaskEdBoxGrenzpunkte=99 --set chkUnterlagen=1",
        // 99 points at 10.000 €/m²: part A 2.000,00; part B 130 + 10 × 98 = 1.110,00 per point, 109.890,00;
        // marking 99 × 10,00 = 990,00; documents 154,00; take-over 8 % of part B = 8.791,20
        "--category 1 --property Flurstücksnummer=7/1 --set MaskEdBoxWert=10000 --set msk100=99 "
        "--set chkVUnterlagen=1 --set chkÜbernahme=1",
        // 99 buildings of 999.999 € at 1.250,00 = 123.750,00; 40 break points × 35,00 = 1.400,00; documents 52,00
        "--category 2 --property Flurstücksnummer=7/1 --property Baukosten=999999 --set 'GridGebühren(1,3)=99' "
        "--set mskBrechpunkte=40 --set chkVUnterlagen=1",
        // 15 km: 15 × 770 = 11.550,00; 1.500 × 73,00 = 109.500,00; 99 × 137,00 = 13.563,00; 30 × 130,00 = 3.900,00
        "--category 3 --property Flurstücksnummer=77 --property Achslänge=15000 --set 'GridGebühren(1,5)=99' "
        "--set chkVUnterlagen=1",
        // 700 copies with inspection × 150,00 = 105.000,00
        "--category 4 --set chkOrt=1 --set mskMehrfach=700",
        // 1300 h × 84,00 = 109.200,00; 300 km × 0,55 = 165,00; cadastral documents 52,00
        "--category 5 --set 'GridGebühren(1,2)=1300' --set 'GridGebühren(2,1)=Kraftfahrzeug' "
        "--set 'GridGebühren(2,2)=300' --set unterlagenCheck=1"};
    Lauf letzter;
    for (const std::string& k : kategorien) {
        letzter = Vk(apply + k);
        ASSERT_EQ(letzter.status, 0) << k << "\n" << letzter.ausgabe;
    }
    // Taxable 152.428 + 112.880 + 125.150 + 134.613 + 105.000 + 109.417 = 739.488,00; VAT-free expenses
    // 154 + 154 + 8.791,20 + 52 + 3.900 = 13.051,20; VAT 19 % 140.502,72.
    for (const char* teil : {"| Summe |  |  752.539,20 €", "| Mehrwertsteuer 19 % |  739.488,00 € |  140.502,72 €",
                             "| Rechnungsbetrag |  |  893.041,92 €"})
        EXPECT_NE(letzter.ausgabe.find(teil), std::string::npos) << teil << "\n" << letzter.ausgabe;

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Druck pdf = Drucken(ordner.Pfad(), "Gross.docx");
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    const std::string& text = pdf.text;
    const std::string staffel1 = ZeileMit(text, {"10.1.1", "Gebühr nach Staffel 1", "x 143.320,00 €"});
    EXPECT_EQ(vk::test::Vorkommen(staffel1, "143.320,00 €"), 2) << "[" << staffel1 << "]\n" << pdf;
    for (const std::vector<const char*>& zeile :
         {std::vector<const char*>{"11.4", "Gebühr nach Staffel 3, Teil B", "9.108,00 €"},
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
          {"Rechnungsbetrag", "893.041,92 €"}}) {
        std::string teile;
        for (const char* t : zeile) teile += std::string(t) + " | ";
        EXPECT_NE(ZeileMit(text, zeile), "") << teile << "\n" << pdf;
    }
    // A wrapped amount leaves its euro sign on a line of its own.
    std::istringstream zeilen(text);
    for (std::string z; std::getline(zeilen, z);)
        EXPECT_FALSE(std::regex_match(z, std::regex(R"(\f?\s*€\s*)"))) << pdf;
    const std::string zahlung = ZeileMit(text, {"Bitte zahlen Sie"});
    EXPECT_TRUE(std::regex_match(
        zahlung, std::regex(R"(\f?\s*Bitte zahlen Sie den Rechnungsbetrag bis zum\s+\d\d\.\d\d\.\d{4}\s+ohne Abzug\.\s*)")))
        << "[" << zahlung << "]\n" << pdf;
}

}  // namespace
}  // namespace vktest
