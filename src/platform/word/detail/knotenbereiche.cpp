#include "platform/word/detail/knotenbereiche.h"

#include <algorithm>
#include <stdexcept>

namespace vk::word::detail {

void KnotenBereiche::clear() {
    eintraege_.clear();
    geordnet_ = 0;
    entfernt_ = 0;
    if (indexiert_ > 0) std::fill(plaetze_.begin(), plaetze_.end(), kFrei);
    indexiert_ = 0;
}

void KnotenBereiche::reserve(std::size_t n) { eintraege_.reserve(n); }

void KnotenBereiche::Anhaengen(pugi::xml_node_struct* knoten, Bereich bereich) {
    if (geordnet_ == eintraege_.size() && (eintraege_.empty() || eintraege_.back().second.second <= bereich.second))
        ++geordnet_;
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

namespace {
// The node of a removed entry: an address no node has, so no lookup finds the entry any more.
char keinKnotenSpeicher;
pugi::xml_node_struct* const kKeinKnoten = reinterpret_cast<pugi::xml_node_struct*>(&keinKnotenSpeicher);
}  // namespace

void KnotenBereiche::EntfernenIn(long von, long bis) {
    const auto drin = [von, bis](const Bereich& b) { return b.first >= von && b.second <= bis && b.first < bis; };
    // a removed entry keeps its place, collapsed to `von`, so the ends still rise in order
    const auto entfernen = [this, von](Eintrag& e) {
        e.first = kKeinKnoten;
        e.second = {von, von};
        ++entfernt_;
    };
    const auto anfang = eintraege_.begin();
    const auto geordnetEnde = anfang + static_cast<std::ptrdiff_t>(geordnet_);
    // in order, the entries that may lie within end in [von, bis]
    auto it = std::lower_bound(anfang, geordnetEnde, von, [](const Eintrag& e, long p) { return e.second.second < p; });
    for (; it != geordnetEnde && it->second.second <= bis; ++it) {
        if (it->first == kKeinKnoten) continue;
        if (drin(it->second)) {
            entfernen(*it);
        } else if (it->second.second > von) {
            // an entry reaching into the removed stretch from before it: what follows it will move
            // before its end, so the order is no longer known from here on
            geordnet_ = static_cast<std::size_t>(it - anfang);
            for (auto rest = it; rest != eintraege_.end(); ++rest)
                if (rest->first != kKeinKnoten && drin(rest->second)) entfernen(*rest);
            return;
        }
    }
    for (auto rest = geordnetEnde; rest != eintraege_.end(); ++rest)
        if (rest->first != kKeinKnoten && drin(rest->second)) entfernen(*rest);
}

void KnotenBereiche::Ordnen() {
    std::erase_if(eintraege_, [](const Eintrag& e) { return e.first == kKeinKnoten; });
    std::stable_sort(eintraege_.begin(), eintraege_.end(),
                     [](const Eintrag& a, const Eintrag& b) { return a.second.second < b.second.second; });
    geordnet_ = eintraege_.size();
    entfernt_ = 0;
    if (indexiert_ > 0) std::fill(plaetze_.begin(), plaetze_.end(), kFrei);
    indexiert_ = 0;
}

KnotenBereiche::Bereich& KnotenBereiche::operator[](pugi::xml_node_struct* knoten) {
    auto it = find(knoten);
    if (it != eintraege_.end()) {
        geordnet_ = std::min(geordnet_, static_cast<std::size_t>(it - eintraege_.begin()));
        return it->second;
    }
    eintraege_.push_back({knoten, {0, 0}});
    return eintraege_.back().second;
}

void KnotenBereiche::AnfangSetzen(pugi::xml_node_struct* knoten, long anfang) {
    auto it = find(knoten);
    if (it != eintraege_.end()) it->second.first = anfang;
    else (*this)[knoten].first = anfang;
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
