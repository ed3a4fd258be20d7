// The command line as a script uses it: exit codes, the demo invoice, the table listing, the PDF.
#include <gtest/gtest.h>

#include <regex>

#include "common/fehlerprotokoll.h"
#include "rechnungen.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

TEST(Kommandozeile, ScalePrintsThePlainFee) {
    EXPECT_EQ(Vk("scale Gebührenstaffel1 10 800").ausgabe, "1500\n");
    EXPECT_EQ(Vk("scale Grenzfeststellung_B 1000 3").ausgabe, "290\n");
}

// vk pdf prints the invoice through LibreOffice without a window, and says clearly when LibreOffice is
// not there.
TEST(Kommandozeile, DemoWritesAPricedInvoiceThatTablesListsAndPdfPrints) {
    TempOrdner ordner;
    auto demo = Vk("demo " + Zitiert(ordner.Pfad().string()));
    ASSERT_EQ(demo.status, 0) << demo.ausgabe;
    for (const char* datei : {"buero.sqlite", "Vorlage.docx", "Rechnung.docx"})
        EXPECT_TRUE(std::filesystem::exists(ordner / datei)) << datei;
    auto tabellen = Vk("tables " + Zitiert((ordner / "Rechnung.docx").string()));
    ASSERT_EQ(tabellen.status, 0);
    // Every category's table and the totals (net 20.714,00 = taxable 19.879,00 + VAT-free 835,00).
    for (const char* teil : {"[VK_LP_02_1]", "[VK_LP_02_2]", "[VK_LP_02_3]", "[VK_LP_08_4]", "[VK_LP_02_5]", "[VK_LP_02_6]",
                             "[RE_Summe]", "20.714,00 €", "3.777,01 €", "24.491,01 €"})
        EXPECT_NE(tabellen.ausgabe.find(teil), std::string::npos) << teil << "\n" << tabellen.ausgabe;
    auto json = Vk("tables --json " + Zitiert((ordner / "Rechnung.docx").string()));
    EXPECT_EQ(json.ausgabe.rfind("[{\"table\":1,", 0), 0u) << json.ausgabe;

    const std::string pdf = " --out " + Zitiert((ordner / "Rechnung.pdf").string());
    const std::string doc = "pdf --doc " + Zitiert((ordner / "Rechnung.docx").string()) + pdf;
    const Lauf ohne = Vk(doc + " --libreoffice /gibt/es/nicht/soffice");
    EXPECT_EQ(ohne.status, 2);
    EXPECT_EQ(ohne.ausgabe, "vk: pdf: LibreOffice gibt es nicht unter /gibt/es/nicht/soffice.\n");
    EXPECT_FALSE(std::filesystem::exists(ordner / "Rechnung.pdf"));
    EXPECT_EQ(Vk("pdf --doc " + Zitiert((ordner / "fehlt.docx").string()) + pdf).status, 2);

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    const Lauf l = Vk(doc);
    ASSERT_EQ(l.status, 0) << l.ausgabe;
    const std::string text = Ausfuehren("pdftotext -layout " + Zitiert((ordner / "Rechnung.pdf").string()) + " - 2>&1");
    EXPECT_NE(ZeileMit(text, {"Rechnungsbetrag", "24.491,01 €"}), "") << text;
    EXPECT_NE(ZeileMit(text, {"Anzahl Mehrfachausfertigungen:", "300,00 €"}), "") << text;
    // Nothing prints over anything: the payment target low on page 1 has its line to itself, the fee
    // tables that would run into it go on on page 2. (Each total and euro sign on its line as printed:
    // KommandozeileKategorien.)
    EXPECT_TRUE(std::regex_search(
        text.substr(0, text.find('\f')),
        std::regex(R"((^|\n)[ \t]*Bitte zahlen Sie den Rechnungsbetrag bis zum[ \t]+\d\d\.\d\d\.\d{4}[ \t]+ohne Abzug\.\s*$)")))
        << "the payment target on page 1, nothing below it\n" << text;
}

