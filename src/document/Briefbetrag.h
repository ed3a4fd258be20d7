// The amount a letter-text tag stands before ("Netto 1.234,56 € zuzüglich …"): found by its form, so
// that an amount of any length is replaced, and the text around it (a blank before it, the
// punctuation after it) is kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// How far to read after a tag: blanks, the longest amount the totals write, " €" and one more.
inline constexpr long kBriefbetragReichweite = 40;

struct Briefbetrag {
    long zeichen = 0;          // characters from the tag to the end of " €", with one blank after it
    bool blankDanach = false;  // that blank is part of it (and is written again)
    std::string betrag;        // the amount as it stands, with " €", without surrounding blanks
};

// The amount right after a tag in `text` (the text that follows the tag's anchor): blanks, a number
// of digits, "." and "," (a leading "-" allowed), " €" (the blank may be a no-break space). Nothing
// when the text does not start so.
std::optional<Briefbetrag> BriefbetragLesen(std::string_view text);

// An amount found anywhere in a text: where it starts and how long it is (in characters), and its text.
struct Betragsfund {
    long zeichen = 0;
    long länge = 0;
    std::string betrag;
};

// Every amount in the text as BriefbetragLesen reads one (digits, "." and ",", " €"), in order.
std::vector<Betragsfund> BeträgeSuchen(std::string_view text);

// The text that takes the place of an amount: the new amount with at least one blank before it, its
// " €" joined by a no-break space, and the blank after it when the old amount had one.
std::string BriefbetragText(std::string betrag, bool blankDanach);

}  // namespace vk
