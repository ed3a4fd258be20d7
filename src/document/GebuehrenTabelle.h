// The common steps of writing a fee table: removing the totals table, the insertion point, cell
// writes, VAT tags and the common table formatting.
#pragma once

#include <string_view>
#include <vector>

#include "platform/word/range.h"
#include "platform/word/table.h"

namespace vk {

// Deletes every table that carries a "RE_Summe" tag.
void SummeLöschen();

// Where the new fee table goes: in place of the form's table (which is deleted), else before the
// "kalStart" tag, else at the end of the document. A collapsed range.
word::Range EinfügestelleErmitteln(word::Table& formTabelle);

// Appends text to cell (zeile, spalte) and sets the cell bold (true) or not.
void ZelleSchreiben(word::Table& tabelle, long zeile, long spalte, std::string_view text, bool fett);

// Tags the amount cell (zeile, 5) with a VAT tag ("0" VAT-free, "no" not summed, a rate).
void MwStKennungSetzen(word::Table& tabelle, long zeile, std::string_view kennung);

// Common table formatting: all borders off, the given columns right-aligned, column widths in cm.
void TabelleFormatierenGemeinsam(word::Table& tabelle, const std::vector<long>& rechtsbuendig,
                                 const std::vector<double>& breitenCm, std::string_view modul);

// The amount cell text: WertFormatieren(value, 8, 2) & " €".
std::string Betragstext(double wert, int breite = 8);

}  // namespace vk
