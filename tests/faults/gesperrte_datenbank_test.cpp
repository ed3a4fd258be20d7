// The office database locked by another connection while the totals are stored: a logged error,
// no exception to the caller, a consistent document, nothing half stored; once the lock is gone
// the same document stores its totals.
#include <gtest/gtest.h>

#include "../common/protokoll_hilfe.h"
#include "../document/rechnungsumfeld.h"
#include "document/SummeBilden.h"

namespace vktest {
namespace {

class GesperrteDatenbank : public Rechnungsumfeld, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        Rechnungsumfeld::SetUp();
        // A short wait for the lock keeps the test quick; the behaviour is the same with any wait.
        auto& k = vk::Kontext();
        k.KalWorkspace->SetLockTimeout(std::chrono::milliseconds(50));
        k.NeueAbfrage = k.KalWorkspace->OpenDatabase(datei_.string());
        RechnungWaehlen(1);
        Gebuehrentabelle({{100, ""}, {50, "0"}});
        vk::test::ProtokollLeeren();
    }
};

TEST_P(GesperrteDatenbank, TotalsInTheDocumentErrorLoggedNothingStored) {
    Roh andere(datei_);
    andere.Sql(GetParam());
    ASSERT_NO_THROW(vk::SummeBilden(false));

    EXPECT_NE(vk::test::ProtokollText().find("gesperrt"), std::string::npos) << vk::test::ProtokollText();
    // The document: one fee table, one totals table with the right amounts, tags in place.
    EXPECT_EQ(Anzahl("VK_LP_02_5"), 1);
    ASSERT_EQ(Anzahl("RE_Summe"), 1);
    EXPECT_EQ(Zeilen(Summentabelle()).front() + Zeilen(Summentabelle()).back(),
              " |Summe||     150,00 €|Rechnungsbetrag||     169,00 €");
    EXPECT_NE(doc_->Content().Text().find("Netto: Betrag     150,00\u00A0€ und weiter"), std::string::npos)
        << doc_->Content().Text();
    // It saves and reads back the same.
    const auto pfad = ordner_ / "Rechnung.docx";
    doc_->Save(pfad);
    auto wieder = vk::word::Document::Open(pfad);
    EXPECT_EQ(wieder->Tables().Count(), doc_->Tables().Count());
    EXPECT_EQ(wieder->Comments().Count(), doc_->Comments().Count());

    andere.Sql("ROLLBACK");
    EXPECT_EQ(roh_->Text("SELECT ifnull(NettoRechnung, 'NULL') || '/' || ifnull(Brutto, 'NULL') FROM Rechnung"), "NULL/NULL") << "totals half stored";

    // Lock released: the next rebuild stores the totals and leaves still one totals table.
    vk::test::ProtokollLeeren();
    RechnungWaehlen(1);
    vk::SummeLöschen();
    vk::SummeBilden(false);
    EXPECT_EQ(vk::test::ProtokollEintraege(), 0) << vk::test::ProtokollText();
    EXPECT_EQ(roh_->Text("SELECT NettoRechnung || '/' || Brutto FROM Rechnung"), "10000.0/16900.0");
    EXPECT_EQ(Anzahl("RE_Summe"), 1);
}

// A writer holding the lock (readers still allowed), and a connection holding it exclusively.
INSTANTIATE_TEST_SUITE_P(Sperren, GesperrteDatenbank, ::testing::Values("BEGIN IMMEDIATE; UPDATE Rechnung SET Rechnungsnummer = Rechnungsnummer", "BEGIN EXCLUSIVE"));

}  // namespace
}  // namespace vktest
