// The command line as a script uses it: exit codes, the demo invoice, the table listing.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../dao/testdatenbank.h"

namespace vktest {
namespace {

struct Ergebnis {
    int status = -1;
    std::string ausgabe;
};

Ergebnis Vk(const std::string& args) {
    Ergebnis e;
    const std::string befehl = std::string(VK_CLI_BINARY) + " " + args + " 2>&1";
    FILE* p = ::popen(befehl.c_str(), "r");
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) e.ausgabe.append(puffer.data(), n);
    int rc = ::pclose(p);
    e.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return e;
}

TEST(Kommandozeile, ScaleAndBadArguments) {
    EXPECT_EQ(Vk("scale Gebührenstaffel1 10 800").ausgabe, "1500\n");
    EXPECT_EQ(Vk("scale Grenzfeststellung_B 1000 3").ausgabe, "290\n");
    auto unbekannt = Vk("scale Staffel9 1");
    EXPECT_EQ(unbekannt.status, 2);
    EXPECT_NE(unbekannt.ausgabe.find("unknown scale"), std::string::npos);
    EXPECT_EQ(Vk("scale Gebäudevermessung").status, 2);
    EXPECT_EQ(Vk("gibtsnicht").status, 2);
}

TEST(Kommandozeile, DemoWritesAPricedInvoiceThatTablesLists) {
    TempOrdner ordner;
    auto demo = Vk("demo '" + ordner.Pfad().string() + "'");
    ASSERT_EQ(demo.status, 0) << demo.ausgabe;
    for (const char* datei : {"buero.sqlite", "Vorlage.docx", "Rechnung.docx"})
        EXPECT_TRUE(std::filesystem::exists(ordner / datei)) << datei;
    auto tabellen = Vk("tables '" + (ordner / "Rechnung.docx").string() + "'");
    ASSERT_EQ(tabellen.status, 0);
    for (const char* teil : {"[VK_LP_02_5]", "[VK_LP_02_6]", "[RE_Summe]", "300,00 €", "210,00 €", "16,50 €",
                             "52,00 €", "578,50 €", "109,92 €", "688,42 €"})
        EXPECT_NE(tabellen.ausgabe.find(teil), std::string::npos) << teil << "\n" << tabellen.ausgabe;
    auto json = Vk("tables --json '" + (ordner / "Rechnung.docx").string() + "'");
    EXPECT_EQ(json.ausgabe.rfind("[{\"table\":1,", 0), 0u) << json.ausgabe;

    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    const std::string pdf = "cd '" + ordner.Pfad().string() + "' && HOME='" + ordner.Pfad().string() +
                            "' soffice --headless --convert-to pdf Rechnung.docx >/dev/null 2>&1 && "
                            "pdftotext -layout Rechnung.pdf -";
    FILE* p = ::popen(pdf.c_str(), "r");
    std::string text;
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) text.append(puffer.data(), n);
    ::pclose(p);
    for (const char* teil : {"Grenzbescheinigungen", "Gebühren nach Zeitaufwand", "Rechnungsbetrag", "688,42 €"})
        EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << text;
}

TEST(Kommandozeile, TablesOfAMissingOrDamagedFileExitWithTwo) {
    TempOrdner ordner;
    EXPECT_EQ(Vk("tables '" + (ordner / "fehlt.docx").string() + "'").status, 2);
    const auto kaputt = ordner / "kaputt.docx";
    FILE* f = std::fopen(kaputt.c_str(), "w");
    std::fputs("kein zip", f);
    std::fclose(f);
    auto e = Vk("tables '" + kaputt.string() + "'");
    EXPECT_EQ(e.status, 2);
    EXPECT_NE(e.ausgabe.find("kaputt.docx"), std::string::npos) << e.ausgabe;
}

}  // namespace
}  // namespace vktest
