// An event without parameters that hosts can subscribe to (header only).
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace vk {

class Ereignis {
public:
    using Behandler = std::function<void()>;
    using Abo = std::size_t;

    // Subscribes a handler; the returned number unsubscribes it.
    Abo Verbinden(Behandler behandler) {
        behandler_.emplace_back(naechstes_, std::move(behandler));
        return naechstes_++;
    }
    void Trennen(Abo abo) {
        std::erase_if(behandler_, [abo](const auto& eintrag) { return eintrag.first == abo; });
    }
    // Calls every handler in the order they subscribed.
    void Ausloesen() const {
        auto kopie = behandler_;
        for (const auto& [abo, behandler] : kopie) behandler();
    }
    std::size_t Anzahl() const { return behandler_.size(); }

private:
    std::vector<std::pair<Abo, Behandler>> behandler_;
    Abo naechstes_ = 1;
};

}  // namespace vk
