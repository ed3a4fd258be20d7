#include "platform/word/detail/utf.h"

namespace vk::word::detail {

std::u32string NachU32(std::string_view s) {
    std::u32string aus;
    aus.reserve(s.size());
    U32Anhaengen(aus, s);
    return aus;
}

void U32Anhaengen(std::u32string& aus, std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int n = 0;
        char32_t cp = 0;
        if (c < 0x80) { cp = c; n = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; n = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; n = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; n = 3; }
        else { aus.push_back(U'\uFFFD'); ++i; continue; }
        bool gut = true;
        for (int k = 1; k <= n; ++k) {
            if (i + k >= s.size()) { gut = false; break; }
            unsigned char f = static_cast<unsigned char>(s[i + k]);
            if ((f & 0xC0) != 0x80) { gut = false; break; }
            cp = (cp << 6) | (f & 0x3F);
        }
        if (!gut || cp > 0x10FFFF) {
            aus.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        aus.push_back(cp);
        i += n + 1;
    }
}

std::string NachUtf8(std::u32string_view text) {
    std::string aus;
    aus.reserve(text.size());
    for (char32_t cp : text) {
        if (cp < 0x80) {
            aus.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            aus.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            aus.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            aus.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            aus.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            aus.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            aus.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            aus.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            aus.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            aus.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return aus;
}

long Zeichenanzahl(std::string_view s) {
    long n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace vk::word::detail
