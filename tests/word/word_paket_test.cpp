// The package on disk: untouched parts byte for byte, atomic saving, damaged and foreign files.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zip.h>

#include <fstream>

#include "common/fehler.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

std::string Lesen(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void Schreiben(const std::filesystem::path& p, const std::string& inhalt) {
    std::ofstream f(p, std::ios::binary);
    f << inhalt;
}

// The error of opening a file, or number 0 when it opened.
vk::LaufzeitFehler OeffnenFehler(const std::filesystem::path& p) {
    try {
        Document::Open(p);
    } catch (const vk::LaufzeitFehler& f) {
        return f;
    }
    return vk::LaufzeitFehler(0, "");
}

std::filesystem::path Beispiel() {
    auto pfad = test::TempOrdner() / "beispiel.docx";
    auto doc = Document::New();
    doc->Content().InsertBefore("Rechnung Nr. 1");
    doc->Comments().Add(doc->Range(0, 8), "kalStart");
    doc->Save(pfad);
    return pfad;
}

}  // namespace

TEST(WordPaket, UnveraenderteTeileBleibenByteGleich) {
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
}

TEST(WordPaket, UnbekanntesXmlBleibtErhalten) {
    auto pfad = Beispiel();
    std::string xml = test::ZipTeil(pfad, "word/document.xml");
    auto p = xml.find("<w:p>");
    ASSERT_NE(p, std::string::npos);
    xml.insert(p + 5, "<w:pPr><w:pStyle w:val=\"Betreff\"/><w:unbekannt w:x=\"1\"/></w:pPr>");
    test::ZipTeilSetzen(pfad, "word/document.xml", xml);
    auto doc = Document::Open(pfad);
    doc->Content().InsertAfter(" ergänzt");
    doc->Save(pfad);
    std::string neu = test::ZipTeil(pfad, "word/document.xml");
    EXPECT_NE(neu.find("<w:unbekannt w:x=\"1\"/>"), std::string::npos);
    EXPECT_NE(neu.find("Betreff"), std::string::npos);
    EXPECT_EQ(Document::Open(pfad)->Content().Text(), "Rechnung Nr. 1 ergänzt\r");
    test::PythonLiestGleich(*Document::Open(pfad), pfad);
}

TEST(WordPaket, FehlgeschlagenesSpeichernLaesstDieAlteDateiStehen) {
    auto pfad = Beispiel();
    std::string alt = Lesen(pfad);
    auto doc = Document::Open(pfad);
    doc->Content().InsertAfter(std::string(20000, 'x'));

    auto ordner = pfad.parent_path();
    std::filesystem::permissions(ordner, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    bool schreibgeschuetzt = ::access(ordner.c_str(), W_OK) != 0;  // not so for root
    struct rlimit altesLimit;
    ::getrlimit(RLIMIT_FSIZE, &altesLimit);
    auto altesSignal = ::signal(SIGXFSZ, SIG_IGN);
    if (!schreibgeschuetzt) {
        // root writes anyway: make the write itself fail through the file size limit
        std::filesystem::permissions(ordner, std::filesystem::perms::owner_all);
        struct rlimit klein = altesLimit;
        klein.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &klein);
    }
    bool geworfen = false;
    try {
        doc->Save(pfad);
    } catch (const vk::LaufzeitFehler& f) {
        geworfen = true;
        EXPECT_NE(f.Beschreibung().find("beispiel.docx"), std::string::npos);
    }
    ::setrlimit(RLIMIT_FSIZE, &altesLimit);
    ::signal(SIGXFSZ, altesSignal);
    std::filesystem::permissions(ordner, std::filesystem::perms::owner_all);
    EXPECT_TRUE(geworfen);
    EXPECT_EQ(Lesen(pfad), alt);
    for (auto& e : std::filesystem::directory_iterator(ordner))
        EXPECT_EQ(e.path().filename(), "beispiel.docx") << "left behind: " << e.path();
    // the document is still usable and saves once the cause is gone
    doc->Save(pfad);
    EXPECT_NE(Lesen(pfad), alt);
}

TEST(WordPaket, BeschaedigteUndFremdeDateien) {
    auto ordner = test::TempOrdner();
    Schreiben(ordner / "text.docx", "Das ist kein Word-Dokument");
    auto f = OeffnenFehler(ordner / "text.docx");
    EXPECT_EQ(f.Nummer(), vk::fehlernummer::Dokumentfehler);
    EXPECT_EQ(f.Beschreibung().rfind("text.docx: ", 0), 0u) << f.Beschreibung();

    std::string gut = Lesen(Beispiel());
    Schreiben(ordner / "halb.docx", gut.substr(0, gut.size() / 2));
    EXPECT_EQ(OeffnenFehler(ordner / "halb.docx").Nummer(), vk::fehlernummer::Dokumentfehler);

    std::filesystem::copy_file(Beispiel(), ordner / "xml.docx");
    test::ZipTeilSetzen(ordner / "xml.docx", "word/document.xml", "<w:document><w:body><w:p>");
    f = OeffnenFehler(ordner / "xml.docx");
    EXPECT_EQ(f.Nummer(), vk::fehlernummer::Dokumentfehler);
    EXPECT_NE(f.Beschreibung().find("word/document.xml"), std::string::npos) << f.Beschreibung();

    // a zip that is no word-processing package
    {
        int e = 0;
        zip_t* za = zip_open((ordner / "fremd.docx").c_str(), ZIP_CREATE, &e);
        std::string inhalt = "hallo";
        zip_file_add(za, "readme.txt", zip_source_buffer(za, inhalt.data(), inhalt.size(), 0), 0);
        zip_close(za);
    }
    f = OeffnenFehler(ordner / "fremd.docx");
    EXPECT_EQ(f.Nummer(), vk::fehlernummer::Dokumentfehler);
    EXPECT_NE(f.Beschreibung().find("[Content_Types].xml"), std::string::npos);

    EXPECT_EQ(OeffnenFehler(ordner / "fehlt.docx").Nummer(), vk::fehlernummer::DateiNichtGefunden);
}

TEST(WordPaket, UnsinnigeEntpackteGroesseWirdAbgelehnt) {
    auto pfad = test::TempOrdner() / "bombe.docx";
    std::filesystem::copy_file(Beispiel(), pfad);
    {
        int e = 0;
        zip_t* za = zip_open(pfad.c_str(), 0, &e);
        std::string inhalt(64, 'x');
        zip_int64_t i = zip_file_add(za, "word/media/gross.bin", zip_source_buffer(za, inhalt.data(), inhalt.size(), 0), 0);
        zip_set_file_compression(za, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
        zip_close(za);
    }
    // declare 3.9 GB unpacked in the central directory entry of that part
    std::string bytes = Lesen(pfad);
    std::string name = "word/media/gross.bin";
    std::size_t p = 0, zentral = std::string::npos;
    while ((p = bytes.find("PK\x01\x02", p)) != std::string::npos) {
        if (bytes.compare(p + 46, name.size(), name) == 0) zentral = p;
        ++p;
    }
    ASSERT_NE(zentral, std::string::npos);
    bytes.replace(zentral + 24, 4, std::string("\x00\x00\x00\xE8", 4));
    Schreiben(pfad, bytes);
    auto f = OeffnenFehler(pfad);
    EXPECT_EQ(f.Nummer(), vk::fehlernummer::Dokumentfehler);
    EXPECT_NE(f.Beschreibung().find("gross.bin"), std::string::npos) << f.Beschreibung();
}
