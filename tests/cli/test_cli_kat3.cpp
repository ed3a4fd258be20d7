// The building survey through the command line: replayed by control name, saved, re-opened on its
// own table and confirmed unchanged, and the saved invoice as LibreOffice lays it out.
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

struct Ausgabe {
    int status = -1;
    std::string text;
};

Ausgabe Ausführen(const std::string& befehl) {
    Ausgabe e;
    FILE* p = ::popen((befehl + " 2>&1").c_str(), "r");
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) e.text.append(puffer.data(), n);
    const int rc = ::pclose(p);
    e.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return e;
}

Ausgabe Vk(const std::string& args) { return Ausführen(std::string(VK_CLI_BINARY) + " " + args); }

// The line of a text that contains every one of the parts, empty when there is none.
std::string ZeileMit(const std::string& text, std::initializer_list<const char*> teile) {
    std::istringstream in(text);
    for (std::string zeile; std::getline(in, zeile);) {
        bool alle = true;
        for (const char* t : teile) alle = alle && zeile.find(t) != std::string::npos;
        if (alle) return zeile;
    }
    return {};
}

TEST(KommandozeileGebaeude, BuildingSurveyIsWrittenReadBackAndLaidOut) {
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo '" + ordner.Pfad().string() + "'").status, 0);
    const auto doc = ordner / "Gebaeude.docx";
    std::filesystem::copy_file(ordner / "Vorlage.docx", doc);
    const std::string basis = "apply --db '" + (ordner / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" +
                              doc.string() + "' --category 2 ";

    auto e = Vk(basis + "--property Flurstücksnummer=12/3 --property Baukosten=200000 "
                        "--set 'GridGebühren(2,4)=500' --set mskBrechpunkte=4 --set chkVUnterlagen=1 "
                        "--set chkÜbernahme=1 --json");
    ASSERT_EQ(e.status, 0) << e.text;
    for (const char* teil : {"\"Flst.Nr. 12/3\\u000bBetrag :  €   475,00 Ihr Anteil 500/1000\"", "\"  237,50 €\"",
                             "\"    4 Brechpunkte\"", "\"  140,00 €\"", "\"52,00 €\"", "\"   71,25 €\"",
                             "\"     975,75 €\"", "\"   1.137,73 €\""})
        EXPECT_NE(e.text.find(teil), std::string::npos) << teil << "\n" << e.text;

    auto wieder = Vk(basis + "--choose 1 --json");
    ASSERT_EQ(wieder.status, 0) << wieder.text;
    EXPECT_EQ(wieder.text, e.text) << "confirmed unchanged: the same table and totals";

    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    const auto pdf = Ausführen("cd '" + ordner.Pfad().string() + "' && HOME='" + ordner.Pfad().string() +
                              "' soffice --headless --convert-to pdf Gebaeude.docx >/dev/null 2>&1 && "
                              "pdftotext -layout Gebaeude.pdf -");
    // Each position's cells stand on one line of the page.
    EXPECT_NE(ZeileMit(pdf.text, {"Einmessung von Gebäuden", "Wert", "Anzahl"}), "") << pdf.text;
    EXPECT_NE(ZeileMit(pdf.text, {"Flst.Nr. 12/3", "200.000,00", "475,00 €"}), "") << pdf.text;
    EXPECT_NE(ZeileMit(pdf.text, {"Nutzungsartengrenzen", "4 Brechpunkte", "140,00 €"}), "") << pdf.text;
    EXPECT_NE(ZeileMit(pdf.text, {"9.3", "Vermessungsunterlagen", "52,00 €"}), "") << pdf.text;
    EXPECT_NE(ZeileMit(pdf.text, {"14.4", "Übernahmegebühr", "71,25 €"}), "") << pdf.text;
    EXPECT_NE(pdf.text.find("Ihr Anteil"), std::string::npos) << pdf.text;
}

}  // namespace
}  // namespace vktest
