// Start and end positions of the paragraphs, cells, rows and tables of a story, by node. A story
// is read again after most edits, so filling this must be cheap: a dense list of entries in
// reading order, with an open-addressing index over it that is built on the first lookup after a
// read (a read that nobody looks into then costs no random memory access), both keeping their
// memory when cleared.
#pragma once

#include <algorithm>
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

    // Adds the entry of a node not yet in the list (while reading the story).
    void Anhaengen(pugi::xml_node_struct* knoten, Bereich bereich);
    // The entry of the node, added (as {0, 0}) when missing.
    Bereich& operator[](pugi::xml_node_struct* knoten);
    // The entry of the node; std::out_of_range when missing.
    const Bereich& at(pugi::xml_node_struct* knoten) const;
    iterator find(pugi::xml_node_struct* knoten);
    const_iterator find(pugi::xml_node_struct* knoten) const;  // builds the index when due

    // Removes the entries the predicate holds for (the index is built again on the next lookup).
    template <class Bedingung>
    void EntfernenWenn(Bedingung bedingung) {
        const std::size_t vorher = eintraege_.size();
        std::erase_if(eintraege_, bedingung);
        if (eintraege_.size() == vorher) return;
        if (indexiert_ > 0) std::fill(plaetze_.begin(), plaetze_.end(), kFrei);
        indexiert_ = 0;
    }

    iterator begin() { return eintraege_.begin(); }
    iterator end() { return eintraege_.end(); }
    const_iterator begin() const { return eintraege_.begin(); }
    const_iterator end() const { return eintraege_.end(); }

private:
    static constexpr std::uint32_t kFrei = 0xffffffffu;
    std::size_t Suchen(pugi::xml_node_struct* knoten) const;  // slot of the node or the free slot for it
    void Aufbauen(std::size_t plaetze) const;
    void Indexieren() const;  // the index for entries added since the last lookup

    std::vector<Eintrag> eintraege_;
    // index into eintraege_ or kFrei; size 2^(64 - verschiebung_); covers the first `indexiert_` entries
    mutable std::vector<std::uint32_t> plaetze_;
    mutable unsigned verschiebung_ = 64;
    mutable std::size_t indexiert_ = 0;
};

}  // namespace vk::word::detail
