// The confirmation frame end to end: a boundary certificate with inspection and two copies.
#include <gtest/gtest.h>

#include "document/Bestaetigung.h"
#include "platform/controls/mauszeiger.h"
#include "rechnungsumfeld.h"

namespace vktest {
namespace {

using Bestaetigung = Rechnungsumfeld;

vk::Tabellenauftrag Grenzbescheinigung(double betrag, long zeilen) {
    vk::Tabellenauftrag a;
    a.modul = "frmTest";
    a.schluessel = "VK_LP_02_5";
    a.zeilen = zeilen;
    a.spalten = 5;
    a.formatieren = [](vk::word::Table& t) {
        vk::TabelleFormatierenGemeinsam(t, {2, 5}, {8.0, 3.0, 1.0, 3.0, 2.5}, "frmTest");
    };
    a.zeilenSchreiben = [betrag, zeilen](vk::word::Table& t) {
        vk::ZelleSchreiben(t, 1, 1, "Grenzbescheinigungen", true);
        vk::ZelleSchreiben(t, 2, 1, "mit Ortsbesichtigung\rTarifstelle 8.2.2", false);
        if (zeilen == 4) {
            vk::ZelleSchreiben(t, 4, 1, "Anzahl Mehrfachausfertigungen:", false);
            vk::ZelleSchreiben(t, 4, 2, "       2", false);
        }
        vk::ZelleSchreiben(t, zeilen, 5, vk::Betragstext(betrag), false);
    };
    return a;
}

TEST_F(Bestaetigung, WritesTheTableAndTheTotalsAndReplacesItInPlace) {
    RechnungWaehlen(1);
    vk::ui::StandardBildschirm().Zurücksetzen();
    vk::word::Table form;
    vk::GebührentabelleSchreiben(form, Grenzbescheinigung(300, 4));
    ASSERT_FALSE(form.IstNothing());
    EXPECT_EQ(vk::ErsterKommentarText(form.Range()), "VK_LP_02_5");
    EXPECT_EQ(Zeilen(Summentabelle()).back(), "|Rechnungsbetrag||     357,00 €");
    EXPECT_EQ(vk::ui::StandardBildschirm().Verlauf(), (std::vector<int>{11, 0}));

    // Confirming again replaces the table at its place; there is still one totals table.
    vk::GebührentabelleSchreiben(form, Grenzbescheinigung(75, 3));
    EXPECT_EQ(doc_->Tables().Count(), 2);
    EXPECT_EQ(Zeilen(Summentabelle()).back(), "|Rechnungsbetrag||      89,25 €");
    EXPECT_EQ(roh_->Text("SELECT Brutto FROM Rechnung"), "8925.0");
}

TEST_F(Bestaetigung, WithoutADocumentEveryStepIsLoggedAndThePointerComesBack) {
    vk::Kontext().Doc.reset();
    vk::ui::StandardBildschirm().Zurücksetzen();
    vk::word::Table form;
    vk::GebührentabelleSchreiben(form, Grenzbescheinigung(300, 4));
    EXPECT_TRUE(form.IstNothing());
    EXPECT_EQ(vk::ui::StandardBildschirm().Verlauf().back(), 0);
}

}  // namespace
}  // namespace vktest
