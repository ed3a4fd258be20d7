// Comments as tags: anchors of both kinds, order, the comments part, removal with their table.
#include <gtest/gtest.h>

#include <set>

#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

std::shared_ptr<Document> MitTabelle(Table& t) {
    auto doc = test::MitText("Rechnung");
    auto ende = doc->Content();
    ende.Collapse(wdCollapseEnd);
    t = doc->Tables().Add(ende, 3, 5);
    t.Cell(1, 1).Range().InsertAfter("Titel");
    t.Cell(2, 5).Range().InsertAfter("  100,00 €");
    t.Cell(3, 5).Range().InsertAfter("   50,00 €");
    return doc;
}

// Takes the range marks of one comment out of the document part, leaving only its reference,
// the way some writers store a comment on a point.
void NurReferenzLassen(const std::filesystem::path& pfad, const std::string& id) {
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    for (const char* marke : {"<w:commentRangeStart w:id=\"", "<w:commentRangeEnd w:id=\""}) {
        std::string such = std::string(marke) + id + "\"/>";
        auto p = xml.find(such);
        ASSERT_NE(p, std::string::npos) << such;
        xml.erase(p, such.size());
    }
    test::ZipTeilSetzen(pfad, "word/document.xml", xml);
}

}  // namespace

TEST(WordKommentar, TagsInTheRightCell) {
    Table t;
    auto doc = MitTabelle(t);
    t.Cell(1, 5).Select();
    auto sel = doc->Application()->Selection();
    doc->Comments().Add(sel.Range(), "VK_LP_02_5");
    t.Cell(3, 5).Range().Select();
    doc->Comments().Add(sel.Range(), "0");
    auto punkt = t.Cell(2, 5).Range();
    punkt.Collapse(wdCollapseStart);
    doc->Comments().Add(punkt, "no");

    auto pfad = test::TempOrdner() / "tags.docx";
    doc->Save(pfad);
    NurReferenzLassen(pfad, doc->Comments().Item(2).Id());  // the point comment on (2,5)

    // The tag on the empty cell (1,5) has both its places at the end of the cell's paragraph: its
    // range still begins before it ends in the file (the first marks in the file are its own).
    const std::string xml = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_LT(xml.find("<w:commentRangeStart "), xml.find("<w:commentRangeEnd ")) << xml;
    auto wieder = Document::Open(pfad);
    test::PythonLiestGleich(*wieder, pfad);
    Table w = wieder->Tables().Item(1);
    ASSERT_EQ(w.Range().Comments().Count(), 3);
    EXPECT_EQ(w.Range().Comments().Item(1).Text(), "VK_LP_02_5");  // first comment of the table
    auto c15 = w.Cell(1, 5).Range().Comments();
    ASSERT_EQ(c15.Count(), 1);
    EXPECT_EQ(c15.Item(1).Text(), "VK_LP_02_5");
    auto c25 = w.Cell(2, 5).Range().Comments();
    ASSERT_EQ(c25.Count(), 1);
    EXPECT_EQ(c25.Item(1).Text(), "no");
    Range ref = c25.Item(1).Reference();
    EXPECT_EQ(ref.Start(), ref.End());
    EXPECT_TRUE(ref.InRange(w.Cell(2, 5).Range()));
    auto c35 = w.Cell(3, 5).Range().Comments();
    ASSERT_EQ(c35.Count(), 1);
    EXPECT_EQ(c35.Item(1).Text(), "0");
    EXPECT_EQ(c35.Item(1).Reference().Text(), "   50,00 €");  // the cell's text, without its mark
    EXPECT_EQ(w.Cell(1, 1).Range().Comments().Count(), 0);
    // the texts of the cells did not change by the tags
    EXPECT_EQ(w.Cell(2, 5).Range().Text(), "  100,00 €\r\a");
}

// A document saved without comments has no comments part; the first comment added to it creates
// the part with its content type and relationship. Comments count in the order of their anchors,
// with ids of their own, also beside those read from the file.
TEST(WordKommentar, CommentsPartIsCreatedAndCommentsCountInAnchorOrderWithUniqueIds) {
    auto pfad = test::TempOrdner() / "reihe.docx";
    test::MitText("eins zwei drei")->Save(pfad);
    EXPECT_EQ(test::ZipTeil(pfad, "word/comments.xml"), "");
    auto doc = Document::Open(pfad);
    doc->Comments().Add(doc->Range(10, 14), "drei");
    doc->Comments().Add(doc->Range(0, 4), "eins");
    doc->Comments().Add(doc->Range(5, 9), "zwei");
    std::vector<std::string> texte;
    std::set<std::string> ids;
    for (Comment c : doc->Comments()) {
        texte.push_back(c.Text());
        ids.insert(c.Id());
    }
    EXPECT_EQ(texte, (std::vector<std::string>{"eins", "zwei", "drei"}));
    EXPECT_EQ(ids.size(), 3u);
    doc->Save(pfad);
    EXPECT_NE(test::ZipTeil(pfad, "word/comments.xml").find("drei"), std::string::npos);
    EXPECT_NE(test::ZipTeil(pfad, "[Content_Types].xml").find("/word/comments.xml"), std::string::npos);
    EXPECT_NE(test::ZipTeil(pfad, "word/_rels/document.xml.rels").find("relationships/comments"), std::string::npos);

    auto wieder = Document::Open(pfad);
    wieder->Comments().Add(wieder->Range(0, 0), "vorne");
    for (Comment c : wieder->Comments()) ids.insert(c.Id());
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(wieder->Comments().Item(1).Text(), "vorne");
    EXPECT_EQ(wieder->Comments().Item(2).Reference().Text(), "eins");
    EXPECT_EQ(wieder->Comments().Item(4).Reference().Text(), "drei");
}

