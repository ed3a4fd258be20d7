// The fee table of a boundary determination with marking: 8 columns, the full layout (amounts in
// column 5) or, for a client's share below the whole, the share layout (undivided amounts in
// columns 7 and 8, a subtotal, the share of the fees and of the expenses in column 5).
#pragma once

#include <string>

#include "categories/Grenzfeststellung.h"
#include "platform/word/table.h"

namespace vk {

// What the dialog hands over on "&OK": the texts of its inputs as they stand in the fields.
struct Grenzfeststellungseingaben {
    Grenzart art = GrenzfeststellungUndAbmarkung;
    std::string flurstück;  // TextboxFlst
    std::string bodenwert;  // MaskEdBoxWert
    std::string punkte;     // msk100
    std::string anteil;     // MaskEdBoxAnteil
    bool unterlagen = false;
    bool übernahme = false;
};

// 8 rows, + 1 for the expenses heading, + 1 per expense, + 3 in the share layout.
long GrenzfeststellungZeilenzahl(const Grenzfeststellungseingaben& e);

// Column widths, the decimal tab stop of the value column, all borders off.
void GrenzfeststellungstabelleFormatieren(word::Table& tabelle, bool anteilig);

// Title, parcel, header, the fee rows, the marking row, the share rows and the expenses.
void GrenzfeststellungszeilenSchreiben(word::Table& tabelle, const Grenzfeststellungseingaben& e);

}  // namespace vk
