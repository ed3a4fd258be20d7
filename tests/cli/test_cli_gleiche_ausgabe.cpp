// `vk apply` on a generated benchmark invoice prints the table it wrote and the totals it rebuilt,
// cell by cell. The invoice has ten boundary-certificate tables of 50 + i € and twice that for two
// copies (i = 0 … 9): 3 × (50 + … + 59) = 1.635,00. The certificate with inspection and two copies is
// added as a new table (300,00): 1.935,00, 19 % VAT 367,65, 2.302,65.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "rechnungen.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

TEST(GleicheAusgabe, ApplyPrintsTheTableItWroteAndTheTotals) {
    TempOrdner ordner;
    vkbench::BueroAnlegen(ordner.Pfad());
    const std::filesystem::path rechnung = vkbench::RechnungAnlegen(ordner.Pfad(), 10);
    const std::string aus = (ordner / "aus.docx").string();
    const Lauf lauf = Vk("apply --db " + Zitiert((ordner / "buero.sqlite").string()) + " --user 1 --invoice 1 --doc " +
                         Zitiert(rechnung.string()) + " --out " + Zitiert(aus) +
                         " --category 4 --set chkOrt=1 --set mskMehrfach=2");
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
