// Tables: where Tables.Add puts them, deleting and replacing in place, widths, heights, formats.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/fehler.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

Range Am(std::shared_ptr<Document>& doc, long pos) { return doc->Range(pos, pos); }

std::shared_ptr<Document> Vorlage() {
    auto doc = test::MitText("Sehr geehrte Damen und Herren,\rPositionen\rMit freundlichen Grüßen");
    auto anker = doc->Range(31, 41);
    EXPECT_EQ(anker.Text(), "Positionen");
    doc->Comments().Add(anker, "kalStart");
    return doc;
}

pugi::xml_document DokumentXml(const std::filesystem::path& pfad) {
    pugi::xml_document x;
    std::string inhalt = test::ZipTeil(pfad, "word/document.xml");
    x.load_buffer(inhalt.data(), inhalt.size());
    return x;
}

}  // namespace

TEST(WordTabelle, AddAtParagraphStartMiddleAndEndAndTablesNeverTouch) {
    auto doc = test::MitText("vorher\rmitte\rnachher");
    doc->Tables().Add(Am(doc, 7), 1, 1).Cell(1, 1).Range().InsertAfter("A");  // start of "mitte"
    EXPECT_EQ(doc->Content().Text(), "vorher\rA\r\a\r\amitte\rnachher\r");
    auto t2 = doc->Tables().Add(Am(doc, 14), 1, 1);  // inside "mitte": mi|tte
    t2.Cell(1, 1).Range().InsertAfter("B");
    EXPECT_EQ(doc->Content().Text(), "vorher\rA\r\a\r\ami\rB\r\a\r\atte\rnachher\r");
    auto ende = doc->Content();
    ende.Collapse(wdCollapseEnd);
    ende.InsertParagraphAfter();
    ende.Collapse(wdCollapseEnd);
    doc->Tables().Add(ende, 1, 1).Cell(1, 1).Range().InsertAfter("C");
    EXPECT_EQ(doc->Tables().Count(), 3);
    EXPECT_EQ(doc->Tables().Item(3).Cell(1, 1).Range().Text(), "C\r\a");
    // the story still ends in a paragraph after the last table
    std::string text = doc->Content().Text();
    EXPECT_EQ(text.substr(text.size() - 5), "\r\a\r\a\r");

    // Tables never touch: one added right after another gets a paragraph between them.
    doc = Document::New();
    auto erste = doc->Tables().Add(doc->Range(0, 0), 1, 1);
    auto nach = erste.Range();
    nach.Collapse(wdCollapseEnd);
    EXPECT_FALSE(erste.IsSame(doc->Tables().Add(nach, 1, 1)));
    auto pfad = test::TempOrdner() / "zwei.docx";
    doc->Save(pfad);
    auto x = DokumentXml(pfad);
    pugi::xml_node body = x.child("w:document").child("w:body");
    std::string folge;
    for (pugi::xml_node k : body.children()) folge += std::string(k.name()) + " ";
    EXPECT_EQ(folge, "w:tbl w:p w:tbl w:p w:sectPr ");
}

