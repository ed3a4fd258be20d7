// Test helpers for fault injection: file bytes and folder listings to prove nothing changed, a
// folder the process cannot write to (also as root), a save in a child process with a file-size
// limit ("disk full"), and rewriting one part of a .docx the way a hand edit or a damaged file
// changes it.
#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace vktest {

std::string DateiBytes(const std::filesystem::path& datei);
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

// Replaces the bytes of one part of a .docx with what `aendern` makes of them.
void TeilAendern(const std::filesystem::path& docx, const std::string& teil,
                 const std::function<std::string(std::string)>& aendern);

}  // namespace vktest
