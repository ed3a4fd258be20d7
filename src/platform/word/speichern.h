// Replacing an invoice file: the steps a host takes around the replace, and the leftovers of saves
// whose process was killed.
//
// A save writes the new package to a file beside the target (through a link: beside the file the
// link points to), with the target's mode and owner, and syncs it; keeps the old file beside it
// under a second name; then renames the new file over the target. Until the save returns, the old
// file can be put back: a failure after the replace (the host's `danach`) puts it back.
#pragma once

#include <filesystem>
#include <functional>

namespace vk::word {

struct Ersatzdateien {
    std::filesystem::path ziel;  // the file replaced
    std::filesystem::path neu;   // the new document, complete on disk beside it
    std::filesystem::path alt;   // the old document kept beside it (empty when the target is new)
};

struct Ersetzen {
    // Runs once both files are on disk and nothing is replaced yet (a host notes them in its journal
    // there); throwing removes them and leaves the target as it was.
    std::function<void(const Ersatzdateien&)> vorher;
    // Runs once the new file has replaced the old one (a host commits the invoice record there);
    // throwing puts the old file back, and the exception reaches the caller.
    std::function<void()> danach;
};

// Whether a file beside `ziel` is what a save of it writes on the way (".Rechnung.docx.vk123456.tmp",
// ".Rechnung.docx.vk123456.alt").
bool Speicherrest(const std::filesystem::path& ziel, const std::filesystem::path& datei);

// Removes every such file beside `ziel` (the leftovers of saves whose process was killed). Only
// safe while no other save of that file runs: a host calls it holding the file's lock.
void SpeicherresteEntfernen(const std::filesystem::path& ziel);

}  // namespace vk::word
