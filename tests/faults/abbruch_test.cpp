// `vk apply` killed at the worst moments, as a real process: at the replace of the invoice file, at
// the commit of its record, after the commit, and at random moments. Whatever the moment, the next
// program on that invoice (here `vk check`, which must then prove it: exit status 0) finds invoice
// file and record in agreement, the one confirmation either wholly there or wholly gone, and one
// more confirmation goes through and leaves nothing behind beside the invoice.
//
// The kills at a system call come from strace's fault injection (Debian `strace`); the save makes
// exactly one rename (the replace; the dialog's stored place is not written again), and SQLite
// commits a database file by deleting its journal (the first unlink of a run), so "the first
// rename" and "the first unlink" are those moments.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "../cli/rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

// The demo office: a priced invoice whose record agrees with it.
class Abbruch : public DemoBuero {
protected:
    void SetUp() override {
        DemoBuero::SetUp();
        // Confirmed once as the demo has it: the table-choice dialog's place is stored (a settings
        // file replaced by a rename), so the only rename of a later run is the invoice's.
        ASSERT_EQ(ApplyLauf(true).status, 0);
        vorher_ = DateiLesen(Rechnung());
        bruttoVorher_ = Brutto();
    }

    // One confirmation (the arguments of vk): the invoice's boundary certificate with an inspection
    // (300,00 €, as the demo has it) or without (150,00 €): each changes file and record.
    std::string Apply(bool ort = false) const {
        return "apply " + RechnungsArgumente(Db(), Rechnung()) + " --category 4 --choose 1 --set chkOrt=" + (ort ? "1" : "0");
    }
    Lauf ApplyLauf(bool ort = false) const { return Vk(Apply(ort)); }
    // What lies beside the invoice that is neither the invoice, its template nor its database.
    std::set<std::string> Reste() const {
        std::set<std::string> reste;
        for (const auto& e : fs::directory_iterator(ordner_.Pfad())) reste.insert(e.path().filename().string());
        for (const char* n : {"Rechnung.docx", "Vorlage.docx", "buero.sqlite", "buero.sqlite-journal"}) reste.erase(n);
        return reste;
    }
    // One more confirmation goes through, the invoice proves, and nothing stays beside it.
    void WeiterGehtEs() {
        const Lauf l = ApplyLauf(), p = Pruefen();
        EXPECT_EQ(l.status, 0) << l.ausgabe;
        EXPECT_EQ(p.status, 0) << p.ausgabe;
        EXPECT_EQ(Reste(), std::set<std::string>());
    }

    std::string vorher_, bruttoVorher_;
};

struct Moment {
    const char* name;
    const char* inject;
    bool neu;  // whether the confirmation is there afterwards
};

void PrintTo(const Moment& m, std::ostream* aus) { *aus << m.name; }

// At the replace: nothing replaced, nothing committed. At the commit (SQLite deleting its journal):
// the new file in place, the record not committed: the old file comes back. After the commit (the
// old file's second name removed): both new, the journal is what remains to be cleared.
const Moment kMomente[] = {
    {"AtTheReplace", "rename:signal=SIGKILL", false},
    {"AtTheCommit", "unlink:signal=SIGKILL", false},
    {"AfterTheCommit", "unlink:signal=SIGKILL:when=2", true},
};

class AbbruchBei : public Abbruch, public ::testing::WithParamInterface<Moment> {};

TEST_P(AbbruchBei, FileAndRecordAgreeAfterwardsAndTheNextRunCarriesOn) {
    const Moment m = GetParam();
    ASSERT_FALSE(Ausfuehren("command -v strace").empty()) << "strace is not installed (Debian strace; ./run installs it)";
    const Lauf getoetet = VkUnterStrace(m.inject, Apply());
    EXPECT_EQ(getoetet.status, 128 + SIGKILL) << "the run was not killed: " << getoetet.ausgabe;
    EXPECT_FALSE(Reste().empty()) << "a kill in the middle leaves its journal";

    const Lauf p = Pruefen();
    EXPECT_EQ(p.status, 0) << p.ausgabe;
    EXPECT_NE(p.ausgabe.find(m.neu ? "wurde abgeschlossen" : "wurde zurückgenommen"), std::string::npos) << p.ausgabe;
    EXPECT_EQ(Reste(), std::set<std::string>());
    EXPECT_EQ(DateiLesen(Rechnung()) != vorher_, m.neu) << "the invoice file";
    EXPECT_EQ(Brutto() != bruttoVorher_, m.neu) << "the invoice record";
    WeiterGehtEs();
}

INSTANTIATE_TEST_SUITE_P(Momente, AbbruchBei, ::testing::ValuesIn(kMomente),
                         [](const auto& info) { return std::string(info.param.name); });

// Killed at random moments of its run, again and again: after each kill the invoice proves; then
// one more confirmation goes through and leaves nothing behind.
TEST_F(Abbruch, RandomKillsLeaveAnInvoiceThatProvesAndTheNextConfirmationWorks) {
    int lauf = 0;
    const auto starten = [&] {
        const std::string befehl = "exec " + std::string(VK_CLI_BINARY) + " " + Apply(lauf++ % 2 == 1) + " >/dev/null 2>&1";
        const pid_t p = ::fork();
        if (p == 0) {
            ::execl("/bin/sh", "sh", "-c", befehl.c_str(), nullptr);
            ::_exit(127);
        }
        return p;
    };
    // How long one confirmation takes here: the kills fall within it.
    const auto anfang = std::chrono::steady_clock::now();
    int status = 0;
    ::waitpid(starten(), &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto dauer = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - anfang);

    constexpr int kKills = 40;
    std::mt19937 zufall(26);
    int getoetet = 0, mittendrin = 0;
    for (int i = 0; i < kKills; ++i) {
        const pid_t p = starten();
        // Mostly in the second half of the run, where the save is.
        std::this_thread::sleep_for(std::chrono::microseconds(dauer.count() / 3 + zufall() % (dauer.count() + 1)));
        ::kill(p, SIGKILL);
        ::waitpid(p, &status, 0);
        if (WIFSIGNALED(status)) ++getoetet;
        if (fs::exists(ordner_ / ".Rechnung.docx.vkjournal")) ++mittendrin;
        const Lauf l = Pruefen();
        ASSERT_EQ(l.status, 0) << "after kill " << i << ":\n" << l.ausgabe;
    }
    std::printf("[ Abbruch ] %d of %d runs killed, %d of them while saving (%ld µs a confirmation)\n", getoetet, kKills, mittendrin,
                static_cast<long>(dauer.count()));
    SCOPED_TRACE("after the kills");
    WeiterGehtEs();
}

// What saves killed long ago left beside the invoice goes with the next save of that invoice; files
// that merely look alike stay.
TEST_F(Abbruch, LeftoversOfEarlierSavesGoWithTheNextSave) {
    for (const char* name : {".Rechnung.docx.vk123456.tmp", ".Rechnung.docx.vk000001.alt", ".Rechnung.docx.vkjunk.tmp",
                             ".Vorlage.docx.vk123456.tmp"})
        DateiSchreiben(ordner_ / name, "alt");
    ASSERT_EQ(ApplyLauf().status, 0);
    EXPECT_EQ(Reste(), (std::set<std::string>{".Rechnung.docx.vkjunk.tmp", ".Vorlage.docx.vk123456.tmp"}))
        << "only the leftovers of this invoice's saves go";
}

}  // namespace
}  // namespace vktest