TEST(WordTabelle, NewTablesBeforeKalStartKeepTheAnchorAndTheSelectionKnowsItsTable) {
    auto doc = Vorlage();
    auto t1 = doc->Tables().Add(test::VorKalStart(*doc), 2, 5);
    t1.Cell(1, 1).Range().InsertAfter("Grenzbescheinigungen");
    auto t2 = doc->Tables().Add(test::VorKalStart(*doc), 2, 4);
    t2.Cell(1, 2).Range().InsertAfter("Summe");
    ASSERT_EQ(doc->Tables().Count(), 2);
    EXPECT_TRUE(doc->Tables().Item(1).IsSame(t1));
    EXPECT_TRUE(doc->Tables().Item(2).IsSame(t2));
    Comment kal = doc->Comments().Item(1);
    EXPECT_EQ(kal.Text(), "kalStart");
    EXPECT_EQ(kal.Reference().Text(), "Positionen");
    EXPECT_LT(t2.Range().End(), kal.Reference().Start());
    EXPECT_GT(t1.Range().Start(), doc->Content().Text().find("Herren,"));
    // the selection knows its table, which holds no tag of the text after it
    auto sel = doc->Application()->Selection();
    doc->Range(1, 1).Select();
    EXPECT_EQ(sel.Tables().Count(), 0);
    t2.Cell(2, 1).Range().Select();
    ASSERT_EQ(sel.Tables().Count(), 1);
    EXPECT_TRUE(sel.Tables().Item(1).IsSame(t2));
    EXPECT_TRUE(sel.Tables().Item(1) == doc->Tables().Item(2));
    EXPECT_EQ(sel.Tables().Item(1).Range().Comments().Count(), 0);

    auto wieder = test::GespeichertUndGeoeffnet(*doc, test::TempOrdner() / "kal.docx");
    EXPECT_EQ(wieder->Comments().Item(1).Reference().Text(), "Positionen");
    EXPECT_EQ(wieder->Tables().Item(1).Cell(1, 1).Range().Text(), "Grenzbescheinigungen\r\a");
}

TEST(WordTabelle, ReplacedInPlaceThroughALiveRange) {
    auto doc = Vorlage();
    for (const char* titel : {"A", "B", "C"})
        doc->Tables().Add(test::VorKalStart(*doc), 2, 2).Cell(1, 1).Range().InsertAfter(titel);
    Table alt = doc->Tables().Item(2);
    Range ort = alt.Range();
    auto ganzerText = doc->Content();
    alt.Delete();
    EXPECT_EQ(ort.Start(), ort.End());  // collapsed to the table's place
    ort.Collapse(wdCollapseEnd);
    EXPECT_EQ(doc->Tables().Count(), 2);
    Table neu = doc->Tables().Add(ort, 3, 2);
    neu.Cell(1, 1).Range().InsertAfter("B2");
    ASSERT_EQ(doc->Tables().Count(), 3);
    EXPECT_EQ(doc->Tables().Item(1).Cell(1, 1).Range().Text(), "A\r\a");
    EXPECT_TRUE(doc->Tables().Item(2).IsSame(neu));
    EXPECT_EQ(doc->Tables().Item(3).Cell(1, 1).Range().Text(), "C\r\a");
    // the whole-content range handed out before kept covering the whole story
    EXPECT_EQ(ganzerText.Text(), doc->Content().Text());
    EXPECT_THROW(alt.Range(), vk::LaufzeitFehler);
}

