// The command line with the parcel-formation and boundary-determination dialogs on one invoice: a
// division with half a share and a boundary determination with a client's third and both expenses,
// replayed by control names, each written again unchanged from its own table, both rendered by
// LibreOffice with positions and share amounts on the page.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "../dao/testdatenbank.h"
#include "druck.h"

namespace vktest {
namespace {

std::string Ausführen(const std::string& befehl, int* status = nullptr) {
    FILE* p = ::popen((befehl + " 2>&1").c_str(), "r");
    std::string ausgabe;
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) ausgabe.append(puffer.data(), n);
    const int rc = ::pclose(p);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return ausgabe;
}

// Whether one line of the text holds all the parts.
bool AufEinerZeile(const std::string& text, std::initializer_list<const char*> teile) {
    std::istringstream zeilen(text);
    for (std::string z; std::getline(zeilen, z);) {
        bool alle = true;
        for (const char* teil : teile) alle = alle && z.find(teil) != std::string::npos;
        if (alle) return true;
    }
    return false;
}

TEST(KommandozeileTeilungUndGrenze, BothOnOneInvoiceWrittenAgainUnchangedAndLaidOut) {
    TempOrdner ordner;
    const std::string vk = VK_CLI_BINARY;
    int status = -1;
    Ausführen(vk + " demo '" + ordner.Pfad().string() + "'", &status);
    ASSERT_EQ(status, 0);
    const auto doc = ordner / "Rechnung2.docx";
    std::filesystem::copy_file(ordner / "Vorlage.docx", doc);
    const auto anwenden = [&](const std::string& args) {
        const std::string aus = Ausführen(vk + " apply --db '" + (ordner / "buero.sqlite").string() +
                                              "' --user 1 --invoice 1 --doc '" + doc.string() + "' " + args,
                                          &status);
        EXPECT_EQ(status, 0) << aus;
        return aus;
    };
    const auto tabelle = [](const std::string& aus) { return aus.substr(0, aus.find("totals:")); };

    const std::string teilung = anwenden(
        "--category 0 --property Flurstücksnummer=7/1 --property Fläche=500 --property Bodenwert=25 "
        "--property AnzahlGrenzpunkte=4 --set 'GridGebühren1(2,3)=300' --set 'GridGebühren1(2,1)=Flst.Nr. 7/2' "
        "--set MaskEdBoxAnteil=500 --set chkUnterlagen=1");
    for (const char* teil : {"| Flst.Nr. 7/2 |   300 |     25,00 |  7.500,00 | ja |", "| 10.1 | Zerlegungsmessung |",
                             "| 10.1.1 | Gebühr nach Staffel 1 | 1 | x 1.600,00 € |  |  | 1.600,00 € |",
                             "Ihr Anteil beträgt 500/1000", "| 1.072,00 € |", "|   154,00 €",
                             "Rechnungsbetrag |  |    1.352,68 €"})
        EXPECT_NE(teilung.find(teil), std::string::npos) << teil << "\n" << teilung;
    const std::string grenze = anwenden("--category 1 --property Bodenwert=25 --property AnzahlGrenzpunkte=7 "
                                        "--set MaskEdBoxAnteil=333 --set chkVUnterlagen=1 --set chkÜbernahme=1");
    // The totals see both tables: 1.149,00 € of the division and the client's 719,33 €.
    for (const char* teil : {"|   640,00 € |", "|    79,33 € |", "Summe |  |    1.868,33 €"})
        EXPECT_NE(grenze.find(teil), std::string::npos) << teil << "\n" << grenze;

    // Each opened on its own table and confirmed unchanged: the same table and totals.
    EXPECT_EQ(anwenden("--category 1 --choose 1"), grenze);
    EXPECT_EQ(tabelle(anwenden("--category 0 --choose 1")), tabelle(teilung));

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Druck pdf = Drucken(ordner.Pfad(), "Rechnung2.docx");
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    const std::string& text = pdf.text;
    // The narrow position column puts number, text and amount of a position on one line.
    EXPECT_TRUE(AufEinerZeile(text, {"10.1.1", "Gebühr nach Staffel 1", "1.600,00 €"})) << pdf;
    EXPECT_TRUE(AufEinerZeile(text, {"Ihr Anteil beträgt 500/1000", "1.072,00 €"})) << pdf;
    EXPECT_TRUE(AufEinerZeile(text, {"Flst.Nr. 7/2", "7.500,00"})) << pdf;
    EXPECT_TRUE(AufEinerZeile(text, {"Zerlegungsmessung"})) << pdf;
    EXPECT_TRUE(AufEinerZeile(text, {"Ihr Anteil beträgt 333/1000", "640,00 €"})) << pdf;
    for (const char* teil : {"84,00 €", "79,33 €", "1.868,33 €"})
        EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << pdf;
}

}  // namespace
}  // namespace vktest
