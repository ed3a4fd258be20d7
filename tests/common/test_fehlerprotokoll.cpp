// The error log: entry layout, one entry per failing statement, the last-error record, unwritable logs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "common/fehlerprotokoll.h"
#include "common/prozedur.h"
#include "protokoll_hilfe.h"

namespace vk {
namespace {

std::chrono::system_clock::time_point LokaleZeit(int j, int m, int t, int h, int min) {
    std::tm tm{};
    tm.tm_year = j - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = t;
    tm.tm_hour = h;
    tm.tm_min = min;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

class Fehlerprotokoll : public ::testing::Test {
protected:
    void SetUp() override {
        test::ProtokollLeeren();
        UhrSetzen([] { return LokaleZeit(2026, 12, 5, 10, 12); });
    }
    void TearDown() override { UhrSetzen(nullptr); }
};

// Entries are appended. A line break in a value (a database file name) would make a line of its
// own, even a whole forged entry: control characters are written as escapes, the entry keeps its
// five lines.
TEST_F(Fehlerprotokoll, EntryLayoutByteForByteAppendedWithControlCharactersEscaped) {
    FehlerProtokollieren("Rechnung", "Show", LaufzeitFehler(91));
    FehlerProtokollieren("frmKat2", "Show",
                         LaufzeitFehler(3024, "Datei 'a\r\n\r\n5.12.26 10:12   Error 6: \r\nÜberlauf\x01.sqlite' fehlt"));
    EXPECT_EQ(test::ProtokollText(),
              "5.12.26 10:12   Error 91: \r\n"
              "Objektvariable oder With-Blockvariable nicht festgelegt\r\n"
              "Zeile: 0\r\n"
              "Ort  : -KalDienste- Rechnung.Show\r\n"
              "User : ohne, ohne\r\n"
              "\r\n"
              "5.12.26 10:12   Error 3024: \r\n"
              "Datei 'a\\r\\n\\r\\n5.12.26 10:12   Error 6: \\r\\nÜberlauf\\x01.sqlite' fehlt\r\n"
              "Zeile: 0\r\n"
              "Ort  : -KalDienste- frmKat2.Show\r\n"
              "User : ohne, ohne\r\n"
              "\r\n");
}

TEST_F(Fehlerprotokoll, FailingStatementLogsOnceAndTheProcedureGoesOn) {
    Prozedur proc("modTest", "Ablauf");
    double wert = 7.0;
    int schritte = 0;
    EXPECT_TRUE(proc([&] { ++schritte; }));
    EXPECT_FALSE(proc([&] { wert = Division(1.0, 0.0); }));  // fails: wert keeps its value
    EXPECT_TRUE(proc([&] { ++schritte; }));
    EXPECT_EQ(schritte, 2);
    EXPECT_EQ(wert, 7.0);
    EXPECT_EQ(proc.Fehleranzahl(), 1);
    EXPECT_EQ(test::ProtokollEintraege(), 1);
    EXPECT_NE(test::ProtokollText().find("Error 11: \r\nDivision durch Null\r\n"), std::string::npos);

    // Foreign exceptions are logged too.
    proc([] { throw std::out_of_range("cell (9,9)"); });
    proc([] { throw 42; });
    EXPECT_EQ(test::ProtokollEintraege(), 3);
    EXPECT_NE(test::ProtokollText().find("Error 9: \r\ncell (9,9)"), std::string::npos);
}

TEST_F(Fehlerprotokoll, LastErrorKeepsTheFirstOfARunFromOneProcedure) {
    FehlerProtokollieren("frmKat2", "GebührBerechnen", LaufzeitFehler(11));
    EXPECT_EQ(LetzterFehler().Funktionsname, "frmKat2GebührBerechnen");
    EXPECT_EQ(LetzterFehler().strNr, "11");
    // The same module/procedure key does not replace the stored error.
    FehlerProtokollieren("frmKat2", "GebührBerechnen", LaufzeitFehler(6));
    EXPECT_EQ(LetzterFehler().strNr, "11");
    FehlerProtokollieren("Rechnung", "Show", LaufzeitFehler(6));
    EXPECT_EQ(LetzterFehler().strModul, "Rechnung");
    EXPECT_EQ(LetzterFehler().strFunktion, "Show");
    EXPECT_EQ(LetzterFehler().strFehler, "Überlauf");
    EXPECT_EQ(LetzterFehler().Hinweis, 0);
}

TEST_F(Fehlerprotokoll, UnwritableLogIsSkippedSilently) {
    std::string alt = std::getenv("VK_LOG_DIR");
    ::setenv("VK_LOG_DIR", "/proc/nicht/schreibbar", 1);
    Prozedur proc("modTest", "OhneLog");
    int danach = 0;
    proc([] { throw LaufzeitFehler(5); });
    proc([&] { danach = 1; });
    ::setenv("VK_LOG_DIR", alt.c_str(), 1);
    EXPECT_EQ(danach, 1);
    EXPECT_EQ(LetzterFehler().strNr, "5");  // still remembered
    EXPECT_EQ(test::ProtokollEintraege(), 0);
}

// A log that is a link is not written through it (the entry is skipped, the link's target stays).
// Past its size the log becomes Verw.log.1 (an older one dropped) and a new one begins: two files
// of at most 1 MB are all the log ever takes.
TEST_F(Fehlerprotokoll, ALinkInTheLogsPlaceIsNotFollowedAndPastItsSizeTheLogRollsOver) {
    const std::filesystem::path log = ProtokollPfad(), alt = log.string() + ".1";
    const std::filesystem::path ziel = log.parent_path() / "anderswo.txt";
    std::filesystem::create_directories(log.parent_path());
    vktest::DateiSchreiben(ziel, "fremd");
    std::filesystem::create_symlink(ziel, log);
    FehlerProtokollieren("Rechnung", "Show", LaufzeitFehler(91));
    EXPECT_EQ(vktest::DateiLesen(ziel), "fremd");
    std::filesystem::remove(log);
    std::filesystem::remove(ziel);

    vktest::DateiSchreiben(alt, "ganz alt");
    vktest::DateiSchreiben(log, std::string(1024 * 1024 - 100, 'x'));
    FehlerProtokollieren("Rechnung", "Show", LaufzeitFehler(91));
    EXPECT_EQ(std::filesystem::file_size(alt), 1024u * 1024 - 100);
    EXPECT_EQ(test::ProtokollEintraege(), 1);
    EXPECT_EQ(test::ProtokollText().rfind("5.12.26 10:12   Error 91", 0), 0u);
    std::filesystem::remove(alt);
}

TEST_F(Fehlerprotokoll, TwoProcessesNeverInterleaveAnEntry) {
    constexpr int kJe = 200;
    pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    for (int i = 0; i < kJe; ++i) FehlerProtokollieren(kind == 0 ? "Kind" : "Eltern", "Schreiben", LaufzeitFehler(5));
    if (kind == 0) std::_Exit(0);
    int status = 0;
    ::waitpid(kind, &status, 0);
    std::string text = test::ProtokollText();
    const std::string eintragEltern = ProtokollEintrag("Eltern", "Schreiben", LaufzeitFehler(5), 0, Jetzt());
    const std::string eintragKind = ProtokollEintrag("Kind", "Schreiben", LaufzeitFehler(5), 0, Jetzt());
    int eltern = 0, kinder = 0;
    for (std::size_t p = 0; p < text.size();) {
        if (text.compare(p, eintragEltern.size(), eintragEltern) == 0) { ++eltern; p += eintragEltern.size(); }
        else if (text.compare(p, eintragKind.size(), eintragKind) == 0) { ++kinder; p += eintragKind.size(); }
        else FAIL() << "entry broken at byte " << p;
    }
    EXPECT_EQ(eltern, kJe);
    EXPECT_EQ(kinder, kJe);
}

}  // namespace
}  // namespace vk
