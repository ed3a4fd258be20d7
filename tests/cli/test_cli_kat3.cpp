// The building survey through the command line: replayed by control name, saved, re-opened on its
// own table and confirmed unchanged, and the saved invoice as LibreOffice lays it out.
#include <gtest/gtest.h>

#include "rechnungsordner.h"

namespace vktest {
namespace {

TEST(KommandozeileGebaeude, BuildingSurveyIsWrittenReadBackAndLaidOut) {
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, "Gebaeude.docx", 2);
    ASSERT_NE(apply, "");

    auto e = Ausführen(apply + "--property Flurstücksnummer=12/3 --property Baukosten=200000 "
                                 "--set 'GridGebühren(2,4)=500' --set mskBrechpunkte=4 --set chkVUnterlagen=1 "
                                 "--set chkÜbernahme=1 --json");
    ASSERT_EQ(e.status, 0) << e.ausgabe;
    for (const char* teil : {"\"Flst.Nr. 12/3\\u000bBetrag :  €   475,00 Ihr Anteil 500/1000\"", "\"  237,50 €\"",
                             "\"    4 Brechpunkte\"", "\"  140,00 €\"", "\"52,00 €\"", "\"   71,25 €\"",
                             "\"     975,75 €\"", "\"   1.137,73 €\""})
        EXPECT_NE(e.ausgabe.find(teil), std::string::npos) << teil << "\n" << e.ausgabe;

    auto wieder = Ausführen(apply + "--choose 1 --json");
    ASSERT_EQ(wieder.status, 0) << wieder.ausgabe;
    EXPECT_EQ(wieder.ausgabe, e.ausgabe) << "confirmed unchanged: the same table and totals";

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Druck pdf = Drucken(ordner.Pfad(), "Gebaeude.docx");
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    // Each position's cells stand on one line of the page.
    EXPECT_NE(ZeileMit(pdf.text, {"Einmessung von Gebäuden", "Wert", "Anzahl"}), "") << pdf;
    EXPECT_NE(ZeileMit(pdf.text, {"Flst.Nr. 12/3", "200.000,00", "475,00 €"}), "") << pdf;
    EXPECT_NE(ZeileMit(pdf.text, {"Nutzungsartengrenzen", "4 Brechpunkte", "140,00 €"}), "") << pdf;
    EXPECT_NE(ZeileMit(pdf.text, {"9.3", "Vermessungsunterlagen", "52,00 €"}), "") << pdf;
    EXPECT_NE(ZeileMit(pdf.text, {"14.4", "Übernahmegebühr", "71,25 €"}), "") << pdf;
    EXPECT_NE(pdf.text.find("Ihr Anteil"), std::string::npos) << pdf;
}

}  // namespace
}  // namespace vktest