TEST(WordTabelle, CellWidthsMakeOneSharedGrid) {
    auto doc = Document::New();
    Table t = doc->Tables().Add(doc->Range(0, 0), 3, 3);
    const double cm[] = {5.6, 3.5, 3.0};
    for (int s = 1; s <= 3; ++s) t.Columns().Item(s).SetWidth(Application::CentimetersToPoints(cm[s - 1]), 0);
    // row 2 and 3 get other widths, the way a category narrows the rows below its header
    t.Cell(2, 1).Select();
    auto sel = doc->Application()->Selection();
    sel.MoveDown(wdLine, 1, wdExtend);
    EXPECT_EQ(sel.Cells().Count(), 2);
    sel.Cells().SetWidth(Application::CentimetersToPoints(2.0));
    t.Cell(2, 2).SetWidth(Application::CentimetersToPoints(7.1));
    t.Cell(3, 2).SetWidth(Application::CentimetersToPoints(4.0));
    for (int z = 1; z <= 3; ++z) t.Cell(z, 1).Range().InsertAfter("z" + std::to_string(z));

    auto pfad = test::TempOrdner() / "gitter.docx";
    auto wieder = test::GespeichertUndGeoeffnet(*doc, pfad);
    auto x = DokumentXml(pfad);
    pugi::xml_node tbl = x.child("w:document").child("w:body").child("w:tbl");
    std::vector<long> gitter;
    for (pugi::xml_node g : tbl.child("w:tblGrid").children("w:gridCol")) gitter.push_back(g.attribute("w:w").as_int());
    // every row: each cell spans exactly the grid columns that add up to its width
    long zeilen = 0;
    for (pugi::xml_node tr : tbl.children("w:tr")) {
        ++zeilen;
        std::size_t spalte = tr.child("w:trPr").child("w:gridBefore").attribute("w:val").as_int(0);
        for (pugi::xml_node tc : tr.children("w:tc")) {
            long breite = tc.child("w:tcPr").child("w:tcW").attribute("w:w").as_int();
            long spann = tc.child("w:tcPr").child("w:gridSpan").attribute("w:val").as_int(1);
            long summe = 0;
            for (long k = 0; k < spann; ++k) {
                ASSERT_LT(spalte, gitter.size());
                summe += gitter[spalte++];
            }
            EXPECT_NEAR(summe, breite, 3) << "row " << zeilen;
        }
        spalte += tr.child("w:trPr").child("w:gridAfter").attribute("w:val").as_int(0);
        EXPECT_EQ(spalte, gitter.size()) << "row " << zeilen;
    }
    EXPECT_EQ(zeilen, 3);
    EXPECT_GE(gitter.size(), 5u);
    EXPECT_NEAR(wieder->Tables().Item(1).Cell(2, 2).Width(), Application::CentimetersToPoints(7.1), 0.1);
}

