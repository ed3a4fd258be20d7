// Test helpers around the error log: read it, count entries, start from an empty log.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/fehlerprotokoll.h"

namespace vk::test {

inline std::string ProtokollText() {
    std::ifstream in(ProtokollPfad(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline int ProtokollEintraege() {
    std::string text = ProtokollText();
    int n = 0;
    for (std::size_t p = text.find("Ort  : "); p != std::string::npos; p = text.find("Ort  : ", p + 1)) ++n;
    return n;
}

inline void ProtokollLeeren() {
    std::error_code ec;
    std::filesystem::remove(ProtokollPfad(), ec);
    LetztenFehlerZuruecksetzen();
}

}  // namespace vk::test
