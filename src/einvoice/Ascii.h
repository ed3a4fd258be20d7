// Character classes of plain ASCII, whatever the process locale says of other bytes (a UTF-8 "Ä" is
// no capital letter of a country code, under any locale).
#pragma once

namespace vk::erechnung {

inline bool Ziffer(char c) { return c >= '0' && c <= '9'; }
inline bool Großbuchstabe(char c) { return c >= 'A' && c <= 'Z'; }
inline bool Kleinbuchstabe(char c) { return c >= 'a' && c <= 'z'; }
inline bool Buchstabe(char c) { return Großbuchstabe(c) || Kleinbuchstabe(c); }

}  // namespace vk::erechnung
