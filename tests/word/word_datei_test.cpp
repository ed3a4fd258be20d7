// The invoice file as a file: a save goes through a link to its target and keeps mode and owner,
// refuses a read-only invoice and any target that is not a regular file; only a regular file is
// read; a part nested deeper than any word processor writes, or holding a character XML forbids, is
// refused when read and never written. (The settings the component adds: WordTextfeld.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "common/fehler_hilfe.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

namespace fs = std::filesystem;

fs::path Gespeichert(const std::string& name, const std::string& text = "Rechnung Nr. 1") {
    const fs::path pfad = test::TempOrdner() / name;
    test::MitText(text)->Save(pfad);
    return pfad;
}

std::shared_ptr<Document> Geaendert(const fs::path& pfad) {
    auto doc = Document::Open(pfad);
    doc->Content().InsertAfter("neu");
    return doc;
}

struct stat Status(const fs::path& pfad) {
    struct stat st {};
    ::lstat(pfad.c_str(), &st);
    return st;
}

// Runs `aktion` in a child that is ended after `sekunden`: true when it returned in time.
bool InZeit(int sekunden, const std::function<void()>& aktion) {
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::alarm(static_cast<unsigned>(sekunden));
        aktion();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(WordDatei, ThroughALinkItsTargetIsReplacedAndTheLinkStays) {
    const fs::path ziel = Gespeichert("ziel.docx");
    const fs::path link = ziel.parent_path() / "Rechnung.docx";
    fs::create_symlink("ziel.docx", link);
    auto doc = Geaendert(link);
    doc->Save(link);
    EXPECT_TRUE(fs::is_symlink(link)) << "the link was replaced by a file";
    EXPECT_EQ(doc->Path(), link) << "the document keeps the name it was saved under";
    EXPECT_EQ(Document::Open(ziel)->Content().Text(), "Rechnung Nr. 1neu\r");
}

// A save keeps mode and owner of the invoice; a read-only invoice is refused and stays.
TEST(WordDatei, ModeAndOwnerOfTheInvoiceStayAndAReadOnlyOneIsRefused) {
    const fs::path pfad = Gespeichert("Rechnung.docx");
    ASSERT_EQ(::chmod(pfad.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) { ASSERT_EQ(::chown(pfad.c_str(), 65534, 65534), 0); }
    Geaendert(pfad)->Save(pfad);
    const struct stat st = Status(pfad);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    EXPECT_EQ(Document::Open(pfad)->Content().Text(), "Rechnung Nr. 1neu\r");

    ASSERT_EQ(::chmod(pfad.c_str(), 0444), 0);
    const std::string vorher = test::DateiLesen(pfad);
    const auto f = vktest::FehlerVon([&] { Geaendert(pfad)->Save(pfad); });
    EXPECT_EQ(f.nummer, vk::fehlernummer::DateiZugriffsfehler) << f.beschreibung;
    EXPECT_NE(f.beschreibung.find("schreibgeschützt"), std::string::npos) << f.beschreibung;
    EXPECT_EQ(test::DateiLesen(pfad), vorher);
}

// A FIFO or a folder in the target's place is not replaced (a device such as /dev/null neither: the
// same test, which a test does not run on the system's own devices). Only a regular file is read: a
// FIFO would block the reader forever, a device never ends; both are refused before reading.
TEST(WordDatei, OnlyARegularFileIsWrittenOrRead) {
    const fs::path ordner = test::TempOrdner();
    const fs::path fifo = ordner / "fifo.docx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(ordner / "ordner.docx");
    for (const fs::path& ziel : {fifo, ordner / "ordner.docx"}) {
        const auto f = vktest::FehlerVon([&] { test::MitText("x")->Save(ziel); });
        EXPECT_EQ(f.nummer, vk::fehlernummer::DateiZugriffsfehler) << ziel;
        EXPECT_NE(f.beschreibung.find("keine gewöhnliche Datei"), std::string::npos) << f.beschreibung;
    }
    EXPECT_TRUE(S_ISFIFO(Status(fifo).st_mode));
    EXPECT_EQ(fs::directory_iterator(ordner / "ordner.docx"), fs::directory_iterator());
    for (const fs::path& pfad : {fifo, fs::path("/dev/zero")}) {
        EXPECT_TRUE(InZeit(10, [&] {
            const auto f = vktest::FehlerVon([&] { Document::Open(pfad); });
            if (f.nummer != vk::fehlernummer::Dokumentfehler || f.beschreibung.find("keine gewöhnliche Datei") == std::string::npos)
                ::_exit(1);
        })) << pfad;
    }
}

// 30 000 nested custom XML elements (a 10 KB file) would take the reader's stack; nesting as deep as
// a deeply nested table takes is read.
TEST(WordDatei, NestingDeeperThanAWordProcessorWritesIsRefused) {
    const auto verschachtelt = [](int tiefe) {
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><w:document xmlns:w=\"http://"
                          "schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
        for (int i = 0; i < tiefe; ++i) xml += "<w:customXml w:element=\"x\">";
        xml += "<w:p><w:r><w:t>tief</w:t></w:r></w:p>";
        for (int i = 0; i < tiefe; ++i) xml += "</w:customXml>";
        return xml + "</w:body></w:document>";
    };
    const fs::path pfad = Gespeichert("tief.docx");
    test::ZipTeilSetzen(pfad, "word/document.xml", verschachtelt(30000));
    EXPECT_TRUE(InZeit(20, [&] {
        const auto f = vktest::FehlerVon([&] { (void)Document::Open(pfad)->Content().Text(); });
        if (f.nummer != vk::fehlernummer::Dokumentfehler || f.beschreibung.find("verschachtelt") == std::string::npos)
            ::_exit(1);
    })) << "no clear refusal";
    test::ZipTeilSetzen(pfad, "word/document.xml", verschachtelt(200));
    EXPECT_EQ(Document::Open(pfad)->Content().Text(), "tief\r");
}

// U+FFFE, U+FFFF, an encoded surrogate and a control character typed into a cell, a comment or a
// shape's name are left out; the saved parts hold none of them, raw or as a reference.
TEST(WordDatei, CharactersXmlForbidsAreLeftOutWhereTextIsWrittenAndRefusedWhenRead) {
    const std::string verboten = "A\xEF\xBF\xBE" "B\xEF\xBF\xBF" "C\xED\xA0\x80" "D\x01" "E";
    auto doc = test::MitText("Rechnung");
    Table t = doc->Tables().Add(doc->Range(0, 0), 1, 2);
    t.Cell(1, 1).Range().InsertAfter(verboten);
    doc->Comments().Add(t.Cell(1, 2).Range(), verboten);
    const fs::path pfad = test::TempOrdner() / "zeichen.docx";
    doc->Save(pfad);
    for (const char* teil : {"word/document.xml", "word/comments.xml"}) {
        const std::string xml = test::ZipTeil(pfad, teil);
        for (const char* zeichen : {"\xEF\xBF\xBE", "\xEF\xBF\xBF", "\xED\xA0", "\x01", "&#1;", "&#x1;"})
            EXPECT_EQ(xml.find(zeichen), std::string::npos) << teil;
    }
    auto wieder = Document::Open(pfad);
    EXPECT_EQ(wieder->Tables().Item(1).Cell(1, 1).Range().Text(), "ABCDE\r\a");
    EXPECT_EQ(wieder->Comments().Item(1).Text(), "ABCDE");

    // A part that holds such a character is no XML: refused when read, by name.
    const std::string xml = test::ZipTeil(pfad, "word/document.xml");
    for (const std::string& zeichen : {std::string("\xEF\xBF\xBF"), std::string("&#xFFFE;"), std::string("&#1;")}) {
        std::string kaputt = xml;
        kaputt.insert(kaputt.find("ABCDE"), zeichen);
        test::ZipTeilSetzen(pfad, "word/document.xml", kaputt);
        const auto f = vktest::FehlerVon([&] { (void)Document::Open(pfad)->Content().Text(); });
        EXPECT_EQ(f.nummer, vk::fehlernummer::Dokumentfehler) << zeichen;
        EXPECT_NE(f.beschreibung.find("word/document.xml: kein gültiges XML"), std::string::npos) << f.beschreibung;
    }
}
