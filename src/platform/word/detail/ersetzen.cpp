#include "platform/word/detail/ersetzen.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>

namespace vk::word::detail {

std::filesystem::path Beiname(const std::filesystem::path& ziel, unsigned nummer, const char* endung) {
    std::string n = std::to_string(nummer);
    n.insert(0, 6 - std::min<std::size_t>(6, n.size()), '0');
    return ziel.parent_path() / ("." + ziel.filename().string() + ".vk" + n + endung);
}

void WieDasAlte(int fd, const struct stat& alt) {
    if (alt.st_uid != ::geteuid() || alt.st_gid != ::getegid()) (void)::fchown(fd, alt.st_uid, alt.st_gid);
    (void)::fchmod(fd, alt.st_mode & 07777);
}

namespace {

bool Schreiben(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

}  // namespace

bool Aufbewahren(const std::filesystem::path& ziel, const std::filesystem::path& alt, const struct stat& st) {
    if (::link(ziel.c_str(), alt.c_str()) == 0) return true;
    const int quelle = ::open(ziel.c_str(), O_RDONLY | O_CLOEXEC);
    if (quelle < 0) return false;
    const int fd = ::open(alt.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int fehler = errno;
        ::close(quelle);
        errno = fehler;
        return false;
    }
    bool gut = true;
    char puffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(quelle, puffer, sizeof puffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            gut = n == 0;
            break;
        }
        if (!Schreiben(fd, puffer, static_cast<std::size_t>(n))) {
            gut = false;
            break;
        }
    }
    const int fehler = errno;
    WieDasAlte(fd, st);
    gut = gut && ::fsync(fd) == 0;
    ::close(fd);
    ::close(quelle);
    if (!gut) {
        ::unlink(alt.c_str());
        errno = fehler;
    }
    return gut;
}

bool IstBeiname(const std::filesystem::path& ziel, const std::filesystem::path& datei) {
    const std::string name = datei.filename().string();
    const std::string anfang = "." + ziel.filename().string() + ".vk";
    if (name.size() != anfang.size() + 10 || name.compare(0, anfang.size(), anfang) != 0) return false;
    for (std::size_t i = anfang.size(); i < anfang.size() + 6; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    const std::string_view endung = std::string_view(name).substr(anfang.size() + 6);
    return endung == ".tmp" || endung == ".alt";
}

}  // namespace vk::word::detail
