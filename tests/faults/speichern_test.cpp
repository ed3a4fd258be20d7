// A save that fails part way leaves the old invoice byte for byte and no stray file, and reports
// one clear error naming the file.
#include <gtest/gtest.h>

#include "../dao/testdatenbank.h"
#include "common/fehler.h"
#include "platform/word/document.h"
#include "stoerung.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

class SpeichernScheitert : public ::testing::Test {
protected:
    void SetUp() override {
        datei_ = ordner_ / "Rechnung.docx";
        auto doc = vk::word::Document::New();
        doc->Content().InsertAfter("Rechnung Nr. 2026-001");
        doc->Save(datei_);
        alt_ = DateiLesen(datei_);
        dateien_ = DateienIm(ordner_.Pfad());
    }

    // An edit that makes the new package larger than the old one.
    std::shared_ptr<vk::word::Document> Bearbeitet() {
        auto doc = vk::word::Document::Open(datei_);
        std::string viel;
        for (int i = 0; i < 4000; ++i) viel += "Position " + std::to_string(i * 7919 % 10007) + " ";
        doc->Content().InsertAfter(viel);
        vk::word::Table t = doc->Tables().Add(doc->Range(0, 0), 3, 5);
        t.Cell(1, 1).Range().InsertAfter("Grenzbescheinigungen");
        return doc;
    }

    void AltesDokumentUnversehrt() {
        EXPECT_EQ(DateiLesen(datei_), alt_) << "the old invoice was changed";
        EXPECT_EQ(DateienIm(ordner_.Pfad()), dateien_) << "a temporary file was left behind";
        auto wieder = vk::word::Document::Open(datei_);
        EXPECT_EQ(wieder->Content().Text(), "Rechnung Nr. 2026-001\r");
    }

    TempOrdner ordner_;
    fs::path datei_;
    std::string alt_;
    std::set<std::string> dateien_;
};

TEST_F(SpeichernScheitert, ReadOnlyFolderKeepsTheOldFileAndNamesIt) {
    auto doc = Bearbeitet();
    {
        SchreibgeschuetzterOrdner sperre(ordner_.Pfad());
        if (!sperre.Gesperrt()) GTEST_SKIP() << "cannot make a folder read-only here";
        const auto f = FehlerVon([&] { doc->Save(); });
        EXPECT_EQ(f.nummer, vk::fehlernummer::DateiZugriffsfehler) << "0: the save reported success";
        EXPECT_NE(f.beschreibung.find(datei_.string()), std::string::npos) << f.beschreibung;
    }
    AltesDokumentUnversehrt();
    // Once the folder is writable again the same document saves.
    doc->Save();
    EXPECT_EQ(vk::word::Document::Open(datei_)->Tables().Count(), 1);
}

// Exit codes of the child: 0 one document error naming the file, 1 success reported, 2 an error
// that does not name the file, 3 another error number.
int SpeichernImKind(vk::word::Document& doc, const fs::path& datei) {
    try {
        doc.Save(datei);
        return 1;
    } catch (const vk::LaufzeitFehler& f) {
        if (f.Nummer() != vk::fehlernummer::DateiZugriffsfehler) return 3;
        return f.Beschreibung().find(datei.filename().string()) == std::string::npos ? 2 : 0;
    }
}

TEST_F(SpeichernScheitert, DiskFullKeepsTheOldFileAndLeavesNoNewOne) {
    auto doc = Bearbeitet();
    const char* bedeutung = "1: success reported, 2: file not named, 3: other error, 97: foreign exception";
    EXPECT_EQ(MitDateigroessenGrenze(4096, [&] { return SpeichernImKind(*doc, datei_); }), 0) << bedeutung;
    AltesDokumentUnversehrt();
    const fs::path neu = ordner_ / "Neu.docx";
    EXPECT_EQ(MitDateigroessenGrenze(4096, [&] { return SpeichernImKind(*doc, neu); }), 0) << bedeutung;
    EXPECT_FALSE(fs::exists(neu));
    EXPECT_EQ(DateienIm(ordner_.Pfad()), dateien_);
}

// A failed save does not make the document forget where it belongs: Save() without a name still
// writes the original file, not the place that failed.
TEST_F(SpeichernScheitert, MissingFolderIsOneClearErrorAndTheDocumentKeepsItsPath) {
    auto doc = Bearbeitet();
    const auto f = FehlerVon([&] { doc->Save(ordner_ / "fehlt" / "Rechnung.docx"); });
    EXPECT_EQ(f.nummer, vk::fehlernummer::DateiZugriffsfehler);
    EXPECT_NE(f.beschreibung.find("fehlt/Rechnung.docx"), std::string::npos) << f.beschreibung;
    AltesDokumentUnversehrt();
    EXPECT_EQ(doc->Path(), fs::absolute(datei_));
    doc->Save();
    EXPECT_EQ(vk::word::Document::Open(datei_)->Tables().Count(), 1);
}

}  // namespace
}  // namespace vktest
