#include "platform/word/detail/wohlgeformt.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

namespace vk::word::detail {
namespace {

// Length of the UTF-8 sequence at p (at most `rest` bytes) that is well-formed and a character XML
// allows; 0 when it is not.
std::size_t ErlaubteFolge(const unsigned char* p, std::size_t rest) {
    const unsigned char c = p[0];
    std::size_t n = 0;
    char32_t z = 0;
    unsigned char min = 0x80, max = 0xBF;  // bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF) n = 2, z = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, z = c & 0x0F, min = c == 0xE0 ? 0xA0 : 0x80, max = c == 0xED ? 0x9F : 0xBF;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, z = c & 0x07, min = c == 0xF0 ? 0x90 : 0x80, max = c == 0xF4 ? 0x8F : 0xBF;
    else return 0;
    if (rest < n || p[1] < min || p[1] > max) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        z = (z << 6) | (p[k] & 0x3F);
    }
    return XmlZeichen(z) ? n : 0;
}

// A character reference at p ("&#65;", "&#x41;") that names a character XML forbids.
bool VerboteneReferenz(const unsigned char* p, std::size_t rest) {
    if (rest < 4 || p[1] != '#') return false;
    std::size_t i = 2;
    const bool hex = p[i] == 'x';
    if (hex) ++i;
    std::uint32_t wert = 0;
    std::size_t ziffern = 0;
    for (; i < rest && p[i] != ';'; ++i, ++ziffern) {
        const unsigned char c = p[i];
        std::uint32_t d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;  // no reference: the parser judges it
        if (wert > 0x10FFFF) return true;
        wert = wert * (hex ? 16 : 10) + d;
    }
    return i < rest && ziffern > 0 && !XmlZeichen(wert);
}

// Whether one of the eight bytes is not printable ASCII or is '&' (a possible reference).
bool Auffaellig(std::uint64_t w) {
    constexpr std::uint64_t eins = 0x0101010101010101ull, hoch = 0x8080808080808080ull;
    const std::uint64_t kleiner = (w - 0x20 * eins) & ~w & hoch;  // a byte below 0x20
    const std::uint64_t x = w ^ (0x26 * eins);
    const std::uint64_t und = (x - eins) & ~x & hoch;  // a byte '&'
    return ((w & hoch) | kleiner | und) != 0;
}

}  // namespace

std::string XmlText(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && p[i] >= 0x20 && p[i] < 0x80) ++i;
    if (i == n) return std::string(text);
    std::string aus(text.substr(0, i));
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            if (XmlZeichen(c)) aus += static_cast<char>(c);
            ++i;
        } else if (const std::size_t laenge = ErlaubteFolge(p + i, n - i)) {
            aus.append(text.substr(i, laenge));
            i += laenge;
        } else {
            ++i;
        }
    }
    return aus;
}

std::size_t VerbotenesZeichen(std::string_view xml) {
    const auto* p = reinterpret_cast<const unsigned char*>(xml.data());
    const std::size_t n = xml.size();
    std::size_t i = 0;
    while (i < n) {
        for (std::uint64_t w; i + 8 <= n; i += 8) {
            std::memcpy(&w, p + i, 8);
            if (Auffaellig(w)) break;
        }
        if (i >= n) break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            if (!XmlZeichen(c) || (c == '&' && VerboteneReferenz(p + i, n - i))) return i;
            ++i;
            continue;
        }
        const std::size_t laenge = ErlaubteFolge(p + i, n - i);
        if (laenge == 0) return i;
        i += laenge;
    }
    return std::string_view::npos;
}

bool TieferAls(std::string_view xml, std::size_t grenze) {
    const char* p = xml.data();
    const char* const ende = p + xml.size();
    // Past what ends at `schluss` (a comment, a CDATA section, a declaration); the end when it never does.
    const auto nach = [ende](const char* von, std::string_view schluss) {
        const std::string_view rest(von, static_cast<std::size_t>(ende - von));
        const std::size_t stelle = rest.find(schluss);
        return stelle == std::string_view::npos ? ende : von + stelle + schluss.size();
    };
    std::size_t tiefe = 0;
    while ((p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(ende - p)))) && ++p < ende) {
        const char c = *p;
        if (c == '/') {
            // An end tag holds no '<': the search for the next tag skips its rest.
            if (tiefe > 0) --tiefe;
        } else if (c == '?') {
            p = nach(p, "?>");
        } else if (c == '!') {
            const std::size_t rest = static_cast<std::size_t>(ende - p);
            if (rest >= 3 && p[1] == '-' && p[2] == '-') p = nach(p + 3, "-->");
            else if (rest >= 8 && std::memcmp(p, "![CDATA[", 8) == 0) p = nach(p + 8, "]]>");
            else p = nach(p, ">");
        } else {
            // A start tag, to its '>' outside the quotes of its attributes; "/>" closes it at once.
            char zitat = 0;
            for (; p < ende; ++p) {
                const char d = *p;
                if (zitat) {
                    if (d == zitat) zitat = 0;
                } else if (d == '>') {
                    break;
                } else if (d == '"' || d == '\'') {
                    zitat = d;
                }
            }
            if (p >= ende) break;
            if (p[-1] != '/' && ++tiefe > grenze) return true;
        }
        if (p >= ende) break;
    }
    return false;
}

}  // namespace vk::word::detail
