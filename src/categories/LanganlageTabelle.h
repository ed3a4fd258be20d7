// The fee table of elongated installations: its size, its layout and its rows, and where its
// inputs are read back from.
#pragma once

#include <string>
#include <vector>

#include "categories/Langanlage.h"
#include "platform/word/table.h"

namespace vk {

// What the table shows besides the sections.
struct Langanlagenangaben {
    std::vector<Abschnitt> abschnitte;
    std::string flächenText;  // the area-calculation field as shown; a row only when its number > 0
    bool unterlagen = false;  // survey documents (9.2)
    bool übernahme = false;   // takeover fee (14.2)
};

// Rows of the table: sections + 7, 2 more with area calculations, one per expense and one more
// when there is any expense.
long LanganlageZeilenzahl(const Langanlagenangaben& angaben);

// Borders off, column 5 right-aligned, column widths 3.3, 2.4, 3.3, 7.0 and 0.3 cm.
void LanganlageTabelleFormatieren(word::Table& tabelle);

// The title row, one row per section, the tariff row, the basic, boundary-length and parcel fees,
// the area calculations and the VAT-free expenses (tagged "0").
void LanganlageZeilenSchreiben(word::Table& tabelle, const Langanlagenangaben& angaben,
                               const Langanlagengebühr& gebühr);

// The table's tariff row ("Tarifstelle 10.2 ..."), 0 when the table has none: the sections are the
// rows 2 up to the blank row above it.
long LanganlageTarifzeile(word::Table& tabelle);

// A section read back from its table row, each value trimmed of blanks (the label kept as written).
Abschnitt LanganlageAbschnittLesen(word::Table& tabelle, long zeile);

}  // namespace vk
