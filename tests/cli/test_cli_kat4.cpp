// vk apply on elongated installations: a road priced by replaying the dialog, and the table as
// LibreOffice prints it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../dao/testdatenbank.h"

namespace vktest {
namespace {

struct Lauf {
    int status = -1;
    std::string ausgabe;
};

Lauf Ausführen(const std::string& befehl) {
    Lauf l;
    FILE* p = ::popen((befehl + " 2>&1").c_str(), "r");
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) l.ausgabe.append(puffer.data(), n);
    const int rc = ::pclose(p);
    l.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return l;
}

Lauf Vk(const std::string& args) { return Ausführen(std::string(VK_CLI_BINARY) + " " + args); }

TEST(KommandozeileKat4, RoadPricedAndPrinted) {
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo '" + ordner.Pfad().string() + "'").status, 0);
    const auto doc = ordner / "Strasse.docx";
    std::filesystem::copy_file(ordner / "Vorlage.docx", doc);
    const std::string basis = "apply --db '" + (ordner / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" +
                              doc.string() + "' --category 3 --property Flurstücksnummer=77 --property Achslänge=1200 ";

    auto e = Vk(basis + "--set 'GridGebühren(1,5)=2' --set chkVUnterlagen=1");
    ASSERT_EQ(e.status, 0) << e.ausgabe;
    for (const char* teil : {"| Flst.Nr. 77 | II  \t1.200 | Seite 1 |   2\t\t1.200 x 1,0/10 = 120 |",
                             "|   2 x 770 € | 1.540,00 €", "| 120 x 73,00  € | 8.760,00 €", "| 2 x 137,00 € |   274,00 €",
                             "| 9.2 | Vermessungsunterlagen | je halbem km | 130,00 € |   390,00 €",
                             "| Summe |  |   10.964,00 €"})
        EXPECT_NE(e.ausgabe.find(teil), std::string::npos) << teil << "\n" << e.ausgabe;

    if (std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    const std::string o = ordner.Pfad().string();
    auto pdf = Ausführen("cd '" + o + "' && HOME='" + o + "' soffice --headless --convert-to pdf Strasse.docx " +
                         ">/dev/null 2>&1 && pdftotext -layout Strasse.pdf -");
    for (const char* teil : {"Tarifstelle 10.2", "Grundgebühr", "1.540,00 €", "8.760,00 €", "274,00 €",
                             "Umsatzsteuerfreie", "390,00 €", "Rechnungsbetrag"})
        EXPECT_NE(pdf.ausgabe.find(teil), std::string::npos) << teil << "\n" << pdf.ausgabe;
}

}  // namespace
}  // namespace vktest
