#include "stoerung.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace vktest {

namespace fs = std::filesystem;

std::set<std::string> DateienIm(const fs::path& ordner) {
    std::set<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner)) namen.insert(e.path().filename().string());
    return namen;
}

namespace {

bool UnveraenderlichSetzen(const fs::path& ordner, bool an) {
    int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = an ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Whether a new file can be created in the folder right now.
bool Beschreibbar(const fs::path& ordner) {
    const fs::path probe = ordner / ".schreibprobe";
    int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

}  // namespace

SchreibgeschuetzterOrdner::SchreibgeschuetzterOrdner(fs::path ordner) : ordner_(std::move(ordner)) {
    unveraenderlich_ = UnveraenderlichSetzen(ordner_, true);
    if (!unveraenderlich_) ::chmod(ordner_.c_str(), 0555);
    gesperrt_ = !Beschreibbar(ordner_);
}

SchreibgeschuetzterOrdner::~SchreibgeschuetzterOrdner() {
    if (unveraenderlich_) UnveraenderlichSetzen(ordner_, false);
    ::chmod(ordner_.c_str(), 0755);
}

int MitDateigroessenGrenze(std::size_t grenze, const std::function<int()>& aktion) {
    const pid_t kind = ::fork();
    if (kind < 0) throw std::runtime_error("fork failed");
    if (kind == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit r{grenze, grenze};
        if (::setrlimit(RLIMIT_FSIZE, &r) != 0) ::_exit(99);
        int status = 98;
        try {
            status = aktion();
        } catch (...) {
            status = 97;  // an exception the action did not expect
        }
        ::_exit(status);
    }
    int status = 0;
    if (::waitpid(kind, &status, 0) != kind) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vktest
