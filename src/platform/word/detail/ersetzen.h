// The files a save writes beside its target: their names, the old file kept under a second name,
// and the old file's mode and owner carried over to the new one.
#pragma once

#include <sys/stat.h>

#include <filesystem>

namespace vk::word::detail {

// ".Rechnung.docx.vk012345.tmp" beside `ziel` for the number and ending (".tmp" the new file,
// ".alt" the old one kept).
std::filesystem::path Beiname(const std::filesystem::path& ziel, unsigned nummer, const char* endung);

// Whether `datei` is such a name of `ziel`.
bool IstBeiname(const std::filesystem::path& ziel, const std::filesystem::path& datei);

// The owner and mode of the old file on the new one, open as `fd` (an owner only root may give
// stays the writer's; the mode is kept all the same).
void WieDasAlte(int fd, const struct stat& alt);

// Keeps the file `ziel` (its status `st`) as `alt`: a hard link, or a synced copy where the file
// system or the system's link protection allows none. False with errno set when neither works.
bool Aufbewahren(const std::filesystem::path& ziel, const std::filesystem::path& alt, const struct stat& st);

}  // namespace vk::word::detail
