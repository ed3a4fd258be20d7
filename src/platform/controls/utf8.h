// Texts of the controls are UTF-8; positions in them (caret, selection) count characters.
#pragma once

#include <string>
#include <string_view>

namespace vk::ui::utf8 {

// Number of characters (code points) of a UTF-8 text.
int Länge(std::string_view text);
// Byte offset of character position pos (clamped to the text's end).
std::size_t Byte(std::string_view text, int pos);
// The characters [start, start + anzahl) of a text (clamped).
std::string Teil(std::string_view text, int start, int anzahl);
// The code point as UTF-8.
std::string Zeichen(char32_t code);
// Splits a UTF-8 text into its code points (invalid bytes are taken as they stand, one per byte).
std::u32string Zerlegen(std::string_view text);

}  // namespace vk::ui::utf8
