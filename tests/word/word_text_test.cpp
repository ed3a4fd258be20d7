// Text of stories as the callers read it: marks, insertion, live ranges, formatting.
#include <gtest/gtest.h>

#include "common/fehler_hilfe.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

std::string Zelle(Table t, long z, long s) { return t.Cell(z, s).Range().Text(); }

}  // namespace

TEST(WordText, CellsEndWithCellAndRowMarksAndGrowWithInsertAfter) {
    auto doc = Document::New();
    Table t = doc->Tables().Add(doc->Range(0, 0), 2, 2);
    auto zelle = t.Cell(1, 1).Range();
    auto nachbar = t.Cell(1, 2).Range();
    zelle.InsertAfter("a");
    zelle.InsertAfter("bc");
    nachbar.InsertAfter("b\rc");  // the neighbouring cell's remembered range moved with the text
    t.Cell(2, 1).Range().InsertAfter("x\r\ny\vz");
    EXPECT_EQ(zelle.Text(), "abc\r\a");
    EXPECT_EQ(Zelle(t, 1, 2), "b\rc\r\a");
    EXPECT_EQ(Zelle(t, 2, 1), "x\ry\vz\r\a");  // CR LF is one paragraph break
    EXPECT_EQ(Zelle(t, 2, 2), "\r\a");
    EXPECT_EQ(t.Range().Text(), "abc\r\ab\rc\r\a\r\ax\ry\vz\r\a\r\a\r\a");
    // the document goes on with a paragraph after the table
    EXPECT_EQ(doc->Content().Text(), t.Range().Text() + "\r");
}

TEST(WordText, MoveStartOneWordBackAndAParagraphBefore) {
    auto doc = test::MitText("Sehr geehrte Damen\rkalStart hier");
    // from the start of the second paragraph (its mark is a word of its own), inside "Damen", at its start
    for (auto [von, nach] : {std::pair{19L, 18L}, {16L, 13L}, {13L, 5L}}) {
        auto r = doc->Range(von, von);
        EXPECT_EQ(r.MoveStart(wdWord, -1), -1);
        EXPECT_EQ(r.Start(), nach) << von;
    }
    auto r = doc->Range(19, 19);
    r.MoveStart(wdWord, -1);
    r.InsertParagraphBefore();
    EXPECT_EQ(r.Text(), "\r\r");
    EXPECT_EQ(doc->Content().Text(), "Sehr geehrte Damen\r\rkalStart hier\r");
}

TEST(WordText, LiveRangesFollowInsertionsAndDeletions) {
    auto doc = test::MitText("Summe: 100 €\rzwei\rdrei");
    auto betrag = doc->Range(7, 10);
    EXPECT_EQ(betrag.Text(), "100");
    doc->Range(0, 0).InsertBefore("Die ");
    EXPECT_EQ(betrag.Text(), "100");
    doc->Range(0, 4).Delete();
    EXPECT_EQ(betrag.Text(), "100");
    doc->Range(5, 9).Delete();  // ": 10" overlaps the start
    EXPECT_EQ(betrag.Start(), 5);
    EXPECT_EQ(betrag.Text(), "0");
    doc->Range(7, 10).Delete();  // "€\rz", across a paragraph mark: the paragraphs are joined
    EXPECT_EQ(doc->Content().Text(), "Summe0 wei\rdrei\r");
    // the last paragraph mark cannot go
    doc->Content().Delete();
    EXPECT_EQ(doc->Content().Text(), "\r");
}

TEST(WordText, BoldAndFontSizeSurviveSaving) {
    auto doc = test::MitText("normal fett normal");
    doc->Range(7, 11).SetBold(wdTrue);
    doc->Range(0, 6).SetFontSize(9);
    EXPECT_EQ(doc->Range(7, 11).Bold(), wdTrue);
    EXPECT_EQ(doc->Range(0, 11).Bold(), wdUndefined);
    auto wieder = test::GespeichertUndGeoeffnet(*doc, test::TempOrdner() / "fett.docx");
    EXPECT_EQ(wieder->Content().Text(), "normal fett normal\r");
    EXPECT_EQ(wieder->Range(7, 11).Bold(), wdTrue);
    EXPECT_EQ(wieder->Range(12, 18).Bold(), wdFalse);
    EXPECT_DOUBLE_EQ(wieder->Range(0, 6).FontSize(), 9.0);
}

// Positions count characters, not bytes (the euro sign).
TEST(WordText, TypeTextReplacesTheSelectionAtCharacterPositions) {
    auto doc = test::MitText("Gesamt  1.000,00 € netto");
    EXPECT_EQ(doc->Content().End(), 25);
    auto sel = doc->Application()->Selection();
    doc->Range(6, 6).Select();
    sel.MoveEnd(wdCharacter, 15);
    std::string text = sel.Text();
    EXPECT_EQ(text, "  1.000,00 € ne");
    sel.Collapse(wdCollapseStart);
    auto p = text.find(" €");
    sel.MoveEnd(wdCharacter, static_cast<long>(p) + 1 + 2);
    sel.TypeText("    2.500,00 € ");
    EXPECT_EQ(doc->Content().Text(), "Gesamt    2.500,00 € netto\r");
    EXPECT_EQ(sel.Start(), 21);
    EXPECT_EQ(sel.End(), 21);
}

TEST(WordText, ErrorsHaveNumbers) {
    auto doc = Document::New();
    Table t = doc->Tables().Add(doc->Range(0, 0), 2, 3);
    EXPECT_EQ(vktest::FehlerVon([&] { t.Cell(3, 1); }).nummer, vk::fehlernummer::UngueltigesArgument);
    EXPECT_EQ(vktest::FehlerVon([&] { doc->Tables().Item(2); }).nummer, vk::fehlernummer::IndexAusserhalb);
    EXPECT_EQ(vktest::FehlerVon([] { Range().Text(); }).nummer, vk::fehlernummer::ObjektNichtFestgelegt);
    t.Delete();
    EXPECT_EQ(vktest::FehlerVon([&] { t.Cell(1, 1); }).nummer, vk::fehlernummer::ObjektNichtFestgelegt);
}
