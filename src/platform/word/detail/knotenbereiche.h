// Start and end positions of the paragraphs, cells, rows and tables of a story, by node. A story
// is read again after most edits, so filling this must be cheap: a dense list of entries in
// reading order with an open-addressing index over it, both keeping their memory when cleared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include <pugixml.hpp>

namespace vk::word::detail {

class KnotenBereiche {
public:
    using Bereich = std::pair<long, long>;
    using Eintrag = std::pair<pugi::xml_node_struct*, Bereich>;
    using iterator = std::vector<Eintrag>::iterator;
    using const_iterator = std::vector<Eintrag>::const_iterator;

    void clear();  // keeps the memory for the next read
    void reserve(std::size_t n);
    std::size_t size() const { return eintraege_.size(); }

    // The entry of the node, added (as {0, 0}) when missing.
    Bereich& operator[](pugi::xml_node_struct* knoten);
    // The entry of the node; std::out_of_range when missing.
    const Bereich& at(pugi::xml_node_struct* knoten) const;
    iterator find(pugi::xml_node_struct* knoten);
    const_iterator find(pugi::xml_node_struct* knoten) const;

    iterator begin() { return eintraege_.begin(); }
    iterator end() { return eintraege_.end(); }
    const_iterator begin() const { return eintraege_.begin(); }
    const_iterator end() const { return eintraege_.end(); }

private:
    static constexpr std::uint32_t kFrei = 0xffffffffu;
    std::size_t Suchen(pugi::xml_node_struct* knoten) const;  // slot of the node or the free slot for it
    void Aufbauen(std::size_t plaetze);

    std::vector<Eintrag> eintraege_;
    std::vector<std::uint32_t> plaetze_;  // index into eintraege_ or kFrei; size 2^(64 - verschiebung_)
    unsigned verschiebung_ = 64;
};

}  // namespace vk::word::detail
