// The command line with the parcel-formation dialog: a division applied to an invoice by control
// names, written again unchanged from its own table, and rendered by LibreOffice.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "../dao/testdatenbank.h"

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

TEST(KommandozeileTeilung, ApplyWritesTheTableAndLibreOfficeRendersItsPositions) {
    TempOrdner ordner;
    const std::string vk = VK_CLI_BINARY;
    int status = -1;
    Ausführen(vk + " demo '" + ordner.Pfad().string() + "'", &status);
    ASSERT_EQ(status, 0);
    const auto doc = ordner / "Teilung.docx";
    std::filesystem::copy_file(ordner / "Vorlage.docx", doc);
    const std::string basis = vk + " apply --db '" + (ordner / "buero.sqlite").string() +
                              "' --user 1 --invoice 1 --doc '" + doc.string() + "' --category 0 ";

    const std::string aus = Ausführen(
        basis + "--property Flurstücksnummer=7/1 --property Fläche=500 --property Bodenwert=25 "
                "--property AnzahlGrenzpunkte=4 --set 'GridGebühren1(2,3)=300' --set 'GridGebühren1(2,1)=Flst.Nr. 7/2' "
                "--set MaskEdBoxAnteil=500 --set chkUnterlagen=1",
        &status);
    ASSERT_EQ(status, 0) << aus;
    for (const char* teil : {"| Flst.Nr. 7/2 |   300 |     25,00 |  7.500,00 | ja |", "| 10.1 | Zerlegungsmessung |",
                             "| 10.1.1 | Gebühr nach Staffel 1 | 1 | x 1.600,00 € |  |  | 1.600,00 € |",
                             "Ihr Anteil beträgt 500/1000", "| 1.072,00 € |", "|   154,00 €",
                             "Rechnungsbetrag |  |    1.352,68 €"})
        EXPECT_NE(aus.find(teil), std::string::npos) << teil << "\n" << aus;

    // Opened on its own table and confirmed unchanged: the same table.
    EXPECT_EQ(Ausführen(basis + "--choose 1", &status), aus);

    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    const std::string text = Ausführen("cd '" + ordner.Pfad().string() + "' && HOME='" + ordner.Pfad().string() +
                                           "' soffice --headless --convert-to pdf Teilung.docx >/dev/null 2>&1 && "
                                           "pdftotext -layout Teilung.pdf -",
                                       &status);
    ASSERT_EQ(status, 0) << text;
    // The narrow position column puts number, text and amount of a position on one line.
    EXPECT_TRUE(AufEinerZeile(text, {"10.1.1", "Gebühr nach Staffel 1", "1.600,00 €"})) << text;
    EXPECT_TRUE(AufEinerZeile(text, {"Ihr Anteil beträgt 500/1000", "1.072,00 €"})) << text;
    EXPECT_TRUE(AufEinerZeile(text, {"Flst.Nr. 7/2", "7.500,00"})) << text;
    EXPECT_TRUE(AufEinerZeile(text, {"Zerlegungsmessung"})) << text;
}

}  // namespace
}  // namespace vktest
