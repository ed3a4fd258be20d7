// A save that fails part way (read-only folder, disk full, missing folder) leaves the old invoice byte
// for byte and no stray file, and reports one clear error naming the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "../dao/testdatenbank.h"
#include "common/fehler.h"
#include "platform/word/document.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

std::set<std::string> DateienIm(const fs::path& ordner) {
    std::set<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner)) namen.insert(e.path().filename().string());
    return namen;
}

bool UnveraenderlichSetzen(const fs::path& ordner, bool an) {
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    const bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                    (flags = an ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL), ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (fd >= 0) ::close(fd);
    return ok;
}

// Makes the folder unwritable while it lives: immutable where the file system allows it (root
// ignores permissions), else mode 0555. Gesperrt(): whether a new file can no longer be created there.
class SchreibgeschuetzterOrdner {
public:
    explicit SchreibgeschuetzterOrdner(fs::path ordner) : ordner_(std::move(ordner)), unveraenderlich_(UnveraenderlichSetzen(ordner_, true)) {
        if (!unveraenderlich_) ::chmod(ordner_.c_str(), 0555);
        const fs::path probe = ordner_ / ".schreibprobe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        gesperrt_ = fd < 0;
        if (fd >= 0) ::close(fd), ::unlink(probe.c_str());
    }
    ~SchreibgeschuetzterOrdner() {
        if (unveraenderlich_) UnveraenderlichSetzen(ordner_, false);
        ::chmod(ordner_.c_str(), 0755);
    }
    bool Gesperrt() const { return gesperrt_; }

private:
    fs::path ordner_;
    bool unveraenderlich_, gesperrt_ = false;
};

// Saves in a child process whose files may not grow beyond 4096 bytes (SIGXFSZ ignored, so a write
// fails with EFBIG as on a full disk). The child's exit status: 0 one document error naming the file,
// 1 success reported, 2 an error that does not name the file, 3 another error number, 97 a foreign
// exception; -1 when it did not exit normally.
int SpeichernBeiVollerPlatte(vk::word::Document& doc, const fs::path& datei) {
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit r{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &r) != 0) ::_exit(99);
        try {
            doc.Save(datei);
            ::_exit(1);
        } catch (const vk::LaufzeitFehler& f) {
            if (f.Nummer() != vk::fehlernummer::DateiZugriffsfehler) ::_exit(3);
            ::_exit(f.Beschreibung().find(datei.filename().string()) == std::string::npos ? 2 : 0);
        } catch (...) {
            ::_exit(97);
        }
    }
    int status = 0;
    if (kind < 0 || ::waitpid(kind, &status, 0) != kind) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SpeichernScheitert : public ::testing::Test {
protected:
    void SetUp() override {
        auto doc = vk::word::Document::New();
        doc->Content().InsertAfter("Rechnung Nr. 2026-001");
        doc->Save(datei_);
        alt_ = DateiLesen(datei_);
        dateien_ = DateienIm(ordner_.Pfad());
        // An edit that makes the new package larger than the old one.
        doc_ = vk::word::Document::Open(datei_);
        std::string viel;
        for (int i = 0; i < 4000; ++i) viel += "Position " + std::to_string(i * 7919 % 10007) + " ";
        doc_->Content().InsertAfter(viel);
        doc_->Tables().Add(doc_->Range(0, 0), 3, 5).Cell(1, 1).Range().InsertAfter("Grenzbescheinigungen");
    }

    void AltesDokumentUnversehrt() {
        EXPECT_EQ(DateiLesen(datei_), alt_) << "the old invoice was changed";
        EXPECT_EQ(DateienIm(ordner_.Pfad()), dateien_) << "a temporary file was left behind";
        EXPECT_EQ(vk::word::Document::Open(datei_)->Content().Text(), "Rechnung Nr. 2026-001\r");
    }
    // Once the fault is gone the same document saves to its own file.
    void SpeichertDanach() {
        doc_->Save();
        EXPECT_EQ(vk::word::Document::Open(datei_)->Tables().Count(), 1);
    }

    TempOrdner ordner_;
    fs::path datei_ = ordner_ / "Rechnung.docx";
    std::string alt_;
    std::set<std::string> dateien_;
    std::shared_ptr<vk::word::Document> doc_;
};

TEST_F(SpeichernScheitert, ReadOnlyFolderKeepsTheOldFileAndNamesIt) {
    {
        SchreibgeschuetzterOrdner sperre(ordner_.Pfad());
        if (!sperre.Gesperrt()) GTEST_SKIP() << "cannot make a folder read-only here";
        const auto f = FehlerVon([&] { doc_->Save(); });
        EXPECT_EQ(f.nummer, vk::fehlernummer::DateiZugriffsfehler) << "0: the save reported success";
        EXPECT_NE(f.beschreibung.find(datei_.string()), std::string::npos) << f.beschreibung;
    }
    AltesDokumentUnversehrt();
    SpeichertDanach();
}

TEST_F(SpeichernScheitert, DiskFullKeepsTheOldFileAndLeavesNoNewOne) {
    EXPECT_EQ(SpeichernBeiVollerPlatte(*doc_, datei_), 0);
    AltesDokumentUnversehrt();
    EXPECT_EQ(SpeichernBeiVollerPlatte(*doc_, ordner_ / "Neu.docx"), 0);
    EXPECT_EQ(DateienIm(ordner_.Pfad()), dateien_) << "Neu.docx or a temporary file was left";
}

// A failed save does not make the document forget where it belongs: Save() without a name still
// writes the original file, not the place that failed.
TEST_F(SpeichernScheitert, MissingFolderIsOneClearErrorAndTheDocumentKeepsItsPath) {
    const auto f = FehlerVon([&] { doc_->Save(ordner_ / "fehlt" / "Rechnung.docx"); });
    EXPECT_EQ(f.nummer, vk::fehlernummer::DateiZugriffsfehler);
    EXPECT_NE(f.beschreibung.find("fehlt/Rechnung.docx"), std::string::npos) << f.beschreibung;
    AltesDokumentUnversehrt();
    EXPECT_EQ(doc_->Path(), fs::absolute(datei_));
    SpeichertDanach();
}

}  // namespace
}  // namespace vktest
