// `vk apply` on the generated benchmark invoices writes exactly what it wrote before the document
// layer was made faster: every part of the saved package and the printed tables, byte for byte.
// The figures below were taken from the program as it was before that work (the package's zip
// container is not compared: its entries carry the time of writing, and so do the comments' dates,
// which are blanked here). Two changes since then are in the figures: the printed text is the
// table the confirmation wrote (before, the first table of the kind, here an older one), and a tag
// on an empty cell has its range start before its end (before, after it: the parts were otherwise
// byte for byte the same, checked by putting the old marks in the new order).
#include <gtest/gtest.h>
#include <zip.h>

#include <cstdint>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "rechnungen.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

struct Teilbild {
    std::string name;
    std::size_t groesse;
    std::uint64_t pruefsumme;
};

bool operator==(const Teilbild& a, const Teilbild& b) {
    return a.name == b.name && a.groesse == b.groesse && a.pruefsumme == b.pruefsumme;
}

std::ostream& operator<<(std::ostream& out, const Teilbild& t) {
    char zahl[24];
    std::snprintf(zahl, sizeof zahl, "0x%016llx", static_cast<unsigned long long>(t.pruefsumme));
    return out << "{\"" << t.name << "\", " << t.groesse << ", " << zahl << "ull}";
}

// FNV-1a, 64 bits: enough to tell two texts of the same length apart.
std::uint64_t Pruefsumme(const std::string& bytes) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

Teilbild Bild(const std::string& name, std::string bytes) {
    bytes = std::regex_replace(bytes, std::regex("w:date=\"[^\"]*\""), "w:date=\"\"");
    return {name, bytes.size(), Pruefsumme(bytes)};
}

// The parts of a package in the order they are stored, read with libzip (not with the layer under test).
std::vector<Teilbild> Teile(const std::filesystem::path& datei) {
    std::vector<Teilbild> teile;
    int fehler = 0;
    zip_t* za = zip_open(datei.c_str(), ZIP_RDONLY, &fehler);
    if (!za) return teile;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st);
        std::string bytes(st.size, '\0');
        zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
        if (!f) continue;
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        teile.push_back(Bild(st.name, std::move(bytes)));
    }
    zip_discard(za);
    return teile;
}

struct Fall {
    int tabellen;
    std::vector<Teilbild> rechnung;  // the generated invoice
    std::vector<Teilbild> ausgabe;   // what vk apply saved
    Teilbild gedruckt;               // what vk apply prints
};

// A package of the generated invoices: the parts every one has alike, in the order they are
// stored, with its own main part and comments.
std::vector<Teilbild> Paket(Teilbild dokument, Teilbild kommentare) {
    return {{"[Content_Types].xml", 818, 0xa6d1f1d0af0a807aull},
            {"_rels/.rels", 297, 0x8e964da28d3d2a6full},
            {"word/_rels/document.xml.rels", 546, 0xe7ca2e362a3f9684ull},
            dokument,
            {"word/styles.xml", 1119, 0x0716111f25e6256dull},
            {"word/settings.xml", 340, 0x5b9be571db110574ull},
            kommentare};
}

// The boundary certificate of the benchmark (with inspection, two copies) on the generated invoices.
const Fall kFaelle[] = {
    {10,
     Paket({"word/document.xml", 39545, 0xebcdbad6bf5897b5ull}, {"word/comments.xml", 2205, 0x9a466cb3416e4356ull}),
     Paket({"word/document.xml", 42738, 0xac43de1a6d531fb8ull}, {"word/comments.xml", 2327, 0x7a44521b9de3181cull}),
     {"stdout", 347, 0xb5636fa42731c8b5ull}},
    {100,
     Paket({"word/document.xml", 338186, 0xbe8a6d4571696be0ull}, {"word/comments.xml", 13192, 0xcb63dc220c391d1dull}),
     Paket({"word/document.xml", 341382, 0x32e5461610f39842ull}, {"word/comments.xml", 13315, 0x3b3beb9da67da0d9ull}),
     {"stdout", 347, 0x59a9c4f1bdc716c5ull}},
};

void PrintTo(const Fall& fall, std::ostream* out) { *out << fall.tabellen << " tables"; }

class GleicheAusgabe : public ::testing::TestWithParam<Fall> {};

TEST_P(GleicheAusgabe, ApplyWritesTheSameBytesAsBefore) {
    const Fall& fall = GetParam();
    TempOrdner ordner;
    vkbench::BueroAnlegen(ordner.Pfad());
    const std::filesystem::path rechnung = vkbench::RechnungAnlegen(ordner.Pfad(), fall.tabellen);
    EXPECT_EQ(Teile(rechnung), fall.rechnung) << "the generated invoice differs";

    const Lauf lauf = Vk("apply --db " + Zitiert((ordner / "buero.sqlite").string()) +
                         " --user 1 --invoice 1 --doc " + Zitiert(rechnung.string()) + " --out " +
                         Zitiert((ordner / "aus.docx").string()) +
                         " --category 4 --set chkOrt=1 --set mskMehrfach=2");
    ASSERT_EQ(lauf.status, 0) << lauf.ausgabe;
    EXPECT_EQ(Bild("stdout", lauf.ausgabe), fall.gedruckt) << lauf.ausgabe;
    EXPECT_EQ(Teile(ordner / "aus.docx"), fall.ausgabe);
}

INSTANTIATE_TEST_SUITE_P(Benchmarkrechnungen, GleicheAusgabe, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::to_string(info.param.tabellen) + "Tabellen"; });

}  // namespace
}  // namespace vktest
