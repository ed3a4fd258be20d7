// A fee table copied into another document, as much of it as a category dialog reads back: every
// cell's text (paragraphs, line breaks, tabs) and the comments anchored in its cells (the table's
// key, VAT tags, the land value of a parcel formation). Widths, bold and borders are not copied.
// The check re-prices each table in a small document of its own: an edit of a document costs in
// proportion to its size, so a confirmation in the invoice itself costs more the more tables it has.
#pragma once

#include "platform/word/document.h"

namespace vk {

// Appends the copy at the end of `ziel` and returns it. Every row gets as many cells as the widest
// row of the table has.
word::Table TabelleKopieren(const word::Table& quelle, word::Document& ziel);

}  // namespace vk
