#include "document/Briefbetrag.h"

namespace vk {

namespace {
constexpr std::string_view kEuro = " \xE2\x82\xAC";
bool Ziffer(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<Briefbetrag> BriefbetragLesen(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t anfang = i;
    if (i < text.size() && text[i] == '-') ++i;
    bool ziffern = false;
    for (; i < text.size() && (Ziffer(text[i]) || text[i] == '.' || text[i] == ','); ++i)
        if (Ziffer(text[i])) ziffern = true;
    if (!ziffern || text.substr(i, kEuro.size()) != kEuro) return std::nullopt;
    i += kEuro.size();
    Briefbetrag b;
    b.betrag = std::string(text.substr(anfang, i - anfang));
    b.blankDanach = i < text.size() && text[i] == ' ';
    // Positions count characters: everything up to the amount is ASCII, the euro sign one character.
    b.zeichen = static_cast<long>(i) - 2 + (b.blankDanach ? 1 : 0);
    return b;
}

std::string BriefbetragText(std::string betrag, bool blankDanach) {
    if (betrag.empty() || betrag.front() != ' ') betrag.insert(betrag.begin(), ' ');
    if (blankDanach) betrag += ' ';
    return betrag;
}

}  // namespace vk
