#include "common/dateisperre.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <thread>

#include "common/fehler.h"

namespace vk {
namespace {

struct Gehaltene {
    int fd = -1;
    int anzahl = 0;
};

std::mutex& RegisterMutex() {
    static std::mutex m;
    return m;
}

// The locks this process holds, by lock file.
std::map<std::string, Gehaltene>& Register() {
    static std::map<std::string, Gehaltene> r;
    return r;
}

bool DieselbeDatei(int fd, const std::string& pfad) {
    struct stat offen {}, benannt {};
    if (::fstat(fd, &offen) != 0 || ::stat(pfad.c_str(), &benannt) != 0) return false;
    return offen.st_dev == benannt.st_dev && offen.st_ino == benannt.st_ino;
}

// The descriptor of the locked file; -1 when the folder takes no lock file.
int Sperren(const std::string& pfad, std::chrono::milliseconds wartezeit) {
    const auto frist = std::chrono::steady_clock::now() + wartezeit;
    for (;;) {
        const int fd = ::open(pfad.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) return -1;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) {
                ::close(fd);
                return -1;
            }
            if (std::chrono::steady_clock::now() >= frist) {
                ::close(fd);
                throw LaufzeitFehler(fehlernummer::ZugriffVerweigert,
                                     pfad + ": länger als " + std::to_string(wartezeit.count()) + " ms gesperrt");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // The holder before may have removed the file while this one waited on it: then the lock
        // is on a file nobody else looks at, and the one at the path is taken instead.
        if (DieselbeDatei(fd, pfad)) return fd;
        ::close(fd);
    }
}

}  // namespace

Dateisperre::Dateisperre(std::filesystem::path datei, std::chrono::milliseconds wartezeit)
    : schluessel_(std::filesystem::absolute(datei).lexically_normal().string()) {
    std::lock_guard lock(RegisterMutex());
    auto& register_ = Register();
    if (auto it = register_.find(schluessel_); it != register_.end()) {
        ++it->second.anzahl;
        gehalten_ = true;
        return;
    }
    const int fd = Sperren(schluessel_, wartezeit);
    if (fd < 0) return;
    register_[schluessel_] = {fd, 1};
    gehalten_ = true;
}

Dateisperre::~Dateisperre() {
    if (!gehalten_) return;
    std::lock_guard lock(RegisterMutex());
    auto& register_ = Register();
    auto it = register_.find(schluessel_);
    if (it == register_.end() || --it->second.anzahl > 0) return;
    // Removed while still locked, so no one takes a lock on it that the next holder would not see.
    if (DieselbeDatei(it->second.fd, schluessel_)) ::unlink(schluessel_.c_str());
    ::close(it->second.fd);
    register_.erase(it);
}

}  // namespace vk
