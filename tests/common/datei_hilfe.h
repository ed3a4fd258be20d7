// Test helpers around files and child programs: a whole file as bytes, a shell command's output.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vktest {

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
