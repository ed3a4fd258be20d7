// Templates and a person's edits: the "kalStart" tag inside a letter's layout table, and a reviewer's
// comment on a fee table. The component works with the innermost table that carries its tag, finds
// the tag among all of a table's comments, never deletes a table that is not its own, and `vk check`
// does not pass an invoice with a fee table it cannot price again.
#include <gtest/gtest.h>

#include "document/tabellenkennung.h"
#include "platform/word/document.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

// The position (in characters) of a text in the document's main text.
long Stelle(vk::word::Document& doc, const std::string& text) {
    const std::string alles = doc.Content().Text();
    const std::size_t byte = alles.find(text);
    EXPECT_NE(byte, std::string::npos) << text;
    long p = 0;
    for (std::size_t i = 0; i < byte; ++i)
        if ((static_cast<unsigned char>(alles[i]) & 0xC0) != 0x80) ++p;
    return p;
}

void Markieren(vk::word::Document& doc, const std::string& text, const std::string& tag) {
    const long p = Stelle(doc, text);
    doc.Comments().Add(doc.Range(p, p + static_cast<long>(text.size())), tag);
}

// How many comments of the document read the key (one per fee table of that key).
int Kennungen(const fs::path& datei, const std::string& schluessel) {
    int n = 0;
    for (vk::word::Comment c : vk::word::Document::Open(datei)->Comments()) n += c.Text() == schluessel;
    return n;
}

class Vorlagen : public DemoBuero {
protected:
    Lauf Apply(const fs::path& doc, const std::string& eingaben) const {
        return Vk("apply " + RechnungsArgumente(Db(), doc) + " --category 4 " + eingaben);
    }
    void Stimmt(const fs::path& doc) const {
        const Lauf pruefung = Pruefen(doc);
        EXPECT_EQ(pruefung.status, 0) << pruefung.ausgabe;
        EXPECT_NE(pruefung.ausgabe.find("Grenzbescheinigungen: stimmt"), std::string::npos) << pruefung.ausgabe;
    }
};

// A letter laid out in a one-row table of two cells, the "kalStart" paragraph in the second: the fee
// table and the totals go into that cell, are summed there (150,00 € and 19 % VAT: 178,50 €), and
// the next confirmation (75,00 €: 89,25 €) replaces the fee table alone: the layout table stays.
TEST_F(Vorlagen, TheInsertionTagInALayoutTableSumsThereAndTheLayoutTableStays) {
    const fs::path datei = ordner_ / "Layout.docx";
    {
        auto doc = vk::word::Document::New();
        doc->Content().InsertAfter("Vermessungsbüro Muster\rNetto: Betrag 0,00 € und weiter\rMit freundlichen Grüßen");
        const long p = Stelle(*doc, "Netto:");
        vk::word::Table layout = doc->Tables().Add(doc->Range(p, p), 1, 2);
        layout.Cell(1, 1).Range().InsertAfter("Anschrift");
        layout.Cell(1, 2).Range().InsertAfter("Unsere Leistungen\rPositionen:");
        Markieren(*doc, "Positionen:", "kalStart");
        Markieren(*doc, "Netto: Betrag", "kalNetto");
        doc->Save(datei);
    }
    const Lauf erste = Apply(datei, "--set chkOrt=1");
    ASSERT_EQ(erste.status, 0) << erste.ausgabe;
    EXPECT_NE(erste.ausgabe.find("Rechnungsbetrag |  |      178,50 €"), std::string::npos) << erste.ausgabe;
    EXPECT_EQ(Brutto(), "17850.0");

    const Lauf zweite = Apply(datei, "--choose 1 --set chkOrt=0");
    ASSERT_EQ(zweite.status, 0) << zweite.ausgabe;
    EXPECT_EQ(Brutto(), "8925.0");
    auto doc = vk::word::Document::Open(datei);
    ASSERT_EQ(doc->Tables().Count(), 1) << "the layout table is the one table of the letter";
    EXPECT_EQ(doc->Tables().Item(1).Cell(1, 1).Range().Text(), "Anschrift\r\a");
    EXPECT_EQ(Kennungen(datei, "VK_LP_02_5"), 1);
    EXPECT_EQ(Kennungen(datei, "RE_Summe"), 1);
    EXPECT_NE(doc->Content().Text().find("Netto: Betrag      75,00\u00A0€ und weiter"), std::string::npos) << doc->Content().Text();
    EXPECT_EQ(doc->Tables().Item(1).Tables().Count(), 2) << "fee table and totals in the layout table's cell";
    Stimmt(datei);
}

// A reviewer's comment on a fee table's title: the table is still the category's table, re-opened
// and replaced by `--choose 1` (no second one charged), and proved by the check.
TEST_F(Vorlagen, AReviewersCommentOnAFeeTableLeavesItTheCategorysTable) {
    const fs::path datei = Rechnung();
    {
        auto doc = vk::word::Document::Open(datei);
        for (const vk::word::Table& t : vk::AlleTabellen(*doc))
            if (vk::TraegtKennung(t, "VK_LP_02_5")) doc->Comments().Add(t.Cell(1, 1).Range(), "Bitte prüfen: Ortstermin?");
        doc->Save(datei);
    }
    Stimmt(datei);
    const Lauf l = Apply(datei, "--choose 1 --set chkOrt=0");
    ASSERT_EQ(l.status, 0) << l.ausgabe;
    EXPECT_EQ(Kennungen(datei, "VK_LP_02_5"), 1) << "a second table was added";
    Stimmt(datei);
}

}  // namespace
}  // namespace vktest
