// Files on disk as a save needs them: the file a path names (symbolic links followed to the file
// they point to, so that a save replaces that file and its lock lies beside it, not beside the
// link), and a folder's entries made durable.
#pragma once

#include <filesystem>

namespace vk {

// The absolute path of the file `pfad` names, every symbolic link of its last part followed (also a
// link to a file that does not exist yet). A loop of links raises run-time error 75 naming the path.
std::filesystem::path DateiZiel(const std::filesystem::path& pfad);

// Syncs the folder itself, so that a file renamed, made or removed in it stays so after a power
// cut. A folder that cannot be opened is skipped.
void OrdnerSynchron(const std::filesystem::path& ordner);

}  // namespace vk