// The tags of a table go with it, and so does a comment whose range begins in the text before the
// table and ends in it: no mark of them stays in the text, whether their marks are taken from the
// story as read or looked for in the document (the marks changed since the last reading).
TEST(WordKommentar, DeletingATableTakesItsTagsAndMarksBeforeIt) {
    const auto anzahl = [](const std::string& xml, const std::string& was) {
        long n = 0;
        for (auto p = xml.find(was); p != std::string::npos; p = xml.find(was, p + 1)) ++n;
        return n;
    };
    for (const bool gelesen : {true, false}) {
        SCOPED_TRACE(gelesen ? "marks as read" : "marks changed since");
        Table t;
        auto doc = MitTabelle(t);
        doc->Comments().Add(t.Cell(2, 5).Range(), "RE_Summe");
        doc->Comments().Add(doc->Range(4, 12), "Spanne");  // from "ung" into the first cell
        if (gelesen) {
            doc->Comments().Add(doc->Range(0, 2), "kalStart");
            ASSERT_EQ(doc->Comments().Count(), 3);
        } else {
            ASSERT_EQ(doc->Comments().Count(), 2);
            doc->Comments().Add(doc->Range(0, 2), "kalStart");
        }
        t.Delete();
        ASSERT_EQ(doc->Comments().Count(), 1);
        EXPECT_EQ(doc->Comments().Item(1).Text(), "kalStart");
        EXPECT_EQ(doc->Content().Text(), "Rechnung\r\r");  // the paragraph after the table stays
        auto pfad = test::TempOrdner() / "spanne.docx";
        test::GespeichertUndGeoeffnet(*doc, pfad);
        const std::string xml = test::ZipTeil(pfad, "word/document.xml");
        EXPECT_EQ(anzahl(xml, "<w:commentRangeStart "), 1) << xml;
        EXPECT_EQ(anzahl(xml, "<w:commentRangeEnd "), 1) << xml;
        EXPECT_EQ(anzahl(xml, "<w:commentReference "), 1) << xml;
        for (const char* weg : {"Spanne", "RE_Summe"})
            EXPECT_EQ(test::ZipTeil(pfad, "word/comments.xml").find(weg), std::string::npos) << weg;
    }
}

// A comment or bookmark that begins in a table and ends after it outlives the table: its start
// stays where the table was, with its end and reference, as a word processor keeps it.
TEST(WordKommentar, DeletingATableLeavesCommentsBegunInIt) {
    Table t;
    auto doc = MitTabelle(t);
    Range ende = doc->Content();
    ende.Collapse(wdCollapseEnd);
    ende.InsertAfter("Schlusssatz");
    const long zelle = t.Cell(3, 5).Range().Start();
    const long schluss = t.Range().End();  // the closing sentence's paragraph follows the table
    doc->Comments().Add(doc->Range(zelle + 3, schluss + 7), "Anmerkung");
    doc->Bookmarks().Add("Zeichen", doc->Range(zelle + 3, schluss + 4));
    t.Delete();
    ASSERT_EQ(doc->Comments().Count(), 1);
    EXPECT_EQ(doc->Comments().Item(1).Text(), "Anmerkung");
    auto pfad = test::TempOrdner() / "angefangen.docx";
    auto wieder = test::GespeichertUndGeoeffnet(*doc, pfad);
    const std::string xml = test::ZipTeil(pfad, "word/document.xml");
    for (const char* marke : {"<w:commentRangeStart ", "<w:commentRangeEnd ", "<w:commentReference ", "<w:bookmarkStart ",
                              "<w:bookmarkEnd "})
        EXPECT_NE(xml.find(marke), std::string::npos) << marke << "\n" << xml;
    EXPECT_LT(xml.find("<w:commentRangeStart "), xml.find("<w:commentRangeEnd "));
    EXPECT_LT(xml.find("<w:bookmarkStart "), xml.find("<w:bookmarkEnd "));
    ASSERT_EQ(wieder->Comments().Count(), 1);
    EXPECT_EQ(wieder->Comments().Item(1).Text(), "Anmerkung");
    // the comment now covers the start of the closing sentence, from where the table stood
    const std::string text = wieder->Comments().Item(1).Reference().Text();
    EXPECT_EQ(text.substr(text.size() - 7), "Schluss") << text;
}