// A cancelled dialog, and a table choice the dialog does not offer (it wrote a second table before,
// charging the certificate twice), leave the invoice as it was.
TEST(Kommandozeile, CancelAndAChoiceNotOfferedLeaveTheInvoiceByteForByte) {
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, "Rechnung2.docx");
    ASSERT_EQ(Vk(apply + "--category 4 --set chkOrt=1").status, 0);
    const std::string vorher = DateiLesen(ordner / "Rechnung2.docx");
    ASSERT_EQ(Vk(apply + "--category 4 --choose 1 --set mskMehrfach=3 --cancel").status, 0);
    EXPECT_EQ(DateiLesen(ordner / "Rechnung2.docx"), vorher);
    const Lauf zweite = Vk(apply + "--category 4 --choose 2 --set mskMehrfach=3");
    EXPECT_EQ(zweite.status, 2) << zweite.ausgabe;
    EXPECT_NE(zweite.ausgabe.find("Tabellenwahl 2: die Tabellenwahl bietet sie nicht an"), std::string::npos) << zweite.ausgabe;
    EXPECT_EQ(DateiLesen(ordner / "Rechnung2.docx"), vorher);
}

// Bad arguments, a missing or damaged file, an unknown control, a save that fails: exit status 2, one
// line that names what is wrong, and neither the invoice nor the office database changed.
TEST(Kommandozeile, BadInputsExitWithTwoAndLeaveEveryFileUnchanged) {
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, "Rechnung2.docx");
    ASSERT_NE(apply, "");
    const std::string doc = Zitiert((ordner / "Rechnung2.docx").string());
    const std::string db = Zitiert((ordner / "buero.sqlite").string());
    const std::string kaputt = Zitiert((ordner / "kaputt.docx").string());
    const std::string docVorher = DateiLesen(ordner / "Rechnung2.docx");
    const std::string dbVorher = DateiLesen(ordner / "buero.sqlite");
    DateiSchreiben(ordner / "kaputt.docx", "PK kein zip");
    const std::pair<std::string, const char*> faelle[] = {
        {"scale Staffel9 1", "unbekannte Staffel"},
        {"scale Gebäudevermessung", ""},
        {"tables " + Zitiert((ordner / "fehlt.docx").string()), "fehlt.docx"},
        {"tables " + kaputt, "kaputt.docx"},
        {"apply --db " + Zitiert((ordner / "fehlt.sqlite").string()) + " --user 1 --invoice 1 --doc " + doc +
             " --category 4", ""},
        {"apply --db " + db + " --user 1 --invoice 1 --doc " + Zitiert((ordner / "fehlt.docx").string()) +
             " --category 4", ""},
        {"apply --db " + db + " --user 1 --invoice 1 --doc " + kaputt + " --category 4", ""},
        {apply + "--category 4 --set gibtsNicht=1", ""},
        {apply + "--category 9", ""},
        // Ids beyond 32 bits never wrap round to another record: 4294967297 is not invoice 1.
        {apply + "--category 4 --invoice 4294967297", "--invoice liegt außerhalb"},
        {apply + "--category 4 --user 4294967297", "--user liegt außerhalb"},
        {apply + "--category 4294967300", "--category liegt außerhalb"},
        {"check --db " + db + " --user 1 --invoice 4294967297 --doc " + doc, "--invoice liegt außerhalb"},
        {apply + "--category 4 --choose 7", ""},
        {apply + "--category 4 --choose 1", "keine Tabelle der Kategorie 4"},
        // Without the user's settings the invoice would lose its VAT line.
        {apply + "--category 4 --user 7", "Den Benutzer 7 gibt es in der Tabelle TempDoc"},
        {apply + "--category 4 --property Bodenwert=", "Bodenwert='': eine Zahl wird erwartet"},
        // A save that fails: the invoice record keeps its totals too, so file and record still agree.
        {apply + "--category 4 --set chkOrt=1 --out " + Zitiert((ordner / "fehlt" / "Rechnung.docx").string()), ""},
        {apply + "--category 4 --set chkOrt=1 --out " + Zitiert(ordner.Pfad().string()), "keine gewöhnliche Datei"},
        // More rows than a person adds in a dialog (each recomputes the fee over all rows).
        {apply + "--category 0 --set 'GridGebühren1(10000,1)=x'", "höchstens 999 Zeilen"},
    };
    for (const auto& [argumente, genannt] : faelle) {
        auto e = Vk(argumente);
        EXPECT_EQ(e.status, 2) << argumente << "\n" << e.ausgabe;
        EXPECT_EQ(std::count(e.ausgabe.begin(), e.ausgabe.end(), '\n'), 1) << "one line: " << e.ausgabe;
        EXPECT_NE(e.ausgabe.find(genannt), std::string::npos) << e.ausgabe;
    }
    EXPECT_EQ(Vk("gibtsnicht").status, 2) << "an unknown command, with the usage";
    EXPECT_EQ(DateiLesen(ordner / "Rechnung2.docx"), docVorher);
    EXPECT_EQ(DateiLesen(ordner / "buero.sqlite"), dbVorher);
}

