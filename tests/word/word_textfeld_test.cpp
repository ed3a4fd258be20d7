// Text boxes (shapes named in their drawing properties), view flags and document settings.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/fehler.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

TEST(WordTextfeld, CreateFindLabelDelete) {
    auto pfad = test::TempOrdner() / "box.docx";
    auto neu = test::MitText("Anschreiben");
    auto sel = neu->Application()->Selection();
    neu->Range(0, 0).Select();
    Shape neueBox = neu->Shapes().AddTextbox(msoTextOrientationHorizontal, 70.5, 766.5, 450.75, 54);
    neueBox.SetName("Zahlungsziel");
    neueBox.Line().SetVisible(false);
    neueBox.Fill().SetVisible(false);
    neueBox.SetRelativeVerticalPosition(wdRelativeVerticalPositionPage);
    neueBox.SetTop(Application::CentimetersToPoints(27.0));
    neueBox.TextFrame().TextRange().Select();
    sel.ParagraphFormat().SetAlignment(wdAlignParagraphCenter);
    sel.TypeText("Zahlbar bis zum 20.12.26");
    EXPECT_EQ(neu->Content().Text(), "Anschreiben\r");  // the anchor adds nothing to the text
    auto doc = test::GespeichertUndGeoeffnet(*neu, pfad);
    ASSERT_EQ(doc->Shapes().Count(), 1);
    Shape box = doc->Shapes().Item(1);
    EXPECT_EQ(box.Name(), "Zahlungsziel");
    EXPECT_FALSE(box.Line().Visible());
    EXPECT_FALSE(box.Fill().Visible());
    EXPECT_EQ(box.RelativeVerticalPosition(), wdRelativeVerticalPositionPage);
    EXPECT_NEAR(box.Top(), Application::CentimetersToPoints(27.0), 0.01);
    EXPECT_NEAR(box.Left(), 70.5, 0.01);
    EXPECT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar bis zum 20.12.26\r");
    EXPECT_EQ(box.TextFrame().TextRange().ParagraphFormat().Alignment(), wdAlignParagraphCenter);
    // a VML text box that the text flows above and below, placed from the page's top edge
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_NE(xml.find("<w:pict><v:rect id=\"Zahlungsziel\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("margin-top:765.35pt"), std::string::npos) << xml;
    EXPECT_NE(xml.find("mso-position-vertical-relative:page"), std::string::npos) << xml;
    EXPECT_NE(xml.find("stroked=\"f\" filled=\"f\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("<w10:wrap type=\"topAndBottom\" anchorx=\"page\" anchory=\"page\"/>"), std::string::npos) << xml;

    for (Shape s : doc->Shapes())
        if (s.Name() == "Zahlungsziel") s.Delete();
    EXPECT_EQ(doc->Shapes().Count(), 0);
    EXPECT_THROW(box.Name(), vk::LaufzeitFehler);
    doc->Save(pfad);
    EXPECT_EQ(test::ZipTeil(pfad, "word/document.xml").find("wp:anchor"), std::string::npos);
    EXPECT_EQ(Document::Open(pfad)->Content().Text(), "Anschreiben\r");
}

// The view flags and settings switched off are written to their place in the settings part's
// sequence and read back, in the blank document's part and in one without w:defaultTabStop that
// holds later settings such as w:compat and w:rsids.
TEST(WordTextfeld, ViewFlagsAndSettingsInTheirPlace) {
    const std::string fremd =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><w:settings xmlns:w=\"http://schemas.openxmlformats.org/"
        "wordprocessingml/2006/main\"><w:zoom w:percent=\"100\"/><w:characterSpacingControl w:val=\"doNotCompress\"/><w:compat/>"
        "<w:rsids><w:rsidRoot w:val=\"00A1\"/></w:rsids><w:decimalSymbol w:val=\",\"/></w:settings>";
    for (const bool eigener : {true, false}) {
        SCOPED_TRACE(eigener ? "blank document's settings" : "foreign settings");
        auto pfad = test::TempOrdner() / "ansicht.docx";
        test::MitText("Rechnung")->Save(pfad);
        if (!eigener) test::ZipTeilSetzen(pfad, "word/settings.xml", fremd);
        auto doc = Document::Open(pfad);
        auto view = doc->Application()->ActiveWindow().View();
        EXPECT_TRUE(view.ShowComments());
        view.SetShowHiddenText(false);
        view.SetShowAll(false);
        view.SetShowComments(false);
        view.SetShowInsertionsAndDeletions(false);
        view.SetShowFormatting(false);
        doc->Settings().SetShowSpellingErrors(false);
        doc->Settings().SetShowGrammaticalErrors(false);
        doc->Save(pfad);
        const std::string xml = test::ZipTeil(pfad, "word/settings.xml");
        EXPECT_NE(xml.find("w:comments=\"0\""), std::string::npos) << xml;
        EXPECT_NE(xml.find("w:insDel=\"0\""), std::string::npos) << xml;
        std::vector<std::size_t> stellen;
        for (const char* name : eigener ? std::vector<const char*>{"<w:hideSpellingErrors/><w:hideGrammaticalErrors/>",
                                                                   "<w:revisionView", "<w:defaultTabStop"}
                                        : std::vector<const char*>{"<w:zoom", "<w:hideSpellingErrors", "<w:hideGrammaticalErrors",
                                                                   "<w:revisionView", "<w:characterSpacingControl", "<w:compat",
                                                                   "<w:rsids", "<w:decimalSymbol"}) {
            stellen.push_back(xml.find(name));
            EXPECT_NE(stellen.back(), std::string::npos) << name << " missing: " << xml;
        }
        EXPECT_TRUE(std::is_sorted(stellen.begin(), stellen.end())) << xml;
        auto wieder = Document::Open(pfad);
        EXPECT_FALSE(wieder->Application()->ActiveWindow().View().ShowComments());
        EXPECT_FALSE(wieder->Settings().ShowSpellingErrors());
    }
}

namespace {

// A document whose first paragraph holds a text box as Word 2010 and later write one: a DrawingML
// anchor as the choice of an alternate-content block, the same box in VML as its fallback.
void MitWordTextfeld(const std::filesystem::path& pfad) {
    auto doc = test::MitText("Anschreiben");
    doc->Save(pfad);
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    const std::string box =
        "<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing>"
        "<wp:anchor distT=\"0\" distB=\"0\" distL=\"114300\" distR=\"114300\" simplePos=\"0\" relativeHeight=\"2\" "
        "behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"1\"><wp:simplePos x=\"0\" y=\"0\"/>"
        "<wp:positionH relativeFrom=\"column\"><wp:posOffset>12700</wp:posOffset></wp:positionH>"
        "<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>254000</wp:posOffset></wp:positionV>"
        "<wp:extent cx=\"1270000\" cy=\"635000\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/><wp:wrapSquare wrapText=\"bothSides\"/>"
        "<wp:docPr id=\"7\" name=\"Textfeld 7\"/><wp:cNvGraphicFramePr/><a:graphic><a:graphicData "
        "uri=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\"><wps:wsp><wps:cNvSpPr txBox=\"1\"/>"
        "<wps:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" cy=\"635000\"/></a:xfrm><a:prstGeom prst=\"rect\">"
        "<a:avLst/></a:prstGeom><a:solidFill><a:srgbClr val=\"FFFFFF\"/></a:solidFill><a:ln w=\"6350\"><a:solidFill>"
        "<a:srgbClr val=\"000000\"/></a:solidFill></a:ln></wps:spPr><wps:txbx><w:txbxContent><w:p><w:r><w:t>Logo</w:t></w:r>"
        "</w:p></w:txbxContent></wps:txbx><wps:bodyPr/></wps:wsp></a:graphicData></a:graphic></wp:anchor></w:drawing>"
        "</mc:Choice><mc:Fallback><w:pict><v:rect id=\"Textfeld 7\" style=\"position:absolute;margin-left:1pt;"
        "margin-top:20pt;width:100pt;height:50pt\"><v:textbox><w:txbxContent><w:p><w:r><w:t>Logo</w:t></w:r></w:p>"
        "</w:txbxContent></v:textbox></v:rect></w:pict></mc:Fallback></mc:AlternateContent></w:r>";
    const std::size_t p = xml.find("<w:r>");
    ASSERT_NE(p, std::string::npos);
    xml.insert(p, box);
    xml.replace(xml.find("<w:document "), 12,
                "<w:document xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
                "xmlns:v=\"urn:schemas-microsoft-com:vml\" ");
    test::ZipTeilSetzen(pfad, "word/document.xml", xml);
}

std::vector<std::string> Namen(const Document& d) {
    std::vector<std::string> aus;
    for (Shape s : d.Shapes()) aus.push_back(s.Name());
    return aus;
}

}  // namespace

// A box Word wrote is one shape (its VML fallback is not a second one) and is edited in its DrawingML;
// a box added beside it is VML; both keep their own text out of the main text.
TEST(WordTextfeld, AWordProcessorsDrawingMlBoxAndANewOneSideBySide) {
    auto pfad = test::TempOrdner() / "word.docx";
    MitWordTextfeld(pfad);
    auto doc = Document::Open(pfad);
    ASSERT_EQ(doc->Shapes().Count(), 1);
    Shape logo = doc->Shapes().Item(1);
    EXPECT_EQ(logo.Name(), "Textfeld 7");
    EXPECT_EQ(logo.TextFrame().TextRange().Text(), "Logo\r");
    EXPECT_EQ(logo.RelativeVerticalPosition(), wdRelativeVerticalPositionParagraph);
    EXPECT_NEAR(logo.Top(), 20.0, 0.01);
    EXPECT_NEAR(logo.Width(), 100.0, 0.01);
    EXPECT_TRUE(logo.Line().Visible());
    logo.Line().SetVisible(false);
    logo.SetTop(30);

    Shape neu = doc->Shapes().AddTextbox(msoTextOrientationHorizontal, 70.5, 766.5, 450.75, 54);
    EXPECT_EQ(neu.Name(), "Textfeld 2");
    EXPECT_TRUE(neu.Line().Visible());
    EXPECT_TRUE(neu.Fill().Visible());
    EXPECT_EQ(neu.RelativeVerticalPosition(), wdRelativeVerticalPositionPage);
    EXPECT_NEAR(neu.Left(), 70.5, 0.01);
    EXPECT_NEAR(neu.Height(), 54.0, 0.01);
    neu.TextFrame().TextRange().InsertAfter("Zahlbar sofort");
    EXPECT_EQ(doc->Content().Text(), "Anschreiben\r");

    auto wieder = test::GespeichertUndGeoeffnet(*doc, pfad);
    ASSERT_EQ(wieder->Shapes().Count(), 2);
    EXPECT_EQ(wieder->Shapes().Item(1).Name(), "Textfeld 2");
    EXPECT_EQ(wieder->Shapes().Item(1).TextFrame().TextRange().Text(), "Zahlbar sofort\r");
    EXPECT_FALSE(wieder->Shapes().Item(2).Line().Visible());
    EXPECT_NEAR(wieder->Shapes().Item(2).Top(), 30.0, 0.01);
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_NE(xml.find("<wp:posOffset>381000</wp:posOffset>"), std::string::npos);  // 30 pt in EMU

    wieder->Shapes().Item(2).Delete();  // the fallback goes with the choice
    wieder->Save(pfad);
    xml = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_EQ(xml.find("mc:AlternateContent"), std::string::npos);
    EXPECT_EQ(xml.find("Logo"), std::string::npos);
    EXPECT_EQ(Document::Open(pfad)->Shapes().Count(), 1);
}

// Place and size of a VML shape in the units Word 2003 documents use.
TEST(WordTextfeld, VmlPlacesInInchesAndCentimetres) {
    auto pfad = test::TempOrdner() / "vml.docx";
    auto doc = test::MitText("Anschreiben");
    doc->Save(pfad);
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    xml.insert(xml.find("<w:r>"),
               "<w:r><w:pict><v:shape id=\"Rahmen\" style=\"position:absolute ; margin-left:1in;margin-top:2cm;"
               "width:96px;height:10mm;mso-position-horizontal-relative:char\" stroked=\"false\"/></w:pict></w:r>"
               "<w:r><w:pict><v:shape id=\"imText\" style=\"width:20pt;height:20pt\"/></w:pict></w:r>");
    xml.replace(xml.find("<w:document "), 12, "<w:document xmlns:v=\"urn:schemas-microsoft-com:vml\" ");
    test::ZipTeilSetzen(pfad, "word/document.xml", xml);
    auto wieder = Document::Open(pfad);
    ASSERT_EQ(wieder->Shapes().Count(), 1);  // the second one stands in the text, not over it
    Shape r = wieder->Shapes().Item(1);
    EXPECT_EQ(r.Name(), "Rahmen");
    EXPECT_NEAR(r.Left(), 72.0, 0.01);
    EXPECT_NEAR(r.Top(), 56.69, 0.01);
    EXPECT_NEAR(r.Width(), 72.0, 0.01);
    EXPECT_NEAR(r.Height(), 28.35, 0.01);
    EXPECT_EQ(r.RelativeHorizontalPosition(), 3);
    EXPECT_EQ(r.RelativeVerticalPosition(), wdRelativeVerticalPositionParagraph);
    EXPECT_FALSE(r.Line().Visible());
    EXPECT_FALSE(r.TextFrame().HasText());
    r.SetLeft(10);
    r.SetRelativeVerticalPosition(wdRelativeVerticalPositionMargin);
    wieder->Save(pfad);
    xml = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_NE(xml.find("style=\"position:absolute ;margin-left:10pt;margin-top:2cm;width:96px;height:10mm;"
                       "mso-position-horizontal-relative:char;mso-position-vertical-relative:margin\""),
              std::string::npos)
        << xml;
}

// The list of shapes is kept up to date, not searched for again: across edits that add no shape
// (text written and deleted, tables put in and taken out; a table taken out takes the box anchored
// in it along), and as boxes come and go. After each step the shapes are those of the saved copy
// read anew.
TEST(WordTextfeld, ShapesOverTextTablesAndNewBoxesAsReadAfresh) {
    // a box in the letter's first paragraph and one moved into the first cell of a table after it
    const auto pfad = test::TempOrdner() / "formen.docx";
    {
        auto neu = test::MitText("Anschreiben\rzweiter Absatz");
        Range ende = neu->Content();
        ende.Collapse(wdCollapseEnd);
        neu->Tables().Add(ende, 2, 2).Cell(2, 2).Range().InsertAfter("Betrag");
        neu->Shapes().AddTextbox(msoTextOrientationHorizontal, 10, 40, 100, 20).SetName("Zelle");
        neu->Shapes().AddTextbox(msoTextOrientationHorizontal, 10, 10, 100, 20).SetName("Brief");
        neu->Save(pfad);
        std::string xml = test::ZipTeil(pfad, "word/document.xml");
        const std::size_t box = xml.find("id=\"Zelle\"");
        const std::size_t von = xml.rfind("<w:r>", box), bis = xml.find("</w:r>", box) + 6;
        ASSERT_TRUE(box != std::string::npos && von != std::string::npos) << xml;
        const std::string lauf = xml.substr(von, bis - von);
        xml.erase(von, bis - von);
        const std::size_t zelle = xml.find("</w:p>", xml.find("<w:tc>"));
        ASSERT_NE(zelle, std::string::npos) << xml;
        xml.insert(zelle, lauf);
        test::ZipTeilSetzen(pfad, "word/document.xml", xml);
    }
    auto doc = Document::Open(pfad);
    auto wieGespeichert = [&](std::vector<std::string> erwartet) {  // empty: as the copy reads
        auto kopie = test::TempOrdner() / "kopie.docx";
        doc->Save(kopie);
        if (!erwartet.empty()) { EXPECT_EQ(Namen(*doc), erwartet); }
        EXPECT_EQ(Namen(*doc), Namen(*Document::Open(kopie)));
    };
    wieGespeichert({"Brief", "Zelle"});
    Table t = doc->Tables().Item(1);

    doc->Range(0, 0).InsertBefore("Sehr geehrte Damen und Herren,\r");  // 31 characters
    t.Cell(1, 1).Range().InsertAfter("1.234,50");
    doc->Range(0, 5).Delete();
    wieGespeichert({"Brief", "Zelle"});
    // the paragraph holding the letter's box is joined to the one before it
    doc->Range(25, 28).Delete();
    EXPECT_EQ(doc->Range(0, 40).Text(), "geehrte Damen und Herren,schreiben\rzweit");
    wieGespeichert({"Brief", "Zelle"});
    Table davor = doc->Tables().Add(doc->Range(0, 0), 1, 3);
    wieGespeichert({"Brief", "Zelle"});
    davor.Delete();
    wieGespeichert({"Brief", "Zelle"});
    t.Delete();
    wieGespeichert({"Brief"});
    EXPECT_EQ(doc->Content().Text(), "geehrte Damen und Herren,schreiben\rzweiter Absatz\r\r");

    // each new box goes to the front of the first paragraph, before the boxes added earlier (a table
    // before that paragraph changes nothing of that)
    Table vorn = doc->Tables().Add(doc->Range(0, 0), 1, 1);
    for (int i = 1; i <= 3; ++i) {
        doc->Shapes().AddTextbox(msoTextOrientationHorizontal, 10, 10.0 * i, 100, 20).TextFrame().TextRange().InsertBefore(
            "Box " + std::to_string(i));
        wieGespeichert({});
    }
    EXPECT_EQ(doc->Shapes().Count(), 4);
    doc->Shapes().Item(2).Delete();
    wieGespeichert({});
    doc->Shapes().Item(doc->Shapes().Count()).Delete();
    wieGespeichert({});
    EXPECT_EQ(doc->Shapes().Count(), 2);
    EXPECT_EQ(doc->Content().Text().substr(4), "geehrte Damen und Herren,schreiben\rzweiter Absatz\r\r");
    vorn.Delete();
    wieGespeichert({});
}
