// vk pdf: the invoice as the word processor prints it, through LibreOffice without a window; a clear
// message when LibreOffice is not there.
#include <gtest/gtest.h>

#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

TEST(KommandozeilePdf, DieRechnungAlsPdfUndEineKlareMeldungOhneLibreOffice) {
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo " + Zitiert(ordner.Pfad().string())).status, 0);
    const std::string doc = Zitiert((ordner / "Rechnung.docx").string());
    const fs::path pdf = ordner / "Rechnung.pdf";

    const Lauf ohne = Vk("pdf --doc " + doc + " --out " + Zitiert(pdf.string()) + " --libreoffice /gibt/es/nicht/soffice");
    EXPECT_EQ(ohne.status, 2);
    EXPECT_EQ(ohne.ausgabe, "vk: pdf: LibreOffice gibt es nicht unter /gibt/es/nicht/soffice.\n");
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(Vk("pdf --doc " + Zitiert((ordner / "fehlt.docx").string()) + " --out " + Zitiert(pdf.string())).status, 2);

    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice is not installed";
    const Lauf l = Vk("pdf --doc " + doc + " --out " + Zitiert(pdf.string()));
    ASSERT_EQ(l.status, 0) << l.ausgabe;
    const std::string text = Ausfuehren("pdftotext -layout " + Zitiert(pdf.string()) + " - 2>&1");
    EXPECT_NE(ZeileMit(text, {"Rechnungsbetrag", "24.491,01 €"}), "") << text;
    EXPECT_NE(ZeileMit(text, {"Anzahl Mehrfachausfertigungen:", "300,00 €"}), "") << text;
}

}  // namespace
}  // namespace vktest
