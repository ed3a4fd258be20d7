// The tags of the invoice: comments whose text is a key. Tables and places are found by tags,
// never by position.
#pragma once

#include <array>
#include <string_view>

namespace vk::kennung {

// Keys of the fee tables, one per category (on cell (1,5) of the table).
inline constexpr std::string_view Teilung = "VK_LP_02_1";             // category 0
inline constexpr std::string_view Grenzfeststellung = "VK_LP_02_2";   // category 1
inline constexpr std::string_view Gebäude = "VK_LP_02_3";             // category 2
inline constexpr std::string_view Langgestreckt = "VK_LP_08_4";       // category 3, main table
inline constexpr std::string_view LanggestrecktEin = "VK_LP_08_4_Ein";  // category 3, follow-on table
inline constexpr std::string_view Grenzbescheinigung = "VK_LP_02_5";  // category 4
inline constexpr std::string_view Zeitaufwand = "VK_LP_02_6";         // category 5

inline constexpr std::string_view Summe = "RE_Summe";            // the totals table (cell (1,1))
inline constexpr std::string_view HoaiKosten = "RE_HOAI_Kosten";  // ends the follow-on search
inline constexpr std::string_view Start = "kalStart";            // where fee and totals tables go

// Every key that marks a table as a kind of its own (a fee table, the totals, another kind).
inline constexpr std::array<std::string_view, 9> Tabellen = {
    Teilung, Grenzfeststellung, Gebäude, Langgestreckt, LanggestrecktEin, Grenzbescheinigung, Zeitaufwand,
    Summe, HoaiKosten};

// Letter-text tags: the amount after each anchor is rewritten.
inline constexpr std::string_view Gesamt = "kalGesamt";
inline constexpr std::string_view Netto = "kalNetto";
inline constexpr std::string_view MwSt = "kalMwSt";
inline constexpr std::string_view Brutto = "kalBrutto";
inline constexpr std::string_view Auslagen = "kalAuslagen";

// VAT tags of an amount cell.
inline constexpr std::string_view Steuerfrei = "0";
inline constexpr std::string_view NichtSummiert = "no";

}  // namespace vk::kennung
