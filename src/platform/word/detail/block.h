// Rows, cells and cell blocks of a table, as the selection and the table handles address them.
#pragma once

#include <vector>

#include <pugixml.hpp>

#include "platform/word/detail/kern.h"

namespace vk::word::detail {

std::vector<pugi::xml_node> Zeilen(pugi::xml_node tbl);
std::vector<pugi::xml_node> Zellen(pugi::xml_node tr);
// Cell (row, column), 1-based; empty when the table has no such cell.
pugi::xml_node ZelleBei(pugi::xml_node tbl, long zeile, long spalte);
long MaxZellen(pugi::xml_node tbl);
// 1-based row and column of a cell.
long ZeilenIndex(pugi::xml_node tc);
long SpaltenIndex(pugi::xml_node tc);
// The cells of the selection's block, row by row.
std::vector<pugi::xml_node> BlockZellen(const Auswahl& a);
// Makes the block the selection; its range runs from the first to the last cell of the block.
void BlockWaehlen(Kern& kern, pugi::xml_node tbl, long z1, long z2, long s1, long s2);
// Whether the block covers the whole table.
bool GanzeTabelle(const Auswahl& a);
// A block from the cells a range of the story touches (all in one table), or false.
bool BlockAusBereich(Kern& kern, const Bereich& b, Auswahl& aus);
// Width setting of a cell (tcW in twips) and registration of its table for the grid rebuild.
void ZellbreiteSetzen(Kern& kern, pugi::xml_node tc, double punkte);

}  // namespace vk::word::detail
