// What a display reads of a document: the page, paragraphs with the formatting that takes effect
// (direct, style, table style, defaults), tab stops and table frames; reading changes nothing.
#include <gtest/gtest.h>

#include "platform/word/document.h"
#include "platform/word/rendering.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

// A blank document with one paragraph of text and a 2 x 3 table after it.
std::shared_ptr<Document> MitTabelle() {
    auto doc = test::MitText("Rechnung\r");
    auto ende = doc->Content();
    ende.Collapse(wdCollapseEnd);
    auto t = doc->Tables().Add(ende, 2, 3);
    t.Cell(1, 1).Range().InsertAfter("Grenzbescheinigungen");
    t.Cell(2, 1).Range().InsertAfter("Anzahl:");
    t.Cell(2, 3).Range().InsertAfter("   300,00 €");
    return doc;
}

}  // namespace

TEST(WordDarstellung, PageAndTableFrame) {
    auto doc = MitTabelle();
    const PageSetup seite(*doc);
    EXPECT_DOUBLE_EQ(seite.PageWidth(), 595.3);  // A4, 11906 twips
    EXPECT_DOUBLE_EQ(seite.PageHeight(), 841.9);
    EXPECT_DOUBLE_EQ(seite.LeftMargin(), 70.85);
    EXPECT_DOUBLE_EQ(seite.RightMargin(), 56.7);
    EXPECT_DOUBLE_EQ(seite.TopMargin(), 70.85);

    Table t = doc->Tables().Item(1);
    TableFormat f = TableFormatOf(t);
    EXPECT_TRUE(f.borders) << "a new table is drawn with lines";
    EXPECT_DOUBLE_EQ(f.leftCellMargin, 2.85) << "the blank document's table style: 57 twips";
    t.Select();
    auto rand = doc->Application()->Selection().Borders();
    for (int seite = -6; seite <= -1; ++seite) rand.Item(seite).SetLineStyle(0);
    EXPECT_FALSE(TableFormatOf(t).borders);
}

// Bold, size and font take effect from the table style, the run and the defaults; a cell's
// paragraphs carry alignment, tab stops and runs. Reading all that changes nothing.
TEST(WordDarstellung, FormatFromTableStyleRunAndParagraphAndReadingChangesNothing) {
    auto doc = MitTabelle();
    Table t = doc->Tables().Item(1);
    t.Cell(1, 1).Range().SetBold(-1);
    t.Cell(2, 1).Range().SetFontSize(8);
    Range zelle = t.Cell(2, 3).Range();
    zelle.ParagraphFormat().SetAlignment(wdAlignParagraphRight);
    zelle.ParagraphFormat().TabStops().Add(42.5, wdAlignTabDecimal);
    zelle.InsertAfter("\rTarifstelle\t8.2.2");
    // "Tarifstelle" bold in the second paragraph only.
    const long start = zelle.Start() + 12;
    doc->Range(start, start + 11).SetBold(-1);
    doc->Range(2, 5).SetBold(-1);  // runs split inside the first paragraph
    const auto ordner = test::TempOrdner();
    doc->Save(ordner / "vorher.docx");

    auto absätze = FormattedParagraphs(t.Cell(1, 1).Range());
    ASSERT_EQ(absätze.size(), 1u);
    ASSERT_EQ(absätze[0].runs.size(), 1u);
    EXPECT_EQ(absätze[0].runs[0].text, "Grenzbescheinigungen");
    EXPECT_TRUE(absätze[0].runs[0].bold);
    EXPECT_DOUBLE_EQ(absätze[0].runs[0].size, 10) << "the table style's size";
    EXPECT_EQ(absätze[0].runs[0].font, "Arial") << "the document's default font";

    absätze = FormattedParagraphs(t.Cell(2, 1).Range());
    ASSERT_EQ(absätze[0].runs.size(), 1u);
    EXPECT_FALSE(absätze[0].runs[0].bold);
    EXPECT_DOUBLE_EQ(absätze[0].runs[0].size, 8) << "the run's own size";

    // Outside a table the document's default size holds.
    absätze = FormattedParagraphs(doc->Range(0, 9));
    ASSERT_EQ(absätze.size(), 1u);
    ASSERT_EQ(absätze[0].runs.size(), 3u);
    EXPECT_EQ(absätze[0].runs[0].text + absätze[0].runs[1].text + absätze[0].runs[2].text, "Rechnung");
    EXPECT_DOUBLE_EQ(absätze[0].runs[0].size, 11);

    absätze = FormattedParagraphs(t.Cell(2, 3).Range());
    ASSERT_EQ(absätze.size(), 2u);
    EXPECT_EQ(absätze[0].alignment, wdAlignParagraphRight);
    ASSERT_EQ(absätze[0].tabStops.size(), 1u);
    EXPECT_DOUBLE_EQ(absätze[0].tabStops[0].position, 42.5);
    EXPECT_EQ(absätze[0].tabStops[0].alignment, wdAlignTabDecimal);
    EXPECT_EQ(absätze[0].runs[0].text, "   300,00 €");
    ASSERT_EQ(absätze[1].runs.size(), 2u);
    EXPECT_EQ(absätze[1].runs[0].text, "Tarifstelle");
    EXPECT_TRUE(absätze[1].runs[0].bold);
    EXPECT_EQ(absätze[1].runs[1].text, "\t8.2.2");
    EXPECT_FALSE(absätze[1].runs[1].bold);

    for (long z = 1; z <= 2; ++z)
        for (long s = 1; s <= 3; ++s) FormattedParagraphs(t.Cell(z, s).Range());
    FormattedParagraphs(doc->Content());
    TableFormatOf(t);
    PageSetup seite(*doc);
    doc->Save(ordner / "nachher.docx");
    for (const char* teil : {"word/document.xml", "word/styles.xml"})
        EXPECT_EQ(test::ZipTeil(ordner / "nachher.docx", teil), test::ZipTeil(ordner / "vorher.docx", teil)) << teil;
}
