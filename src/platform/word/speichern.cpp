#include "platform/word/speichern.h"

#include "common/dateiziel.h"
#include "platform/word/detail/ersetzen.h"

namespace vk::word {

bool Speicherrest(const std::filesystem::path& ziel, const std::filesystem::path& datei) {
    return detail::IstBeiname(ziel, datei);
}

void SpeicherresteEntfernen(const std::filesystem::path& ziel) {
    namespace fs = std::filesystem;
    const fs::path datei = DateiZiel(ziel);
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(datei.parent_path(), ec))
        if (Speicherrest(datei, e.path())) fs::remove(e.path(), ec);
}

}  // namespace vk::word
