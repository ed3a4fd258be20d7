#include "stoerung.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vktest {

namespace fs = std::filesystem;

std::string DateiBytes(const fs::path& datei) {
    std::ifstream in(datei, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

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

void TeilAendern(const fs::path& docx, const std::string& teil,
                 const std::function<std::string(std::string)>& aendern) {
    int fehler = 0;
    zip_t* za = zip_open(docx.c_str(), 0, &fehler);
    if (!za) throw std::runtime_error("cannot open " + docx.string());
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(za, teil.c_str(), 0, &st) != 0) {
        zip_discard(za);
        throw std::runtime_error(teil + " missing in " + docx.string());
    }
    std::string bytes(st.size, '\0');
    zip_file_t* zf = zip_fopen(za, teil.c_str(), 0);
    const zip_int64_t gelesen = zf ? zip_fread(zf, bytes.data(), st.size) : -1;
    if (zf) zip_fclose(zf);
    if (gelesen != static_cast<zip_int64_t>(st.size)) {
        zip_discard(za);
        throw std::runtime_error("cannot read " + teil);
    }
    // libzip keeps the buffer until zip_close, so it lives in a string that outlasts the call.
    const std::string neu = aendern(std::move(bytes));
    zip_source_t* quelle = zip_source_buffer(za, neu.data(), neu.size(), 0);
    if (!quelle || zip_file_add(za, teil.c_str(), quelle, ZIP_FL_OVERWRITE) < 0 || zip_close(za) != 0) {
        zip_discard(za);
        throw std::runtime_error("cannot write " + docx.string());
    }
}

}  // namespace vktest
