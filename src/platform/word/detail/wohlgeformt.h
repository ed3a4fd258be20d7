// What XML allows in a part: the characters of its text and how deep its elements nest. A part that
// breaks either is refused when it is read, and never written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vk::word::detail {

// Nesting no word processor writes (libxml2 refuses it by default): a part nested deeper is
// refused, so no reader of the layer ever walks deeper.
inline constexpr std::size_t kMaxTiefe = 256;

// Whether XML allows the character in a text: tab, line feed, carriage return, and everything from
// U+0020 but the surrogates and U+FFFE, U+FFFF.
constexpr bool XmlZeichen(char32_t z) {
    if (z < 0x20) return z == U'\t' || z == U'\n' || z == U'\r';
    if (z >= 0xD800 && z <= 0xDFFF) return false;
    return z != 0xFFFE && z != 0xFFFF && z <= 0x10FFFF;
}

// The UTF-8 text without what XML forbids in it: control characters, encoded surrogates, U+FFFE,
// U+FFFF and bytes that are no UTF-8.
std::string XmlText(std::string_view utf8);

// Byte offset of the first character of the XML text that XML forbids, raw or as a character
// reference ("&#1;"), or of a byte sequence that is no UTF-8; npos when there is none.
std::size_t VerbotenesZeichen(std::string_view xml);

// Whether the elements of the XML text nest deeper than `grenze` (read from the text before it is
// parsed: a walk of the parsed tree costs as much again as the parse).
bool TieferAls(std::string_view xml, std::size_t grenze);

}  // namespace vk::word::detail
