// Finding a category's table in the invoice (with the table-choice dialog) and tagging a table.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/word/table.h"

namespace vk {

// Position (1-based, in the document's tables) of the fee table chosen by the last interactive
// search; 0 when a new table is to be written. Shared by all dialogs of the process.
std::int16_t& TabellenIndex();

// Search modes of TabelleErmitteln.
inline constexpr std::int16_t kSucheInteraktiv = 0;
inline constexpr std::int16_t kSucheFolgetabelle = -1;

// The table to edit for a key ("KEY" or "KEY1,KEY2"), or Nothing for a new one.
// Mode 0 may show the table-choice dialog (existing tables of the key, a plain table at the cursor,
// or a new one); mode -1 looks for the follow-on table after the one chosen last, up to a table
// tagged "RE_HOAI_Kosten". Errors are logged ("KV_WordAuto", "TabelleErmitteln").
word::Table TabelleErmitteln(std::string_view schluessel, std::int16_t modus);

// A table named by a program rather than chosen by a person: the next interactive search returns it
// at once (TabellenIndex its position, from 1) without the table-choice dialog. The check opens
// every fee table so, also beyond the five tables of a key the dialog offers.
void TabelleVorgeben(const word::Table& tabelle, std::int16_t position);

// What a fee table holds, in a few words for a person choosing among tables of one key: the first
// line of its first position and what it adds to the totals ("Flst.Nr. 123/4 – 1.149,00 €").
std::string TabellenBeschreibung(const word::Table& tabelle);

// Tags the table: a comment with the key on cell (1,5).
void BookmarkSetzen(word::Table& tabelle, std::string_view schluessel);

// The text of the first comment of a range, or "" when it has none.
std::string ErsterKommentarText(const word::Range& bereich);

}  // namespace vk
