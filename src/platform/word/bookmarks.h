// Bookmarks of the main text.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/word/range.h"

namespace vk::word {

class Bookmarks {
public:
    explicit Bookmarks(std::shared_ptr<detail::Kern> kern);

    // Adds (or moves) the bookmark of that name to span the range.
    void Add(std::string_view name, const word::Range& bereich);
    long Count() const;
    bool Exists(std::string_view name) const;
    // The range a bookmark spans; error 5 when there is none of that name.
    word::Range Item(std::string_view name) const;

    // Display settings of the bookmark list (0 by name, 1 by location; hidden bookmarks shown).
    // They have no place in the file and are kept with the open document.
    void SetDefaultSorting(int sortierung);
    int DefaultSorting() const;
    void SetShowHidden(bool wert);
    bool ShowHidden() const;

private:
    std::shared_ptr<detail::Kern> kern_;
};

}  // namespace vk::word
