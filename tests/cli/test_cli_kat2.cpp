// The boundary determination through the command line: a client's third with both expenses
// replayed by control name, the totals printed, the table confirmed again unchanged, and the share
// amounts on the page as LibreOffice lays the table out.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

TEST(KommandozeileGrenzfeststellung, AThirdWithBothExpensesPricedAndLaidOut) {
    TempOrdner ordner;
    const std::string vk = VK_CLI_BINARY;
    int status = -1;
    Ausführen(vk + " demo '" + ordner.Pfad().string() + "'", &status);
    ASSERT_EQ(status, 0);
    const auto doc = ordner / "Grenze.docx";
    std::filesystem::copy_file(ordner / "Vorlage.docx", doc);
    const std::string basis = vk + " apply --db '" + (ordner / "buero.sqlite").string() +
                              "' --user 1 --invoice 1 --doc '" + doc.string() + "' --category 1 ";

    auto e = Ausführen(basis + "--property Bodenwert=25 --property AnzahlGrenzpunkte=7 --set MaskEdBoxAnteil=333 "
                               "--set chkVUnterlagen=1 --set chkÜbernahme=1",
                       &status);
    ASSERT_EQ(status, 0) << e;
    for (const char* teil : {"|   640,00 € |", "|    79,33 € |", "Summe |  |      719,33 €"})
        EXPECT_NE(e.find(teil), std::string::npos) << teil << "\n" << e;

    // Re-opened on its table and confirmed unchanged: the same share and totals.
    auto wieder = Ausführen(basis + "--choose 1", &status);
    ASSERT_EQ(status, 0) << wieder;
    EXPECT_EQ(wieder, e);

    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    const std::string text = Ausführen("cd '" + ordner.Pfad().string() + "' && HOME='" + ordner.Pfad().string() +
                                       "' soffice --headless --convert-to pdf Grenze.docx >/dev/null 2>&1 && "
                                       "pdftotext -layout Grenze.pdf -");
    for (const char* teil : {"Ihr Anteil beträgt 333/1000", "640,00 €", "154,00 €", "84,00 €", "79,33 €", "719,33 €"})
        EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << text;
}

}  // namespace
}  // namespace vktest
