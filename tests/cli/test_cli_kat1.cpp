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

std::string Ausfuehren(const std::string& befehl, int& status) {
    std::string ausgabe;
    FILE* p = ::popen((befehl + " 2>&1").c_str(), "r");
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) ausgabe.append(puffer.data(), n);
    const int rc = ::pclose(p);
    status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return ausgabe;
}

class Teilung : public ::testing::Test {
protected:
    void SetUp() override {
        int status = 0;
        Vk("demo '" + ordner_.Pfad().string() + "'", status);
        ASSERT_EQ(status, 0);
        std::filesystem::copy_file(ordner_ / "Vorlage.docx", doc_);
    }
    std::string Vk(const std::string& args, int& status) {
        return Ausfuehren(std::string(VK_CLI_BINARY) + " " + args, status);
    }
    std::string Anwenden(const std::string& args) {
        int status = 0;
        std::string aus = Vk("apply --db '" + (ordner_ / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" +
                                 doc_.string() + "' --category 0 " + args,
                             status);
        EXPECT_EQ(status, 0) << aus;
        return aus;
    }
    TempOrdner ordner_;
    std::filesystem::path doc_ = ordner_ / "Teilung.docx";
};

TEST_F(Teilung, ApplyWritesTheTableAndLibreOfficeRendersItsPositions) {
    const std::string aus = Anwenden(
        "--property Flurstücksnummer=7/1 --property Fläche=500 --property Bodenwert=25 --property AnzahlGrenzpunkte=4 "
        "--set 'GridGebühren1(2,3)=300' --set 'GridGebühren1(2,1)=Flst.Nr. 7/2' --set MaskEdBoxAnteil=500 "
        "--set chkUnterlagen=1");
    for (const char* teil : {"| Flst.Nr. 7/2 |   300 |     25,00 |  7.500,00 | ja |", "| 10.1 | Zerlegungsmessung |",
                             "| 10.1.1 | Gebühr nach Staffel 1 | 1 | x 1.600,00 € |  |  | 1.600,00 € |",
                             "Ihr Anteil beträgt 500/1000", "| 1.072,00 € |", "|   154,00 €",
                             "Rechnungsbetrag |  |    1.352,68 €"})
        EXPECT_NE(aus.find(teil), std::string::npos) << teil << "\n" << aus;

    // Opened on its own table and confirmed unchanged: the same table.
    const std::string wieder = Anwenden("--choose 1");
    EXPECT_EQ(wieder, aus);

    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    int status = 0;
    const std::string text = Ausfuehren("cd '" + ordner_.Pfad().string() + "' && HOME='" + ordner_.Pfad().string() +
                                            "' soffice --headless --convert-to pdf Teilung.docx >/dev/null 2>&1 && "
                                            "pdftotext -layout Teilung.pdf -",
                                        status);
    ASSERT_EQ(status, 0) << text;
    // The narrow position column puts number, text and amount of a position on one line.
    bool staffel = false, anteil = false, parzelle = false;
    std::istringstream zeilen(text);
    for (std::string z; std::getline(zeilen, z);) {
        staffel |= z.find("10.1.1") != std::string::npos && z.find("Gebühr nach Staffel 1") != std::string::npos &&
                   z.find("1.600,00 €") != std::string::npos;
        anteil |= z.find("Ihr Anteil beträgt 500/1000") != std::string::npos && z.find("1.072,00 €") != std::string::npos;
        parzelle |= z.find("Flst.Nr. 7/2") != std::string::npos && z.find("7.500,00") != std::string::npos;
    }
    EXPECT_TRUE(staffel) << text;
    EXPECT_TRUE(anteil) << text;
    EXPECT_TRUE(parzelle) << text;
    EXPECT_NE(text.find("Zerlegungsmessung"), std::string::npos) << text;
}

}  // namespace
}  // namespace vktest
