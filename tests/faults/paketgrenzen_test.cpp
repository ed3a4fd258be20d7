// Bounds on what a document may unpack to: a package that claims parts beyond the limits, or
// more entries than a document has, is refused with a clear error before anything is unpacked;
// one whose part holds more than it claims is refused as damaged.
#include <gtest/gtest.h>

#include <zip.h>

#include <cstdint>

#include "../dao/testdatenbank.h"
#include "common/fehler.h"
#include "platform/word/document.h"
#include "stoerung.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

// Sets the unpacked size that the zip's central directory claims for the entries whose name
// matches (all entries for an empty name).
void GroesseBehaupten(const fs::path& datei, const std::string& name, std::uint32_t groesse) {
    std::string bytes = DateiLesen(datei);
    int gefunden = 0;
    for (std::size_t p = bytes.find("PK\x01\x02"); p != std::string::npos; p = bytes.find("PK\x01\x02", p + 4)) {
        const auto u8 = [&](std::size_t i) { return static_cast<unsigned char>(bytes[p + i]); };
        const std::size_t laenge = u8(28) | (u8(29) << 8);
        if (!name.empty() && bytes.compare(p + 46, laenge, name) != 0) continue;
        for (int i = 0; i < 4; ++i) bytes[p + 24 + i] = static_cast<char>((groesse >> (8 * i)) & 0xff);
        ++gefunden;
    }
    ASSERT_GT(gefunden, 0) << name;
    DateiSchreiben(datei, bytes);
}

class Paketgrenzen : public ::testing::Test {
protected:
    void SetUp() override {
        datei_ = ordner_ / "Rechnung.docx";
        auto doc = vk::word::Document::New();
        doc->Content().InsertAfter(std::string(5000, 'x'));
        doc->Save(datei_);
    }

    // The document error's text, or "" when the file opened.
    std::string Oeffnen() {
        try {
            vk::word::Document::Open(datei_);
        } catch (const vk::LaufzeitFehler& f) {
            EXPECT_EQ(f.Nummer(), vk::fehlernummer::Dokumentfehler) << f.Beschreibung();
            EXPECT_EQ(f.Beschreibung().rfind("Rechnung.docx: ", 0), 0u) << f.Beschreibung();
            return f.Beschreibung();
        }
        return "";
    }

    TempOrdner ordner_;
    fs::path datei_;
};

TEST_F(Paketgrenzen, APartClaimingMoreThanTheLimitIsRefusedByName) {
    GroesseBehaupten(datei_, "word/document.xml", 300u * 1024 * 1024);
    EXPECT_EQ(Oeffnen(), "Rechnung.docx: word/document.xml: entpackt zu groß (300 MB, höchstens 200 MB je Teil)");
}

TEST_F(Paketgrenzen, PartsJustBelowTheLimitButTogetherBeyondTheTotalAreRefused) {
    GroesseBehaupten(datei_, "", 199u * 1024 * 1024);  // six parts: more than 1 GB together
    EXPECT_EQ(Oeffnen(), "Rechnung.docx: entpackt zu groß (mehr als 1 GB)");
}

TEST_F(Paketgrenzen, APartHoldingMoreOrLessThanItClaimsIsDamaged) {
    for (std::uint32_t behauptet : {100u, 1024u * 1024u}) {
        GroesseBehaupten(datei_, "word/document.xml", behauptet);
        EXPECT_NE(Oeffnen().find("word/document.xml"), std::string::npos) << behauptet;
    }
}

TEST_F(Paketgrenzen, MoreEntriesThanADocumentHasAreRefused) {
    int fehler = 0;
    zip_t* za = zip_open(datei_.c_str(), 0, &fehler);
    ASSERT_NE(za, nullptr);
    for (int i = 0; i < 20001; ++i) {
        zip_source_t* q = zip_source_buffer(za, nullptr, 0, 0);
        ASSERT_GE(zip_file_add(za, ("leer/" + std::to_string(i)).c_str(), q, 0), 0);
    }
    ASSERT_EQ(zip_close(za), 0);
    EXPECT_EQ(Oeffnen(), "Rechnung.docx: unplausible Anzahl von Einträgen im Paket");
}

}  // namespace
}  // namespace vktest
