// Parcel formation (category 0): the pure pieces of its pricing, shared by the dialog's preview
// and the fee table it writes.
#pragma once

#include <string>

namespace vk {

// Start of the comment on the land-value cell of a table written from totals: the land value that
// priced the table follows as number text (the cell itself shows only its class).
inline constexpr const char* kBodenwertKennung = "Bodenwert ";

// 0.8 × √n cut (not rounded) to two decimals: 1 gives 0.8, 2 gives 1.13, 3 gives 1.38.
double Flurstücksfaktor(double anzahl);

// The land-value class of the fee table, each upper bound inclusive: "0 - 1,00", "1,01 - 10,00",
// "10,01 - 40,00", "40,01 - 100,00", "100,01 - 250,00", "> 250,00".
std::string Bodenwertklasse(double bodenwert);

// The client's share from the per-mille field: -1 when the field means the whole (empty, "1000"
// or 0), 1/3 (as 0.333333333333333) for 333, else per mille ÷ 1000.
double PromilleAnteil(const std::string& anteilText);

// The fee of the boundary points of position "10.1" as the fee table charges it: 0.8 × fee per
// point × points.
double GrenzpunktGebühr(double bodenwert, double punkte);

// The text without leading and trailing blanks.
std::string Trim(const std::string& text);

}  // namespace vk