// The table-choice dialog offers five existing tables of a kind. With eight of them a confirmation
// offers the fifth, edits it, and logs nothing about the three it cannot offer.
TEST(Kommandozeile, EightTablesOfOneKindConfirmWithoutAnEntryInTheLog) {
    TempOrdner ordner;
    const std::string apply = ApplyAuf(ordner, "Rechnung2.docx");
    for (int i = 1; i <= 8; ++i)
        ASSERT_EQ(Vk(apply + "--category 4 --choose new --set mskMehrfach=" + std::to_string(i)).status, 0) << i;
    const std::string logVorher = DateiLesen(vk::ProtokollPfad());
    const Lauf lauf = Vk(apply + "--category 4 --choose 5 --set mskMehrfach=50");
    ASSERT_EQ(lauf.status, 0) << lauf.ausgabe;
    EXPECT_EQ(DateiLesen(vk::ProtokollPfad()), logVorher);
    // The copies of each certificate table in a listing, in document order.
    const auto kopien = [](const std::string& text) {
        const std::regex anzahl(R"(Mehrfachausfertigungen: \| +(\d+) \|)");
        std::string anzahlen;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), anzahl); it != std::sregex_iterator(); ++it)
            anzahlen += (*it)[1].str() + " ";
        return anzahlen;
    };
    // What vk prints is the table it wrote (the fifth), not the first of the kind.
    EXPECT_EQ(kopien(lauf.ausgabe.substr(0, lauf.ausgabe.find("Summen:"))), "50 ") << lauf.ausgabe;
    // The fifth now charges fifty, the others kept theirs.
    const std::string tabellen = Vk("tables " + Zitiert((ordner / "Rechnung2.docx").string())).ausgabe;
    EXPECT_EQ(kopien(tabellen), "1 2 3 4 50 6 7 8 ") << tabellen;
}

// On a generated benchmark invoice of ten boundary-certificate tables of 50 + i € and twice that for two
// copies (i = 0 … 9): 3 × (50 + … + 59) = 1.635,00, `vk apply` prints the table it wrote and the totals
// it rebuilt, cell by cell. The certificate with inspection and two copies is added as a new table
// (300,00): 1.935,00, 19 % VAT 367,65, 2.302,65.
TEST(Kommandozeile, ApplyPrintsTheTableItWroteAndTheTotals) {
    TempOrdner ordner;
    vkbench::BueroAnlegen(ordner.Pfad());
    const std::string aus = (ordner / "aus.docx").string();
    const Lauf lauf = Vk("apply " + RechnungsArgumente((ordner / "buero.sqlite").string(), vkbench::RechnungAnlegen(ordner.Pfad(), 10)) +
                         " --out " + Zitiert(aus) + " --category 4 --set chkOrt=1 --set mskMehrfach=2");
    ASSERT_EQ(lauf.status, 0) << lauf.ausgabe;
    EXPECT_EQ(lauf.ausgabe,
              "Tabelle:\n"
              "  | Grenzbescheinigungen |  |  |  | \n"
              "  | mit Ortsbesichtigung/Tarifstelle 8.2.2 |  |  |  | \n"
              "  |  |  |  |  | \n"
              "  | Anzahl Mehrfachausfertigungen: |        2 |  |  |   300,00 €\n"
              "Summen:\n"
              "  |   | Summe |  |    1.935,00 €\n"
              "  |  | Mehrwertsteuer 19 % |    1.935,00 € |      367,65 €\n"
              "  |  |  |  | \n"
              "  |  | Rechnungsbetrag |  |    2.302,65 €\n");
    EXPECT_TRUE(std::filesystem::exists(aus));
}

}  // namespace
}  // namespace vktest
