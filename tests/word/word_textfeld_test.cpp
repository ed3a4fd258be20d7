// Text boxes (shapes named in their drawing properties), view flags and document settings.
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

TEST(WordTextfeld, AnlegenFindenBeschriftenLoeschen) {
    auto pfad = test::TempOrdner() / "box.docx";
    {
        auto doc = Document::New();
        doc->Content().InsertBefore("Anschreiben");
        auto app = doc->Application();
        auto sel = app->Selection();
        doc->Range(0, 0).Select();
        Shape box = doc->Shapes().AddTextbox(msoTextOrientationHorizontal, 70.5, 766.5, 450.75, 54);
        box.SetName("Zahlungsziel");
        box.Line().SetVisible(false);
        box.Fill().SetVisible(false);
        box.SetRelativeVerticalPosition(wdRelativeVerticalPositionPage);
        box.SetTop(Application::CentimetersToPoints(27.0));
        box.TextFrame().TextRange().Select();
        sel.ParagraphFormat().SetAlignment(wdAlignParagraphCenter);
        sel.TypeText("Zahlbar bis zum 20.12.26");
        EXPECT_EQ(doc->Content().Text(), "Anschreiben\r");  // the anchor adds nothing to the text
        doc->Save(pfad);
    }
    auto doc = Document::Open(pfad);
    test::PythonLiestGleich(*doc, pfad);
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
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_NE(xml.find("<wp:positionV relativeFrom=\"page\">"), std::string::npos);
    EXPECT_NE(xml.find("<a:ln w=\"9525\"><a:noFill/></a:ln>"), std::string::npos);

    for (Shape s : doc->Shapes())
        if (s.Name() == "Zahlungsziel") s.Delete();
    EXPECT_EQ(doc->Shapes().Count(), 0);
    EXPECT_THROW(box.Name(), vk::LaufzeitFehler);
    doc->Save(pfad);
    EXPECT_EQ(test::ZipTeil(pfad, "word/document.xml").find("wp:anchor"), std::string::npos);
    EXPECT_EQ(Document::Open(pfad)->Content().Text(), "Anschreiben\r");
}

TEST(WordTextfeld, AnsichtUndEinstellungen) {
    auto doc = Document::New();
    auto view = doc->Application()->ActiveWindow().View();
    EXPECT_TRUE(view.ShowComments());
    view.SetShowHiddenText(false);
    view.SetShowAll(false);
    view.SetShowComments(false);
    view.SetShowInsertionsAndDeletions(false);
    view.SetShowFormatting(false);
    doc->Settings().SetShowSpellingErrors(false);
    doc->Settings().SetShowGrammaticalErrors(false);
    auto pfad = test::TempOrdner() / "ansicht.docx";
    doc->Save(pfad);
    std::string settings = test::ZipTeil(pfad, "word/settings.xml");
    EXPECT_NE(settings.find("<w:hideSpellingErrors/><w:hideGrammaticalErrors/>"), std::string::npos) << settings;
    EXPECT_NE(settings.find("w:comments=\"0\""), std::string::npos);
    EXPECT_NE(settings.find("w:insDel=\"0\""), std::string::npos);
    auto wieder = Document::Open(pfad);
    EXPECT_FALSE(wieder->Application()->ActiveWindow().View().ShowComments());
    EXPECT_FALSE(wieder->Settings().ShowSpellingErrors());
    // the order of the settings part is the schema's: these come before the default tab stop
    EXPECT_LT(settings.find("hideSpellingErrors"), settings.find("defaultTabStop"));
    EXPECT_LT(settings.find("revisionView"), settings.find("defaultTabStop"));
}
