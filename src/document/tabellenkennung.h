// The tables of an invoice and their keys. A key is the text of one of the table's own comments:
// anchored in its cells, not in a table nested in one of them. A reviewer's comment on the title
// leaves the key where it is, and a layout table that holds a fee table in a cell is not that fee
// table: whatever a key stands for is the innermost table that carries it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/word/document.h"

namespace vk {

// Every table of the document in document order, each nested one after the table holding it.
std::vector<word::Table> AlleTabellen(word::Document& doc);

// The texts of the table's own comments, in anchor order.
std::vector<std::string> EigeneKommentare(const word::Table& tabelle);

// Whether one of the table's own comments reads the key.
bool TraegtKennung(const word::Table& tabelle, std::string_view schluessel);

// The first of the table's own comments that is a key of a table kind (kennungen.h), "" when none is.
std::string Tabellenkennung(const word::Table& tabelle);

// Whether the range holds (the start of) a table nested in `tabelle`: a cell that holds a table
// counts through that table.
bool HaeltTabelle(const word::Table& tabelle, const word::Range& bereich);

}  // namespace vk
