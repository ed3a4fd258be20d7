// vk apply on elongated installations: a road priced by replaying the dialog, re-opened and
// confirmed unchanged, and the table as LibreOffice prints it.
#include <gtest/gtest.h>

#include "rechnungsordner.h"

namespace vktest {
namespace {

TEST(KommandozeileKat4, RoadPricedReadBackAndPrinted) {
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, "Strasse.docx", 3);
    ASSERT_NE(apply, "");

    auto e = Ausführen(apply + "--property Flurstücksnummer=77 --property Achslänge=1200 "
                                 "--set 'GridGebühren(1,5)=2' --set chkVUnterlagen=1");
    ASSERT_EQ(e.status, 0) << e.ausgabe;
    for (const char* teil : {"| Flst.Nr. 77 | II  \t1.200 | Seite 1 |   2\t\t1.200 x 1,0/10 = 120 |",
                             "|   2 x 770 € | 1.540,00 €", "| 120 x 73,00  € | 8.760,00 €", "| 2 x 137,00 € |   274,00 €",
                             "| 9.2 | Vermessungsunterlagen | je halbem km | 130,00 € |   390,00 €",
                             "| Summe |  |   10.964,00 €"})
        EXPECT_NE(e.ausgabe.find(teil), std::string::npos) << teil << "\n" << e.ausgabe;

    auto wieder = Ausführen(apply + "--choose 1");
    ASSERT_EQ(wieder.status, 0) << wieder.ausgabe;
    EXPECT_EQ(wieder.ausgabe, e.ausgabe) << "confirmed unchanged: the same table and totals";

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Druck pdf = Drucken(ordner.Pfad(), "Strasse.docx");
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    for (const char* teil : {"Tarifstelle 10.2", "Grundgebühr", "1.540,00 €", "8.760,00 €", "274,00 €",
                             "Umsatzsteuerfreie", "390,00 €", "Rechnungsbetrag"})
        EXPECT_NE(pdf.text.find(teil), std::string::npos) << teil << "\n" << pdf;
}

}  // namespace
}  // namespace vktest
