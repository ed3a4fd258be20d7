// A template written by LibreOffice: a fee table added at "kalStart" leaves header, footer and
// image untouched, and LibreOffice renders the new table's cells. (That nothing prints over
// anything, the payment box and the amounts of long tables: tests/cli, Kommandozeile and
// KommandozeileDruck.)
#include <gtest/gtest.h>

#include "druck.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

const char* kPng =
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==";

std::string Fodt() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
               "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
               "xmlns:xlink=\"http://www.w3.org/1999/xlink\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
               "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" office:version=\"1.3\" "
               "office:mimetype=\"application/vnd.oasis.opendocument.text\">"
               "<office:automatic-styles><style:page-layout style:name=\"pm1\"><style:page-layout-properties "
               "fo:page-width=\"21cm\" fo:page-height=\"29.7cm\" fo:margin-top=\"1cm\" fo:margin-bottom=\"1cm\" "
               "fo:margin-left=\"2cm\" fo:margin-right=\"2cm\"/><style:header-style/><style:footer-style/>"
               "</style:page-layout></office:automatic-styles>"
               "<office:master-styles><style:master-page style:name=\"Standard\" style:page-layout-name=\"pm1\">"
               "<style:header><text:p>Vermessungsbüro Kopfzeile</text:p></style:header>"
               "<style:footer><text:p>Bankverbindung Fußzeile</text:p></style:footer>"
               "</style:master-page></office:master-styles>"
               "<office:body><office:text>"
               "<text:p>Sehr geehrte Damen und Herren,<draw:frame draw:name=\"Logo\" text:anchor-type=\"as-char\" "
               "svg:width=\"1cm\" svg:height=\"1cm\"><draw:image><office:binary-data>") +
           kPng +
           "</office:binary-data></draw:image></draw:frame></text:p>"
           "<text:p><office:annotation office:name=\"a1\"><dc:creator>Büro</dc:creator><text:p>kalStart</text:p>"
           "</office:annotation>Positionen<office:annotation-end office:name=\"a1\"/></text:p>"
           "<text:p>Gesamtbetrag<office:annotation><dc:creator>Büro</dc:creator><text:p>kalGesamt</text:p>"
           "</office:annotation> 0,00 € inkl. MwSt.</text:p>"
           "<text:p>Mit freundlichen Grüßen</text:p>"
           "</office:text></office:body></office:document>\n";
}

}  // namespace

TEST(WordLibreOffice, TableAtKalStartInALibreOfficeTemplate) {
    if (!vktest::LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice (soffice), pdftotext or pdffonts is not installed";
    auto ordner = test::TempOrdner();
    test::DateiSchreiben(ordner / "vorlage.fodt", Fodt());
    int rc = 0;
    test::Ausfuehren(vktest::LibreOffice(ordner) + "--convert-to docx vorlage.fodt >/dev/null 2>&1", &rc);
    auto vorlage = ordner / "vorlage.docx";
    ASSERT_TRUE(std::filesystem::exists(vorlage)) << "conversion failed, rc " << rc;

    auto doc = Document::Open(vorlage);
    ASSERT_EQ(doc->Comments().Count(), 2);
    EXPECT_EQ(doc->Comments().Item(1).Text(), "kalStart");
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "Positionen");
    Range stelle = test::VorKalStart(*doc);
    // LibreOffice stores the comment on a point with its reference mark only
    Comment gesamt = doc->Comments().Item(2);
    EXPECT_EQ(gesamt.Text(), "kalGesamt");
    Range nachher = gesamt.Reference();
    EXPECT_EQ(nachher.Start(), nachher.End());
    nachher.MoveEnd(wdCharacter, 7);
    EXPECT_EQ(nachher.Text(), " 0,00 €");
    ASSERT_FALSE(stelle.IstNothing());
    Table t = doc->Tables().Add(stelle, 3, 5);
    t.Select();
    auto sel = doc->Application()->Selection();
    for (int seite = -1; seite >= -6; --seite) sel.Borders().Item(seite).SetLineStyle(0);
    const double cm[] = {8.0, 3.0, 1.0, 3.0, 2.5};
    for (int s = 1; s <= 5; ++s) t.Columns().Item(s).SetWidth(Application::CentimetersToPoints(cm[s - 1]), 0);
    t.Cell(1, 1).Range().InsertAfter("Grenzbescheinigungen");
    t.Cell(1, 1).Range().SetBold(wdTrue);
    t.Cell(2, 1).Range().InsertAfter("ohne Ortsbesichtigung\rTarifstelle 8.2.1");
    t.Cell(3, 5).Range().InsertAfter("   75,00 €");
    t.Cell(1, 5).Select();
    doc->Comments().Add(sel.Range(), "VK_LP_02_5");
    auto ergebnis = ordner / "rechnung.docx";
    doc->Save(ergebnis);

    // header, footer and image parts are exactly the template's
    int geprueft = 0;
    for (const auto& name : test::ZipNamen(vorlage)) {
        if (name.find("header") == std::string::npos && name.find("footer") == std::string::npos &&
            name.find("media/") == std::string::npos)
            continue;
        ++geprueft;
        EXPECT_EQ(test::ZipTeil(ergebnis, name), test::ZipTeil(vorlage, name)) << name;
    }
    EXPECT_GE(geprueft, 3);

    auto wieder = Document::Open(ergebnis);
    ASSERT_EQ(wieder->Tables().Count(), 1);
    EXPECT_EQ(wieder->Tables().Item(1).Cell(1, 5).Range().Comments().Item(1).Text(), "VK_LP_02_5");
    EXPECT_EQ(wieder->Comments().Count(), 3);
    test::PythonLiestGleich(*wieder, ergebnis);

    const vktest::Druck pdf = vktest::Drucken(ordner, "rechnung.docx");
    ASSERT_TRUE(pdf.gedruckt) << pdf;
    const std::string& text = pdf.text;
    for (const char* erwartet : {"Grenzbescheinigungen", "ohne Ortsbesichtigung", "Tarifstelle 8.2.1", "75,00 €",
                                 "Vermessungsbüro Kopfzeile", "Bankverbindung Fußzeile", "Positionen"})
        EXPECT_NE(text.find(erwartet), std::string::npos) << erwartet << "\n" << pdf;
    // the table stands between the salutation and the tagged paragraph
    EXPECT_LT(text.find("Herren"), text.find("Grenzbescheinigungen")) << pdf;
    EXPECT_LT(text.find("Grenzbescheinigungen"), text.find("Positionen")) << pdf;
}
