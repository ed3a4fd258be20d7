// What both test programs do before their first test: the process locale from the environment, and
// a private temporary folder for the log, the settings and the run-time files.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <locale>
#include <stdexcept>
#include <string>
#include <utility>

namespace vktest {

// The locale comes from the environment, as a host takes it (Qt does so at start): the suite runs once
// under LC_ALL=C and once under LC_ALL=de_DE.UTF-8, and every number must be read and written alike
// under both. False (with a message) when the environment names a locale this machine does not have:
// a run that silently fell back to "C" would prove nothing.
inline bool GebietsschemaAusUmgebung() {
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        const char* name = std::getenv("LC_ALL");
        std::fprintf(stderr, "The locale '%s' is not installed (./run makes de_DE.UTF-8 with localedef).\n",
                     name ? name : "");
        return false;
    }
    return std::setlocale(LC_ALL, "") != nullptr;
}

// A folder of the test program's own below the temporary directory, named in the environment
// variables given (each as a subfolder, or the folder itself for an empty name). It deletes only what
// it made: when the folder cannot be made, Gemacht() is false, nothing is set and nothing deleted
// (the program must not go on then, or its tests would write into the user's own log and settings).
class Testordner {
public:
    Testordner(const char* präfix, std::initializer_list<std::pair<const char*, const char*>> variablen) {
        std::error_code ec;
        const std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
        if (ec) return;
        std::string muster = (tmp / (std::string(präfix) + "_XXXXXX")).string();
        if (!::mkdtemp(muster.data())) return;
        pfad_ = muster;
        for (const auto& [name, unterordner] : variablen) ::setenv(name, (pfad_ / unterordner).c_str(), 1);
    }
    ~Testordner() {
        std::error_code ec;
        if (!pfad_.empty()) std::filesystem::remove_all(pfad_, ec);
    }
    Testordner(const Testordner&) = delete;
    Testordner& operator=(const Testordner&) = delete;

    bool Gemacht() const { return !pfad_.empty(); }
    const std::filesystem::path& Pfad() const { return pfad_; }

private:
    std::filesystem::path pfad_;
};

// The message and exit status of a test program that cannot make its folder.
inline int OhneTestordner() {
    std::fprintf(stderr, "No private temporary folder could be made (TMPDIR=%s); no test was run.\n",
                 std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "");
    return 2;
}

}  // namespace vktest
