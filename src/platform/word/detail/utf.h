// UTF-8 <-> code points: story positions count code points, the XML holds UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vk::word::detail {

// Invalid sequences become U+FFFD.
std::u32string NachU32(std::string_view utf8);
// The same, appended to a text.
void U32Anhaengen(std::u32string& ziel, std::string_view utf8);
std::string NachUtf8(std::u32string_view text);
// Number of code points of a UTF-8 text.
long Zeichenanzahl(std::string_view utf8);

}  // namespace vk::word::detail
