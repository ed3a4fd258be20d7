// Test helpers around the error log: read it, count entries, start from an empty log.
#pragma once

#include <filesystem>
#include <string>

#include "common/datei_hilfe.h"
#include "common/fehlerprotokoll.h"

namespace vk::test {

inline std::string ProtokollText() { return vktest::DateiLesen(ProtokollPfad()); }

// How often `teil` occurs in `text`.
inline int Vorkommen(const std::string& text, const std::string& teil) {
    int n = 0;
    for (std::size_t p = text.find(teil); p != std::string::npos; p = text.find(teil, p + teil.size())) ++n;
    return n;
}

inline int ProtokollEintraege() { return Vorkommen(ProtokollText(), "Ort  : "); }

inline void ProtokollLeeren() {
    std::error_code ec;
    std::filesystem::remove(ProtokollPfad(), ec);
    LetztenFehlerZuruecksetzen();
}

}  // namespace vk::test
