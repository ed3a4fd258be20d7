#include "platform/dao/sqltext.h"

#include <cctype>

namespace vk::dao::detail {
namespace {

bool IstNamenszeichen(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IstLeer(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

enum class Art { Wort, Literal, Kommentar, Platzhalter, Semikolon, Leer, Zeichen };

// Splits a statement into pieces; each call of Naechstes() returns the kind and moves past it.
// `eckig`: [name] is a quoted name (SQLite); on PostgreSQL brackets are array subscripts.
class Zerleger {
public:
    Zerleger(std::string_view sql, bool eckig) : s_(sql), eckig_(eckig) {}

    bool Ende() const { return i_ >= s_.size(); }
    std::size_t Position() const { return i_; }

    Art Naechstes() {
        const char c = s_[i_];
        if (IstLeer(c)) {
            while (i_ < s_.size() && IstLeer(s_[i_])) ++i_;
            return Art::Leer;
        }
        if (c == '-' && Folgt(1, '-')) {
            while (i_ < s_.size() && s_[i_] != '\n') ++i_;
            return Art::Kommentar;
        }
        if (c == '/' && Folgt(1, '*')) {
            std::size_t e = s_.find("*/", i_ + 2);
            i_ = (e == std::string_view::npos) ? s_.size() : e + 2;
            return Art::Kommentar;
        }
        if (c == '\'') {
            // E'...' (a backslash escapes) was recognised as a word start; see below.
            Bis('\'', false);
            return Art::Literal;
        }
        if (c == '"' || c == '`') {
            Bis(c, false);
            return Art::Literal;
        }
        if (c == '[' && eckig_) {
            std::size_t e = s_.find(']', i_ + 1);
            i_ = (e == std::string_view::npos) ? s_.size() : e + 1;
            return Art::Literal;
        }
        if (c == '$' && DollarZitat()) return Art::Literal;
        if (c == '?') {
            ++i_;
            return Art::Platzhalter;
        }
        if (c == ';') {
            ++i_;
            return Art::Semikolon;
        }
        if (IstNamenszeichen(c)) {
            // E'text' and e'text': a string with backslash escapes.
            if ((c == 'E' || c == 'e') && Folgt(1, '\'')) {
                ++i_;
                Bis('\'', true);
                return Art::Literal;
            }
            while (i_ < s_.size() && (IstNamenszeichen(s_[i_]) || s_[i_] == '$')) ++i_;
            return Art::Wort;
        }
        ++i_;
        return Art::Zeichen;
    }

private:
    bool Folgt(std::size_t n, char c) const { return i_ + n < s_.size() && s_[i_ + n] == c; }

    // From the opening quote at i_ past the closing one; a doubled quote stands for itself.
    void Bis(char ende, bool rueckstrich) {
        for (++i_; i_ < s_.size(); ++i_) {
            if (rueckstrich && s_[i_] == '\\') {
                ++i_;
                continue;
            }
            if (s_[i_] != ende) continue;
            if (Folgt(1, ende)) {
                ++i_;
                continue;
            }
            ++i_;
            return;
        }
    }

    // $tag$ ... $tag$ (PostgreSQL); a `$` followed by a digit is a parameter, not a quote.
    bool DollarZitat() {
        std::size_t e = i_ + 1;
        if (e < s_.size() && std::isdigit(static_cast<unsigned char>(s_[e]))) return false;
        while (e < s_.size() && IstNamenszeichen(s_[e])) ++e;
        if (e >= s_.size() || s_[e] != '$') return false;
        const std::string_view marke = s_.substr(i_, e - i_ + 1);
        const std::size_t zu = s_.find(marke, e + 1);
        i_ = (zu == std::string_view::npos) ? s_.size() : zu + marke.size();
        return true;
    }

    std::string_view s_;
    bool eckig_;
    std::size_t i_ = 0;
};

}  // namespace

std::vector<std::string> Woerter(std::string_view sql) {
    std::vector<std::string> woerter;
    Zerleger z(sql, true);
    while (!z.Ende()) {
        const std::size_t a = z.Position();
        if (z.Naechstes() != Art::Wort) continue;
        std::string wort(sql.substr(a, z.Position() - a));
        for (char& c : wort) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        woerter.push_back(std::move(wort));
    }
    return woerter;
}

Nummeriert PlatzhalterNummerieren(std::string_view sql) {
    Nummeriert n;
    Zerleger z(sql, false);
    bool beendet = false;  // a semicolon ended the first statement
    while (!z.Ende()) {
        const std::size_t a = z.Position();
        const Art art = z.Naechstes();
        const std::string_view stueck = sql.substr(a, z.Position() - a);
        if (art == Art::Leer || art == Art::Kommentar) {
            if (!beendet) n.sql += stueck;
            continue;
        }
        if (art == Art::Semikolon) {
            beendet = beendet || !n.leer;
            continue;
        }
        if (beendet) {
            n.weitererText = std::string(sql.substr(a));
            break;
        }
        n.leer = false;
        if (art == Art::Platzhalter) n.sql += "$" + std::to_string(++n.parameter);
        else n.sql += stueck;
    }
    return n;
}

std::string Bezeichner(std::string_view name) {
    std::string r = "\"";
    for (char c : name) {
        r += c;
        if (c == '"') r += '"';
    }
    return r + "\"";
}

bool GleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace vk::dao::detail
