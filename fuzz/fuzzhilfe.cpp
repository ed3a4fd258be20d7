#include "fuzzhilfe.h"

#include <cstdlib>

namespace vkfuzz {

void OhneProtokoll() { ::setenv("VK_LOG_DIR", "/dev/null/vk-fuzz", 1); }

int Eingabe::Zahl(int von, int bis) {
    if (rest_.empty()) return von;
    const auto b = static_cast<unsigned char>(rest_.front());
    rest_.remove_prefix(1);
    return von + static_cast<int>(b) % (bis - von + 1);
}

}  // namespace vkfuzz
