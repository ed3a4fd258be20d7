// Test helpers for the component: a clean context, the error log, and counting dialog openers.
#pragma once

#include <array>
#include <string>

#include "common/protokoll_hilfe.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"

namespace vktest {

using vk::test::Vorkommen;
inline std::string Protokoll() { return vk::test::ProtokollText(); }

// Log entries of VK::Show.
inline int ShowEintraege() { return Vorkommen(Protokoll(), "Ort  : -KalDienste- Rechnung.Show"); }

// A fresh context and log; counting openers in place of the dialogs, put back afterwards.
class SauberesKomponentenumfeld {
public:
    SauberesKomponentenumfeld() {
        vk::KontextZuruecksetzen();
        vk::test::ProtokollLeeren();
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
