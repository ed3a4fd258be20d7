// Test helpers for the component: a clean context, the error log, and counting dialog openers.
#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/fehlerprotokoll.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"

namespace vktest {

// The error log's text ("" when there is none).
inline std::string Protokoll() {
    std::ifstream ein(vk::ProtokollPfad(), std::ios::binary);
    std::ostringstream text;
    text << ein.rdbuf();
    return text.str();
}

inline int Vorkommen(const std::string& text, const std::string& teil) {
    int n = 0;
    for (std::size_t p = text.find(teil); p != std::string::npos; p = text.find(teil, p + teil.size())) ++n;
    return n;
}

// Log entries of VK::Show.
inline int ShowEintraege() { return Vorkommen(Protokoll(), "Ort  : -KalDienste- Rechnung.Show"); }

// A fresh context and log; counting openers in place of the dialogs, put back afterwards.
class SauberesKomponentenumfeld {
public:
    SauberesKomponentenumfeld() {
        vk::KontextZuruecksetzen();
        std::error_code ec;
        std::filesystem::remove(vk::ProtokollPfad(), ec);
        for (int i = 0; i < vk::kDialogAnzahl; ++i)
            vorher_[static_cast<std::size_t>(i)] = vk::DialogRegistrieren(i, [this, i] { ++geoeffnet[static_cast<std::size_t>(i)]; });
    }
    ~SauberesKomponentenumfeld() {
        for (int i = 0; i < vk::kDialogAnzahl; ++i) vk::DialogRegistrieren(i, vorher_[static_cast<std::size_t>(i)]);
        vk::KontextZuruecksetzen();
    }
    SauberesKomponentenumfeld(const SauberesKomponentenumfeld&) = delete;
    SauberesKomponentenumfeld& operator=(const SauberesKomponentenumfeld&) = delete;

    int Geoeffnet() const {
        int n = 0;
        for (int g : geoeffnet) n += g;
        return n;
    }

    std::array<int, vk::kDialogAnzahl> geoeffnet{};

private:
    std::array<vk::DialogOeffner, vk::kDialogAnzahl> vorher_;
};

}  // namespace vktest
