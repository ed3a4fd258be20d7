#include "platform/word/detail/knotenbereiche.h"

#include <algorithm>
#include <stdexcept>

namespace vk::word::detail {

void KnotenBereiche::clear() {
    eintraege_.clear();
    std::fill(plaetze_.begin(), plaetze_.end(), kFrei);
}

void KnotenBereiche::reserve(std::size_t n) {
    eintraege_.reserve(n);
    if (plaetze_.size() < 2 * n) Aufbauen(2 * n);
}

std::size_t KnotenBereiche::Suchen(pugi::xml_node_struct* knoten) const {
    // Fibonacci hashing: the top bits of the product depend on every bit of the address (nodes lie
    // at regular distances, so the low bits alone would pile them up in a few slots)
    const std::size_t maske = plaetze_.size() - 1;
    std::size_t i = static_cast<std::size_t>((static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(knoten)) *
                                              0x9E3779B97F4A7C15ull) >> verschiebung_);
    while (plaetze_[i] != kFrei && eintraege_[plaetze_[i]].first != knoten) i = (i + 1) & maske;
    return i;
}

void KnotenBereiche::Aufbauen(std::size_t plaetze) {
    std::size_t n = 16;
    verschiebung_ = 60;
    while (n < plaetze) {
        n *= 2;
        --verschiebung_;
    }
    plaetze_.assign(n, kFrei);
    for (std::size_t e = 0; e < eintraege_.size(); ++e) plaetze_[Suchen(eintraege_[e].first)] = static_cast<std::uint32_t>(e);
}

KnotenBereiche::Bereich& KnotenBereiche::operator[](pugi::xml_node_struct* knoten) {
    if (plaetze_.size() < 2 * (eintraege_.size() + 1)) Aufbauen(4 * (eintraege_.size() + 1));
    std::size_t i = Suchen(knoten);
    if (plaetze_[i] == kFrei) {
        plaetze_[i] = static_cast<std::uint32_t>(eintraege_.size());
        eintraege_.push_back({knoten, {0, 0}});
    }
    return eintraege_[plaetze_[i]].second;
}

KnotenBereiche::iterator KnotenBereiche::find(pugi::xml_node_struct* knoten) {
    if (plaetze_.empty()) return eintraege_.end();
    std::size_t i = Suchen(knoten);
    return plaetze_[i] == kFrei ? eintraege_.end() : eintraege_.begin() + plaetze_[i];
}

KnotenBereiche::const_iterator KnotenBereiche::find(pugi::xml_node_struct* knoten) const {
    if (plaetze_.empty()) return eintraege_.end();
    std::size_t i = Suchen(knoten);
    return plaetze_[i] == kFrei ? eintraege_.end() : eintraege_.begin() + plaetze_[i];
}

const KnotenBereiche::Bereich& KnotenBereiche::at(pugi::xml_node_struct* knoten) const {
    auto it = find(knoten);
    if (it == eintraege_.end()) throw std::out_of_range("KnotenBereiche::at");
    return it->second;
}

}  // namespace vk::word::detail
