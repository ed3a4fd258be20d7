#include "document/Briefbetrag.h"

namespace vk {

namespace {
constexpr std::string_view kEuro = " \xE2\x82\xAC";
// The letter joins an amount to its euro sign with a no-break space, so that no line ends between
// them; documents written before have a blank there.
constexpr std::string_view kEuroGebunden = "\xC2\xA0\xE2\x82\xAC";
bool Ziffer(char c) { return c >= '0' && c <= '9'; }
long Zeichen(std::string_view utf8) {
    long n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}
}  // namespace

std::optional<Briefbetrag> BriefbetragLesen(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t anfang = i;
    if (i < text.size() && text[i] == '-') ++i;
    bool ziffern = false;
    for (; i < text.size() && (Ziffer(text[i]) || text[i] == '.' || text[i] == ','); ++i)
        if (Ziffer(text[i])) ziffern = true;
    if (!ziffern) return std::nullopt;
    if (text.substr(i, kEuro.size()) == kEuro) i += kEuro.size();
    else if (text.substr(i, kEuroGebunden.size()) == kEuroGebunden) i += kEuroGebunden.size();
    else return std::nullopt;
    Briefbetrag b;
    b.betrag = std::string(text.substr(anfang, i - anfang));
    b.blankDanach = i < text.size() && text[i] == ' ';
    // Positions count characters, not bytes.
    b.zeichen = Zeichen(text.substr(0, i)) + (b.blankDanach ? 1 : 0);
    return b;
}

std::string BriefbetragText(std::string betrag, bool blankDanach) {
    if (betrag.empty() || betrag.front() != ' ') betrag.insert(betrag.begin(), ' ');
    if (betrag.size() >= kEuro.size() && betrag.compare(betrag.size() - kEuro.size(), kEuro.size(), kEuro) == 0)
        betrag.replace(betrag.size() - kEuro.size(), kEuro.size(), kEuroGebunden);
    if (blankDanach) betrag += ' ';
    return betrag;
}

}  // namespace vk
