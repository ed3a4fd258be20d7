// A fee table read once and copied into another document, as much of it as a category dialog reads
// back: every cell's text (paragraphs, line breaks, tabs) and the comments anchored in its cells (the
// table's key, VAT tags, the land value of a parcel formation). Widths, bold and borders are not
// copied. The check re-prices each table in a small document of its own: an edit of a document costs
// in proportion to its size, so a confirmation in the invoice itself costs more the more tables it
// has.
#pragma once

#include <string>
#include <vector>

#include "platform/word/document.h"

namespace vk {

struct Zellbild {
    std::string text;  // without the end-of-cell mark
    // The comments anchored in the cell, first to last: their ids (a comment over several cells is in
    // each) and texts.
    std::vector<std::pair<std::string, std::string>> kommentare;
};
using Tabellenbild = std::vector<std::vector<Zellbild>>;

Tabellenbild TabelleLesen(const word::Table& tabelle);

// Appends the copy at the end of `ziel` and returns it. Every row gets as many cells as the widest
// row of the table has; a comment over several cells goes onto the first.
word::Table TabelleKopieren(const Tabellenbild& bild, word::Document& ziel);

}  // namespace vk
