#include "document/Briefbetrag.h"

#include <algorithm>

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

std::vector<Betragsfund> BeträgeSuchen(std::string_view text) {
    std::vector<Betragsfund> funde;
    for (std::size_t euro = text.find("\xE2\x82\xAC"); euro != std::string_view::npos;
         euro = text.find("\xE2\x82\xAC", euro + 3)) {
        // Back over the blank before the sign and the number before that.
        std::size_t anfang = euro;
        if (anfang >= 1 && text[anfang - 1] == ' ') anfang -= 1;
        else if (anfang >= 2 && text.substr(anfang - 2, 2) == "\xC2\xA0") anfang -= 2;
        else continue;
        const std::size_t zahlEnde = anfang;
        while (anfang > 0 && (Ziffer(text[anfang - 1]) || text[anfang - 1] == '.' || text[anfang - 1] == ',')) --anfang;
        if (anfang > 0 && text[anfang - 1] == '-') --anfang;
        if (anfang == zahlEnde || !std::any_of(text.begin() + static_cast<long>(anfang), text.begin() + static_cast<long>(zahlEnde), Ziffer))
            continue;
        const std::string_view betrag = text.substr(anfang, euro + 3 - anfang);
        funde.push_back({Zeichen(text.substr(0, anfang)), Zeichen(betrag), std::string(betrag)});
    }
    return funde;
}

std::string BriefbetragText(std::string betrag, bool blankDanach) {
    if (betrag.empty() || betrag.front() != ' ') betrag.insert(betrag.begin(), ' ');
    if (betrag.size() >= kEuro.size() && betrag.compare(betrag.size() - kEuro.size(), kEuro.size(), kEuro) == 0)
        betrag.replace(betrag.size() - kEuro.size(), kEuro.size(), kEuroGebunden);
    if (blankDanach) betrag += ' ';
    return betrag;
}

}  // namespace vk
