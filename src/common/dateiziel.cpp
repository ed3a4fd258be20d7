#include "common/dateiziel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/fehler.h"

namespace vk {

std::filesystem::path DateiZiel(const std::filesystem::path& pfad) {
    namespace fs = std::filesystem;
    fs::path p = fs::absolute(pfad).lexically_normal();
    // As many links as the system itself follows before it reports a loop.
    for (int i = 0; i < 40; ++i) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::error_code ec;
        const fs::path ziel = fs::read_symlink(p, ec);
        if (ec) return p;
        p = (ziel.is_absolute() ? ziel : p.parent_path() / ziel).lexically_normal();
    }
    throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, pfad.string() + ": zu viele symbolische Verknüpfungen");
}

void OrdnerSynchron(const std::filesystem::path& ordner) {
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace vk
