// Test helpers around files and child programs: a private temporary folder, a whole file as bytes, a
// shell command's output.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vktest {

// A fresh folder below the temp directory, removed with everything in it when the object goes.
class TempOrdner {
public:
    TempOrdner() : TempOrdner(std::filesystem::temp_directory_path()) {}
    explicit TempOrdner(const std::filesystem::path& basis) {
        std::string muster = (basis / "vk_test_XXXXXX").string();
        if (!::mkdtemp(muster.data())) throw std::runtime_error("mkdtemp failed");
        pfad_ = muster;
    }
    ~TempOrdner() {
        std::error_code ec;
        std::filesystem::remove_all(pfad_, ec);
    }
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;
    const std::filesystem::path& Pfad() const { return pfad_; }
    std::filesystem::path operator/(const std::string& name) const { return pfad_ / name; }

private:
    std::filesystem::path pfad_;
};

inline std::string DateiLesen(const std::filesystem::path& datei) {
    std::ifstream in(datei, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void DateiSchreiben(const std::filesystem::path& datei, const std::string& bytes) {
    std::ofstream(datei, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs a shell command and returns its standard output; `rc` gets its exit status (-1 when it did
// not exit normally).
inline std::string Ausfuehren(const std::string& befehl, int* rc = nullptr) {
    std::string aus;
    FILE* f = ::popen(befehl.c_str(), "r");
    if (!f) {
        if (rc) *rc = -1;
        return aus;
    }
    char puffer[4096];
    while (std::size_t n = std::fread(puffer, 1, sizeof puffer, f)) aus.append(puffer, n);
    const int status = ::pclose(f);
    if (rc) *rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return aus;
}

}  // namespace vktest
