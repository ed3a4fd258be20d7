// Start and end positions of the paragraphs, cells, rows and tables of a story, by node. A story
// is read again after most edits, so filling this must be cheap: a dense list of entries in
// reading order, with an open-addressing index over it that is built on the first lookup after a
// read (a read that nobody looks into then costs no random memory access), both keeping their
// memory when cleared.
//
// A reading adds each node when its end is known, so the ends rise along the list; the list
// knows how far that holds (entries added later out of order, for blocks put into the middle of a
// story, stay behind that part). An edit moves the positions after its place: only the entries
// ending there or later are visited, which for an edit near the end of a long story is a few
// instead of all of them.
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
    // The entry of the node, added (as {0, 0}) when missing. Its end may be changed through the
    // reference, so the entry no longer counts among those known to end in order.
    Bereich& operator[](pugi::xml_node_struct* knoten);
    // Sets the start of the node's entry (added when missing), leaving its end.
    void AnfangSetzen(pugi::xml_node_struct* knoten, long anfang);
    // Applies `aendern` to the entries that end at `ab` or later. `aendern` must map positions
    // rising (a later position never before an earlier one) and leave every position below `ab`
    // as it is: then no entry ending before `ab` would change, and the ends keep their order.
    template <class Aendern>
    void Verschieben(long ab, Aendern aendern) {
        if (UnordnungGross()) Ordnen();
        auto von = std::lower_bound(eintraege_.begin(), eintraege_.begin() + static_cast<std::ptrdiff_t>(geordnet_), ab,
                                    [](const Eintrag& e, long p) { return e.second.second < p; });
        for (auto it = von; it != eintraege_.end(); ++it) aendern(it->second);
    }
    // The entry of the node; std::out_of_range when missing.
    const Bereich& at(pugi::xml_node_struct* knoten) const;
    iterator find(pugi::xml_node_struct* knoten);
    const_iterator find(pugi::xml_node_struct* knoten) const;  // builds the index when due

    // Removes the entries of the nodes that lie within [von, bis) (start at von or later, end at bis
    // or earlier, start before bis): a table taken out of the story with everything in it. They are
    // found by halving among the entries in order and stay in the list as entries of no node, so the
    // index and every other entry stay as they are.
    void EntfernenIn(long von, long bis);
    // Removes the entries the predicate holds for (the index is built again on the next lookup).
    template <class Bedingung>
    void EntfernenWenn(Bedingung bedingung) {
        std::size_t behalten = 0, geordnet = 0;
        for (std::size_t i = 0; i < eintraege_.size(); ++i) {
            if (bedingung(eintraege_[i])) continue;
            if (i < geordnet_) ++geordnet;
            eintraege_[behalten++] = eintraege_[i];
        }
        if (behalten == eintraege_.size()) return;
        eintraege_.resize(behalten);
        geordnet_ = geordnet;
        entfernt_ = std::min(entfernt_, behalten);  // some of them may have gone now
        if (indexiert_ > 0) std::fill(plaetze_.begin(), plaetze_.end(), kFrei);
        indexiert_ = 0;
    }

    iterator begin() { return eintraege_.begin(); }
    iterator end() { return eintraege_.end(); }
    const_iterator begin() const { return eintraege_.begin(); }
    const_iterator end() const { return eintraege_.end(); }

private:
    static constexpr std::uint32_t kFrei = 0xffffffffu;
    // Entries added out of order and removed entries pile up over many edits without a reading in
    // between (a host keeping an invoice open): past a sixteenth of the list, or a quarter removed,
    // the list is put in order again.
    bool UnordnungGross() const {
        const std::size_t n = eintraege_.size();
        return n - geordnet_ > std::max<std::size_t>(256, n / 16) || entfernt_ > std::max<std::size_t>(256, n / 4);
    }
    // Drops the removed entries, sorts the rest by their ends and builds the index anew.
    void Ordnen();
    std::size_t Suchen(pugi::xml_node_struct* knoten) const;  // slot of the node or the free slot for it
    void Aufbauen(std::size_t plaetze) const;
    void Indexieren() const;  // the index for entries added since the last lookup

    std::vector<Eintrag> eintraege_;
    // The first `geordnet_` entries end in rising order (each no earlier than the one before).
    std::size_t geordnet_ = 0;
    std::size_t entfernt_ = 0;  // entries of no node (removed by EntfernenIn) among them
    // index into eintraege_ or kFrei; size 2^(64 - verschiebung_); covers the first `indexiert_` entries
    mutable std::vector<std::uint32_t> plaetze_;
    mutable unsigned verschiebung_ = 64;
    mutable std::size_t indexiert_ = 0;
};

}  // namespace vk::word::detail