TEST(WordTabelle, RowHeightBordersAlignmentAndTabStop) {
    auto doc = Document::New();
    Table t = doc->Tables().Add(doc->Range(0, 0), 3, 4);
    t.Select();
    auto sel = doc->Application()->Selection();
    for (int seite = -1; seite >= -6; --seite) sel.Borders().Item(seite).SetLineStyle(wdLineStyleNone);
    sel.ParagraphFormat().SetAlignment(wdAlignParagraphRight);
    t.Columns().Item(4).Select();
    sel.ParagraphFormat().TabStops().Add(Application::CentimetersToPoints(2.0), wdAlignTabDecimal, wdTabLeaderSpaces);
    t.Rows().Item(2).SetHeight(6, wdRowHeightExactly);
    Row neu = t.Rows().Add();
    EXPECT_EQ(neu.Index(), 4);
    EXPECT_EQ(t.Rows().Count(), 4);
    neu.Cell(4).Range().InsertAfter("   357,00 €");
    EXPECT_EQ(sel.Borders().Item(wdBorderTop).LineStyle(), wdLineStyleNone);

    auto pfad = test::TempOrdner() / "format.docx";
    auto wieder = test::GespeichertUndGeoeffnet(*doc, pfad);
    auto x = DokumentXml(pfad);
    pugi::xml_node tbl = x.child("w:document").child("w:body").child("w:tbl");
    for (const char* seite : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
        EXPECT_STREQ(tbl.child("w:tblPr").child("w:tblBorders").child(seite).attribute("w:val").value(), "nil") << seite;
    std::vector<pugi::xml_node> zeilen;
    for (pugi::xml_node tr : tbl.children("w:tr")) zeilen.push_back(tr);
    ASSERT_EQ(zeilen.size(), 4u);
    pugi::xml_node trHeight = zeilen[1].child("w:trPr").child("w:trHeight");
    EXPECT_STREQ(trHeight.attribute("w:val").value(), "120");
    EXPECT_STREQ(trHeight.attribute("w:hRule").value(), "exact");
    pugi::xml_node p = zeilen[0].child("w:tc").child("w:p");
    EXPECT_STREQ(p.child("w:pPr").child("w:jc").attribute("w:val").value(), "right");
    pugi::xml_node letzte;
    for (pugi::xml_node tc : zeilen[0].children("w:tc")) letzte = tc;
    pugi::xml_node tab = letzte.child("w:p").child("w:pPr").child("w:tabs").child("w:tab");
    EXPECT_STREQ(tab.attribute("w:val").value(), "decimal");
    EXPECT_STREQ(tab.attribute("w:pos").value(), "1134");
    EXPECT_EQ(zeilen[0].child("w:tc").child("w:p").child("w:pPr").child("w:tabs"), pugi::xml_node());

    Table w = wieder->Tables().Item(1);
    EXPECT_EQ(w.Rows().Item(2).HeightRule(), wdRowHeightExactly);
    EXPECT_DOUBLE_EQ(w.Rows().Item(2).Height(), 6.0);
    EXPECT_EQ(w.Cell(4, 4).Range().Text(), "   357,00 €\r\a");
}

TEST(WordTabelle, BookmarkOnACellIsMovedNotDoubled) {
    auto doc = Document::New();
    Table t = doc->Tables().Add(doc->Range(0, 0), 2, 5);
    t.Cell(1, 5).Range().InsertAfter("Betrag");
    auto marken = doc->Bookmarks();
    marken.Add("VK_LP_02_1", t.Cell(1, 5).Range());
    marken.SetDefaultSorting(wdSortByName);
    marken.SetShowHidden(true);
    marken.Add("VK_LP_02_1", t.Cell(2, 5).Range());
    EXPECT_EQ(marken.Count(), 1);
    auto wieder = test::GespeichertUndGeoeffnet(*doc, test::TempOrdner() / "marke.docx");
    ASSERT_TRUE(wieder->Bookmarks().Exists("VK_LP_02_1"));
    EXPECT_EQ(wieder->Bookmarks().Count(), 1);
    EXPECT_TRUE(wieder->Bookmarks().Item("VK_LP_02_1").InRange(wieder->Tables().Item(1).Cell(2, 5).Range()));
    EXPECT_EQ(wieder->Tables().Item(1).Cell(1, 5).Range().Text(), "Betrag\r\a");
    EXPECT_FALSE(wieder->Bookmarks().Exists("VK_LP_02_2"));
}

// A new table takes the style the document names for new tables, as a word processor inserts one,
// and only when the styles part holds it as a table style.
TEST(WordTabelle, NewTableTakesTheStyleForNewTables) {
    auto vorlage = test::TempOrdner() / "vorlage.docx";
    auto doc = test::MitText("Positionen");
    doc->Save(vorlage);
    const std::string einstellungen = test::ZipTeil(vorlage, "word/settings.xml");
    const std::string verweis = "<w:defaultTableStyle w:val=\"Rechnungstabelle\"/>";
    ASSERT_NE(einstellungen.find(verweis), std::string::npos) << einstellungen;
    // the blank document's own setting; a paragraph style; a style that is not there; no setting
    const std::pair<const char*, const char*> faelle[] = {{"<w:defaultTableStyle w:val=\"Rechnungstabelle\"/>", "Rechnungstabelle"},
                                                          {"<w:defaultTableStyle w:val=\"Standard\"/>", ""},
                                                          {"<w:defaultTableStyle w:val=\"Fehlt\"/>", ""},
                                                          {"", ""}};
    for (const auto& [ersatz, erwartet] : faelle) {
        std::string e = einstellungen;
        e.replace(e.find(verweis), verweis.size(), ersatz);
        test::ZipTeilSetzen(vorlage, "word/settings.xml", e);
        auto neu = Document::Open(vorlage);
        neu->Tables().Add(Am(neu, 0), 1, 2);
        auto ziel = test::TempOrdner() / "neu.docx";
        neu->Save(ziel);
        const auto xml = DokumentXml(ziel);  // kept: the nodes below live in it
        pugi::xml_node tblPr = xml.child("w:document").child("w:body").child("w:tbl").child("w:tblPr");
        EXPECT_STREQ(tblPr.child("w:tblStyle").attribute("w:val").value(), erwartet) << ersatz;
        if (*erwartet) {
            EXPECT_STREQ(tblPr.first_child().name(), "w:tblStyle");  // first, as the schema orders it
        }
    }
}
