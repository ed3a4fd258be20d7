// The fixed frame of confirming a category dialog ("&OK"): every category fills it with its own
// table size, formatting and rows.
#pragma once

#include <functional>
#include <string_view>

#include "platform/word/table.h"

namespace vk {

struct Tabellenauftrag {
    std::string_view modul;       // the dialog's name, for the log
    std::string_view schluessel;  // the table key, e.g. "VK_LP_02_5"
    long zeilen = 0;
    long spalten = 0;
    std::function<void(word::Table&)> formatieren;     // the dialog's TabelleFormatieren
    std::function<void(word::Table&)> zeilenSchreiben;  // title and the category's rows
};

// Hourglass; the totals table removed; the new table created in place of the form's table (else
// at "kalStart", else at the end), formatted and filled; tagged with the key; the totals rebuilt
// with the context's payment-target flag; pointer back. The form's table then is the new table.
void GebührentabelleSchreiben(word::Table& formTabelle, const Tabellenauftrag& auftrag);

}  // namespace vk
