// The package on disk: untouched parts byte for byte, unknown XML kept, damaged and foreign files.
// (Failed saves and size limits of a package: tests/faults.)
#include <gtest/gtest.h>
#include <zip.h>

#include <random>

#include "common/fehler_hilfe.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

std::filesystem::path Beispiel() {
    auto pfad = test::TempOrdner() / "beispiel.docx";
    auto doc = test::MitText("Rechnung Nr. 1");
    doc->Comments().Add(doc->Range(0, 8), "kalStart");
    doc->Save(pfad);
    return pfad;
}

}  // namespace

TEST(WordPaket, UntouchedPartsStayByteForByteAndUnknownXmlIsKept) {
    auto pfad = Beispiel();
    auto vorher = test::ZipNamen(pfad);
    auto ziel = pfad.parent_path() / "kopie.docx";
    Document::Open(pfad)->Save(ziel);
    for (const auto& name : vorher) EXPECT_EQ(test::ZipTeil(ziel, name), test::ZipTeil(pfad, name)) << name;

    auto doc = Document::Open(pfad);
    doc->Content().InsertAfter("!");
    doc->Save(ziel);
    EXPECT_EQ(test::ZipNamen(ziel), vorher);
    EXPECT_EQ(test::ZipTeil(ziel, "word/styles.xml"), test::ZipTeil(pfad, "word/styles.xml"));
    EXPECT_EQ(test::ZipTeil(ziel, "word/comments.xml"), test::ZipTeil(pfad, "word/comments.xml"));
    EXPECT_NE(test::ZipTeil(ziel, "word/document.xml"), test::ZipTeil(pfad, "word/document.xml"));
    EXPECT_EQ(doc->Path(), std::filesystem::absolute(ziel));

    // XML the layer does not know is kept where the part is changed.
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    auto p = xml.find("<w:p>");
    ASSERT_NE(p, std::string::npos);
    xml.insert(p + 5, "<w:pPr><w:pStyle w:val=\"Betreff\"/><w:unbekannt w:x=\"1\"/></w:pPr>");
    test::ZipTeilSetzen(pfad, "word/document.xml", xml);
    doc = Document::Open(pfad);
    doc->Content().InsertAfter(" ergänzt");
    EXPECT_EQ(test::GespeichertUndGeoeffnet(*doc, pfad)->Content().Text(), "Rechnung Nr. 1 ergänzt\r");
    std::string neu = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_NE(neu.find("<w:unbekannt w:x=\"1\"/>"), std::string::npos);
    EXPECT_NE(neu.find("Betreff"), std::string::npos);
}

// A part that packs badly (text of random letters packs to about three fifths) is packed all the
// same, and read back as written.
TEST(WordPaket, APartThatPacksBadlyIsPackedAndRead) {
    std::mt19937 zufall(7);
    std::string text;
    for (int i = 0; i < 60000; ++i) text += static_cast<char>('a' + zufall() % 26);
    auto doc = test::MitText(text);
    auto pfad = test::TempOrdner() / "zufall.docx";
    EXPECT_EQ(test::GespeichertUndGeoeffnet(*doc, pfad)->Content().Text(), text + "\r");
    int fehler = 0;
    zip_t* za = zip_open(pfad.c_str(), ZIP_RDONLY, &fehler);
    ASSERT_NE(za, nullptr);
    zip_stat_t st;
    ASSERT_EQ(zip_stat(za, "word/document.xml", 0, &st), 0);
    EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE);
    EXPECT_GT(st.comp_size * 3, st.size);  // more than the third the first buffer holds
    EXPECT_LT(st.comp_size, st.size);
    zip_discard(za);
}

TEST(WordPaket, DamagedAndForeignFilesNameFileAndFault) {
    auto ordner = test::TempOrdner();
    const std::string gut = test::DateiLesen(Beispiel());
    test::DateiSchreiben(ordner / "text.docx", "Das ist kein Word-Dokument");
    test::DateiSchreiben(ordner / "halb.docx", gut.substr(0, gut.size() / 2));
    std::filesystem::copy_file(Beispiel(), ordner / "xml.docx");
    test::ZipTeilSetzen(ordner / "xml.docx", "word/document.xml", "<w:document><w:body><w:p>");
    {  // a zip that is no word-processing package
        int e = 0;
        zip_t* za = zip_open((ordner / "fremd.docx").c_str(), ZIP_CREATE, &e);
        std::string inhalt = "hallo";
        zip_file_add(za, "readme.txt", zip_source_buffer(za, inhalt.data(), inhalt.size(), 0), 0);
        zip_close(za);
    }
    const struct {
        const char* datei;
        int nummer;
        const char* genannt;  // what is wrong, after the file's name
    } faelle[] = {
        {"text.docx", vk::fehlernummer::Dokumentfehler, ""},
        {"halb.docx", vk::fehlernummer::Dokumentfehler, ""},
        {"xml.docx", vk::fehlernummer::Dokumentfehler, "word/document.xml"},
        {"fremd.docx", vk::fehlernummer::Dokumentfehler, "[Content_Types].xml"},
        {"fehlt.docx", vk::fehlernummer::DateiNichtGefunden, ""},
    };
    for (const auto& fall : faelle) {
        const auto f = vktest::FehlerVon([&] { Document::Open(ordner / fall.datei); });
        EXPECT_EQ(f.nummer, fall.nummer) << fall.datei;
        EXPECT_NE(f.beschreibung.find(fall.datei), std::string::npos) << f.beschreibung;
        EXPECT_NE(f.beschreibung.find(fall.genannt), std::string::npos) << f.beschreibung;
    }
}
