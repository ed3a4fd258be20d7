// The command line as a script uses it: exit codes, the demo invoice, the table listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "../dao/testdatenbank.h"
#include "rechnungsordner.h"

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

// The demo invoice's totals; they change whenever a category's step is added to the demo.
constexpr const char* kDemoSumme = "20.714,00 €";
constexpr const char* kDemoMwSt = "3.777,01 €";
constexpr const char* kDemoBetrag = "24.491,01 €";

TEST(Kommandozeile, DemoWritesAPricedInvoiceThatTablesLists) {
    TempOrdner ordner;
    auto demo = Vk("demo '" + ordner.Pfad().string() + "'");
    ASSERT_EQ(demo.status, 0) << demo.ausgabe;
    for (const char* datei : {"buero.sqlite", "Vorlage.docx", "Rechnung.docx"})
        EXPECT_TRUE(std::filesystem::exists(ordner / datei)) << datei;
    auto tabellen = Vk("tables '" + (ordner / "Rechnung.docx").string() + "'");
    ASSERT_EQ(tabellen.status, 0);
    // Every category's table and the totals (net 20.714,00 = taxable 19.879,00 + VAT-free 835,00).
    for (const char* teil : {"[VK_LP_02_1]", "[VK_LP_02_2]", "[VK_LP_02_3]", "[VK_LP_08_4]", "[VK_LP_02_5]", "[VK_LP_02_6]",
                             "[RE_Summe]", kDemoSumme, kDemoMwSt, kDemoBetrag})
        EXPECT_NE(tabellen.ausgabe.find(teil), std::string::npos) << teil << "\n" << tabellen.ausgabe;
    auto json = Vk("tables --json '" + (ordner / "Rechnung.docx").string() + "'");
    EXPECT_EQ(json.ausgabe.rfind("[{\"table\":1,", 0), 0u) << json.ausgabe;

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Druck pdf = Drucken(ordner.Pfad(), "Rechnung.docx");
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    for (const char* teil : {"Grenzbescheinigungen", "Gebühren nach Zeitaufwand", "Rechnungsbetrag", kDemoBetrag})
        EXPECT_NE(pdf.text.find(teil), std::string::npos) << teil << "\n" << pdf;
    // Nothing prints over anything: the payment target low on page 1 has its line to itself, the fee
    // tables that would run into it go on on page 2.
    const std::string zahlung = ZeileMit(pdf.Seite(1), {"Bitte zahlen Sie"});
    EXPECT_TRUE(std::regex_match(
        zahlung, std::regex(R"(\s*Bitte zahlen Sie den Rechnungsbetrag bis zum\s+\d\d\.\d\d\.\d{4}\s+ohne Abzug\.\s*)")))
        << "[" << zahlung << "]\n" << pdf;
    const std::string seite1 = pdf.Seite(1);
    EXPECT_EQ(seite1.find_first_not_of(" \n", seite1.find("ohne Abzug.") + 11), std::string::npos)
        << "nothing below the payment target on page 1\n" << pdf;
    // Each total with its amount on one line, the euro sign included.
    EXPECT_NE(ZeileMit(pdf.text, {"Summe", kDemoSumme}), "") << pdf;
    EXPECT_NE(ZeileMit(pdf.text, {"Mehrwertsteuer 19 %", "19.879,00 €", kDemoMwSt}), "") << pdf;
    EXPECT_NE(ZeileMit(pdf.text, {"Rechnungsbetrag", kDemoBetrag}), "") << pdf;
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

namespace vktest {
namespace {

std::string Inhalt(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Anwenden : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Vk("demo '" + ordner_.Pfad().string() + "'").status, 0);
        std::filesystem::copy_file(ordner_ / "Vorlage.docx", doc_);
    }
    std::string Basis() {
        return "apply --db '" + (ordner_ / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" +
               doc_.string() + "' ";
    }
    TempOrdner ordner_;
    std::filesystem::path doc_ = ordner_ / "Rechnung2.docx";
};

TEST_F(Anwenden, BoundaryCertificateWithInspectionAndTwoCopies) {
    auto e = Vk(Basis() + "--category 4 --set chkOrt=1 --set mskMehrfach=2");
    ASSERT_EQ(e.status, 0) << e.ausgabe;
    EXPECT_NE(e.ausgabe.find("Anzahl Mehrfachausfertigungen: |        2 |  |  |   300,00 €"), std::string::npos)
        << e.ausgabe;
    EXPECT_NE(e.ausgabe.find("Summe |  |      300,00 €"), std::string::npos);
    EXPECT_NE(e.ausgabe.find("Mehrwertsteuer 19 % |      300,00 € |       57,00 €"), std::string::npos);
    EXPECT_NE(e.ausgabe.find("Rechnungsbetrag |  |      357,00 €"), std::string::npos);
    auto t = Vk("tables '" + doc_.string() + "'");
    EXPECT_NE(t.ausgabe.find("[VK_LP_02_5]"), std::string::npos) << "saved in place";

    // Re-opened on its table and confirmed unchanged: the same amounts, one fee table.
    auto wieder = Vk(Basis() + "--category 4 --choose 1 --json");
    ASSERT_EQ(wieder.status, 0) << wieder.ausgabe;
    EXPECT_NE(wieder.ausgabe.find("\"  300,00 €\"]"), std::string::npos) << wieder.ausgabe;
}

TEST_F(Anwenden, CancelLeavesTheInvoiceByteForByte) {
    ASSERT_EQ(Vk(Basis() + "--category 4 --set chkOrt=1").status, 0);
    const std::string vorher = Inhalt(doc_);
    ASSERT_EQ(Vk(Basis() + "--category 4 --choose 1 --set mskMehrfach=3 --cancel").status, 0);
    EXPECT_EQ(Inhalt(doc_), vorher);
}

TEST_F(Anwenden, BadInputsExitWithTwoAndLeaveEveryFileUnchanged) {
    const std::string docVorher = Inhalt(doc_);
    const std::string dbVorher = Inhalt(ordner_ / "buero.sqlite");
    const auto kaputt = ordner_ / "kaputt.docx";
    { std::ofstream(kaputt) << "PK kein zip"; }
    const std::vector<std::string> faelle = {
        "apply --db '" + (ordner_ / "fehlt.sqlite").string() + "' --user 1 --invoice 1 --doc '" + doc_.string() +
            "' --category 4",
        "apply --db '" + (ordner_ / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" +
            (ordner_ / "fehlt.docx").string() + "' --category 4",
        "apply --db '" + (ordner_ / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" + kaputt.string() +
            "' --category 4",
        Basis() + "--category 4 --set gibtsNicht=1",
        Basis() + "--category 9",
        Basis() + "--category 4 --choose 7",
        // A save that fails: the invoice record keeps its totals too, so file and record still agree.
        Basis() + "--category 4 --set chkOrt=1 --out '" + (ordner_ / "fehlt" / "Rechnung.docx").string() + "'",
    };
    for (const auto& f : faelle) {
        auto e = Vk(f);
        EXPECT_EQ(e.status, 2) << f << "\n" << e.ausgabe;
        EXPECT_EQ(std::count(e.ausgabe.begin(), e.ausgabe.end(), '\n'), 1) << "one line: " << e.ausgabe;
    }
    EXPECT_EQ(Inhalt(doc_), docVorher);
    EXPECT_EQ(Inhalt(ordner_ / "buero.sqlite"), dbVorher);
}

}  // namespace
}  // namespace vktest
