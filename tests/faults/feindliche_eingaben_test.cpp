// Hostile input: bounds on what a document may unpack to (a package that claims parts beyond the limits,
// or more entries than a document has, is refused with a clear error before anything is unpacked; one
// whose part holds more than it claims is refused as damaged), and inputs the fuzzers turned up.
#include <gtest/gtest.h>

#include <zip.h>

#include "../common/protokoll_hilfe.h"
#include "../dao/testdatenbank.h"
#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "platform/word/document.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

// A fresh document of 5000 characters whose zip central directory claims `groesse` unpacked bytes
// for the entries named `name` (all entries for an empty name; nothing changed for size 0).
void Paket(const fs::path& datei, const std::string& name, std::uint32_t groesse) {
    auto doc = vk::word::Document::New();
    doc->Content().InsertAfter(std::string(5000, 'x'));
    doc->Save(datei);
    if (groesse == 0) return;
    std::string bytes = DateiLesen(datei);
    int gefunden = 0;
    for (std::size_t p = bytes.find("PK\x01\x02"); p != std::string::npos; p = bytes.find("PK\x01\x02", p + 4)) {
        const auto u8 = [&](std::size_t i) { return static_cast<unsigned char>(bytes[p + i]); };
        if (!name.empty() && bytes.compare(p + 46, u8(28) | (u8(29) << 8), name) != 0) continue;
        for (int i = 0; i < 4; ++i) bytes[p + 24 + i] = static_cast<char>((groesse >> (8 * i)) & 0xff);
        ++gefunden;
    }
    ASSERT_GT(gefunden, 0) << name;
    DateiSchreiben(datei, bytes);
}

// The document error's text, or "" when the file opened.
std::string Oeffnen(const fs::path& datei) {
    try {
        vk::word::Document::Open(datei);
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), vk::fehlernummer::Dokumentfehler) << f.Beschreibung();
        EXPECT_EQ(f.Beschreibung().rfind("Rechnung.docx: ", 0), 0u) << f.Beschreibung();
        return f.Beschreibung();
    }
    return "";
}

TEST(Paketgrenzen, PartsClaimingTooMuchOrNotWhatTheyHoldAndTooManyEntriesAreRefused) {
    TempOrdner ordner;
    const fs::path datei = ordner / "Rechnung.docx";
    const struct {
        const char* teil;
        std::uint32_t behauptet;
        const char* meldung;
        bool ganz;  // the whole message, else a part of it
    } faelle[] = {
        {"word/document.xml", 300u * 1024 * 1024,
         "Rechnung.docx: word/document.xml: entpackt zu groß (300 MB, höchstens 200 MB je Teil)", true},
        // Six parts just below the limit: more than 1 GB together.
        {"", 199u * 1024 * 1024, "Rechnung.docx: entpackt zu groß (mehr als 1 GB)", true},
        // Holding more or less than it claims: damaged.
        {"word/document.xml", 100u, "word/document.xml", false},
        {"word/document.xml", 1024u * 1024u, "word/document.xml", false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.behauptet);
        Paket(datei, f.teil, f.behauptet);
        const std::string meldung = Oeffnen(datei);
        EXPECT_TRUE(f.ganz ? meldung == f.meldung : meldung.find(f.meldung) != std::string::npos) << meldung;
    }

    Paket(datei, "", 0);
    int fehler = 0;
    zip_t* za = zip_open(datei.c_str(), 0, &fehler);
    ASSERT_NE(za, nullptr);
    for (int i = 0; i < 20001; ++i)
        ASSERT_GE(zip_file_add(za, ("leer/" + std::to_string(i)).c_str(), zip_source_buffer(za, nullptr, 0, 0), 0), 0);
    ASSERT_EQ(zip_close(za), 0);
    EXPECT_EQ(Oeffnen(datei), "Rechnung.docx: unplausible Anzahl von Einträgen im Paket");
}

// A leading number beyond the double range, as the fuzzers turned it up.
TEST(Fuzzfunde, ValOfANumberBeyondTheDoubleRangeIsOverflowAndItsCallersGoOn) {
    // Blanks are ignored by Val, so "921 6e925 6" reads as 9216e9256.
    EXPECT_EQ(FehlerVon([] { vk::Val("921 6e925 6"); }).nummer, vk::fehlernummer::Ueberlauf) << "0: no overflow";
    EXPECT_FALSE(vk::RegionalLesen("921 6e925 6").has_value());
    EXPECT_FALSE(vk::RegionalLesen("1e999").has_value());

    // The helpers that read user input through Val log the overflow and still return a text.
    vk::test::ProtokollLeeren();
    std::string text;
    ASSERT_NO_THROW(text = vk::WertFormatieren("9216e9256", 11, 2));
    EXPECT_EQ(text.size(), 11u) << text;
    EXPECT_EQ(vk::LetzterFehler().strNr, "6");
    EXPECT_DOUBLE_EQ(vk::CVal("921 6e925 6"), 921.0);
}

}  // namespace
}  // namespace vktest
