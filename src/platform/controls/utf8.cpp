#include "platform/controls/utf8.h"

namespace vk::ui::utf8 {

namespace {

// Length in bytes of the sequence starting with byte b (1 for stray continuation bytes).
std::size_t Sequenzlänge(unsigned char b) {
    if (b >= 0xF0 && b < 0xF8) return 4;
    if (b >= 0xE0) return b < 0xF0 ? 3 : 1;
    if (b >= 0xC0) return 2;
    return 1;
}

}  // namespace

int Länge(std::string_view text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); i += Sequenzlänge(static_cast<unsigned char>(text[i]))) ++n;
    return n;
}

std::size_t Byte(std::string_view text, int pos) {
    std::size_t i = 0;
    for (int n = 0; n < pos && i < text.size(); ++n) i += Sequenzlänge(static_cast<unsigned char>(text[i]));
    return i < text.size() ? i : text.size();
}

std::string Teil(std::string_view text, int start, int anzahl) {
    if (start < 0) start = 0;
    if (anzahl < 0) anzahl = 0;
    const std::size_t von = Byte(text, start);
    const std::size_t bis = von + Byte(text.substr(von), anzahl);
    return std::string(text.substr(von, bis - von));
}

std::string Zeichen(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

std::u32string Zerlegen(std::string_view text) {
    std::u32string codes;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t n = Sequenzlänge(b);
        if (i + n > text.size()) n = 1;
        char32_t c = n == 1 ? b : (b & (0xFF >> (n + 1)));
        for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        codes += c;
        i += n;
    }
    return codes;
}

}  // namespace vk::ui::utf8
