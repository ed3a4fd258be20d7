// Test helpers for fault injection: folder listings to prove nothing changed, a folder the process
// cannot write to (also as root), and a save in a child process with a file-size limit ("disk full").
#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "common/datei_hilfe.h"

namespace vktest {

std::set<std::string> DateienIm(const std::filesystem::path& ordner);

// Makes the folder unwritable while it lives: immutable where the file system allows it (root
// ignores permissions), else mode 0555. Gesperrt() says whether either worked.
class SchreibgeschuetzterOrdner {
public:
    explicit SchreibgeschuetzterOrdner(std::filesystem::path ordner);
    ~SchreibgeschuetzterOrdner();
    SchreibgeschuetzterOrdner(const SchreibgeschuetzterOrdner&) = delete;
    SchreibgeschuetzterOrdner& operator=(const SchreibgeschuetzterOrdner&) = delete;
    bool Gesperrt() const { return gesperrt_; }

private:
    std::filesystem::path ordner_;
    bool unveraenderlich_ = false;
    bool gesperrt_ = false;
};

// Runs the action in a child process whose files may not grow beyond `grenze` bytes (SIGXFSZ
// ignored, so a write fails with EFBIG as on a full disk). Returns the child's exit status, or -1
// when it did not exit normally.
int MitDateigroessenGrenze(std::size_t grenze, const std::function<int()>& aktion);

}  // namespace vktest
