#include "platform/word/detail/knotenbereiche.h"

#include <algorithm>
#include <stdexcept>

namespace vk::word::detail {

void KnotenBereiche::clear() {
    eintraege_.clear();
    if (indexiert_ > 0) std::fill(plaetze_.begin(), plaetze_.end(), kFrei);
    indexiert_ = 0;
}

void KnotenBereiche::reserve(std::size_t n) { eintraege_.reserve(n); }

void KnotenBereiche::Anhaengen(pugi::xml_node_struct* knoten, Bereich bereich) {
    eintraege_.push_back({knoten, bereich});
}

void KnotenBereiche::Indexieren() const {
    if (indexiert_ == eintraege_.size()) return;
    if (plaetze_.size() < 2 * eintraege_.size()) {
        Aufbauen(2 * eintraege_.size());
        return;
    }
    // an entry added twice: the later one wins, as with assignment through operator[]
    for (; indexiert_ < eintraege_.size(); ++indexiert_)
        plaetze_[Suchen(eintraege_[indexiert_].first)] = static_cast<std::uint32_t>(indexiert_);
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

void KnotenBereiche::Aufbauen(std::size_t plaetze) const {
    std::size_t n = 16;
    verschiebung_ = 60;
    while (n < plaetze) {
        n *= 2;
        --verschiebung_;
    }
    plaetze_.assign(n, kFrei);
    for (indexiert_ = 0; indexiert_ < eintraege_.size(); ++indexiert_)
        plaetze_[Suchen(eintraege_[indexiert_].first)] = static_cast<std::uint32_t>(indexiert_);
}

KnotenBereiche::Bereich& KnotenBereiche::operator[](pugi::xml_node_struct* knoten) {
    auto it = find(knoten);
    if (it != eintraege_.end()) return it->second;
    eintraege_.push_back({knoten, {0, 0}});
    return eintraege_.back().second;
}

KnotenBereiche::iterator KnotenBereiche::find(pugi::xml_node_struct* knoten) {
    Indexieren();
    if (plaetze_.empty()) return eintraege_.end();
    std::size_t i = Suchen(knoten);
    return plaetze_[i] == kFrei ? eintraege_.end() : eintraege_.begin() + plaetze_[i];
}

KnotenBereiche::const_iterator KnotenBereiche::find(pugi::xml_node_struct* knoten) const {
    Indexieren();
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
