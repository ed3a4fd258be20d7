// The amounts of a boundary determination with marking: part A by number of points, part B per
// point from the fee scale, the kinds of work, the client's share and the expenses.
#pragma once

#include <string_view>

namespace vk {

// The kind of work, as the option buttons optArt(0) to optArt(2) number it.
enum Grenzart : int {
    GrenzfeststellungUndAbmarkung = 0,  // tariff position 11.1
    NachträglicheAbmarkung = 1,         // 12.2: part A at 70 %
    AbmarkungKatastererneuerung = 2,    // 12.3: no part A, 60,00 € per point
};

inline constexpr double kDrittel = 0.333333333333333;  // the factor of a share of 333 per mille
inline constexpr double kVermessungsunterlagen = 154.0;
inline constexpr double kAbmarkungJePunkt = 10.0;
inline constexpr double kJePunktKatastererneuerung = 60.0;
inline constexpr double kMindestÜbernahmegebühr = 30.0;

// Part A by number of points: 0 (or a negative number) nothing, then 600 / 800 / 1000 / 1300 / 1600
// for up to 5 / 10 / 20 / 30 / 50 points; 2000 for everything else (above 50, between two ranges).
double Grenzfeststellung_A(double n);

// The share factor of the per-mille field: "1000", an empty (blank) field and a share of 0 (or
// less) are the whole (1), as in the other categories; 333 is exactly one third
// (0.333333333333333); anything else its value / 1000.
double Anteilsfaktor(std::string_view anteilText);

// The client's share of an amount: a third is divided by 3, any other factor multiplies.
double Anteil(double betrag, double faktor);

// The amounts the fee table shows for a kind, a land value and a number of points.
struct Grenzfeststellungsbeträge {
    double teilA = 0;      // row 6: part A, at 70 % for a subsequent marking, 0 in a cadastre renewal
    double jePunkt = 0;    // row 7: part B per point, 60 in a cadastre renewal
    double teilB = 0;      // row 7: jePunkt × n
    double abmarkung = 0;  // the marking row (only for kind 0): n × 10
};
Grenzfeststellungsbeträge TabellenBeträge(Grenzart art, double bodenwert, double n);

// The preview: part B × n + part A, the whole at 70 % for a subsequent marking, n × 60 in a
// cadastre renewal; the client's share when the factor is below 1.
double Vorschaugebühr(Grenzart art, double bodenwert, double n, double anteilsfaktor);

// The take-over fee: 8 % of part B as written in the table, at least 30,00 €.
double Übernahmegebühr(double teilB);

}  // namespace vk
