#include "common/konvertierung.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"

namespace vk {
namespace {

constexpr char kDezimal = ',';
constexpr char kTausender = '.';
constexpr std::string_view kWaehrung = "\xE2\x82\xAC";  // €

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }
bool IstLeer(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmen(std::string_view s) {
    while (!s.empty() && IstLeer(s.front())) s.remove_prefix(1);
    while (!s.empty() && IstLeer(s.back())) s.remove_suffix(1);
    return s;
}

// The 15 significant digits of |wert| and the decimal exponent of the first one.
struct Dezimalziffern {
    std::string ziffern;  // 15 digits
    int exponent = 0;     // wert = 0.d1d2... * 10^(exponent + 1)
};

Dezimalziffern ZiffernVon(double wert) {
    char puffer[64];
    const auto [ende, fehler] =
        std::to_chars(puffer, puffer + sizeof puffer, std::fabs(wert), std::chars_format::scientific, 14);
    Dezimalziffern z;
    const char* p = puffer;
    for (; p != ende && *p != 'e'; ++p)
        if (IstZiffer(*p)) z.ziffern += *p;
    if (p != ende) {
        ++p;
        if (p != ende && *p == '+') ++p;
        std::from_chars(p, ende, z.exponent);
    }
    return z;
}

// |wert| rounded half away from zero to `nachkomma` decimals, as integer and fraction digit texts.
void Runden(double wert, int nachkomma, std::string& ganz, std::string& bruch) {
    ganz.clear();
    bruch.clear();
    if (wert == 0.0 || !std::isfinite(wert)) {
        ganz = "0";
        bruch.assign(static_cast<std::size_t>(nachkomma), '0');
        return;
    }
    Dezimalziffern z = ZiffernVon(wert);
    // Place the digits: position k of ziffern has the weight 10^(exponent - k).
    int hoechste = std::max(z.exponent, 0);
    // Digits from weight 10^hoechste down to 10^-nachkomma, plus the rounding digit.
    std::string stellen;
    for (int w = hoechste; w >= -nachkomma - 1; --w) {
        int k = z.exponent - w;
        stellen += (k >= 0 && k < static_cast<int>(z.ziffern.size())) ? z.ziffern[static_cast<std::size_t>(k)] : '0';
    }
    char rundung = stellen.back();
    stellen.pop_back();
    if (rundung >= '5') {
        int i = static_cast<int>(stellen.size()) - 1;
        while (i >= 0) {
            if (stellen[static_cast<std::size_t>(i)] == '9') {
                stellen[static_cast<std::size_t>(i)] = '0';
                --i;
            } else {
                ++stellen[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) stellen.insert(stellen.begin(), '1');
    }
    std::size_t ganzLaenge = stellen.size() - static_cast<std::size_t>(nachkomma);
    ganz = stellen.substr(0, ganzLaenge);
    bruch = stellen.substr(ganzLaenge);
    std::size_t erste = ganz.find_first_not_of('0');
    ganz = (erste == std::string::npos) ? "0" : ganz.substr(erste);
}

std::string Gruppieren(const std::string& ganz) {
    std::string ergebnis;
    int n = static_cast<int>(ganz.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) ergebnis += kTausender;
        ergebnis += ganz[static_cast<std::size_t>(i)];
    }
    return ergebnis;
}

double Runden16Oder32(double wert, double min, double max) {
    if (!std::isfinite(wert)) throw LaufzeitFehler(fehlernummer::Ueberlauf);
    double r = RundenGerade(wert);
    if (r < min || r > max) throw LaufzeitFehler(fehlernummer::Ueberlauf);
    return r;
}

}  // namespace

// ------------------------------------------------------------------------------------------------

std::optional<double> CZahlLesen(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double r = 0;
    const auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), r);
    if (ende != s.data() + s.size()) return std::nullopt;
    if (fehler == std::errc::result_out_of_range) {
        // Too small to hold is zero, too large is no number.
        const std::size_t e = s.find_first_of("eE");
        if (e != std::string_view::npos && s.substr(e + 1, 1) == "-") return s.front() == '-' ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (fehler != std::errc() || !std::isfinite(r)) return std::nullopt;
    return r;
}

std::string CZahlText(double wert) {
    char puffer[64];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert);
    return std::string(puffer, ende);
}

std::string CStr(double wert) {
    if (wert == 0.0) return "0";
    if (std::isnan(wert)) return "NaN";
    if (std::isinf(wert)) return wert > 0 ? "1,#INF" : "-1,#INF";
    char puffer[64];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 15);
    std::string s(puffer, ende);
    // General form keeps no trailing zeros of the fraction; the exponent keeps at least two digits
    // and is written with a capital E (1E+15).
    for (char& c : s) {
        if (c == '.') c = kDezimal;
        if (c == 'e') c = 'E';
    }
    return s;
}

std::string CStr(const Variant& wert) {
    switch (wert.Typ()) {
    case VarTyp::Empty: return "";
    case VarTyp::Null: throw LaufzeitFehler(fehlernummer::UnzulaessigeVerwendungVonNull);
    case VarTyp::Integer: return std::to_string(wert.AlsInteger());
    case VarTyp::Long: return std::to_string(wert.AlsLong());
    case VarTyp::Double: return CStr(wert.AlsDouble());
    case VarTyp::String: return wert.AlsString();
    case VarTyp::Boolean: return wert.AlsBoolean() ? "Wahr" : "Falsch";
    case VarTyp::Date: return CStr(wert.AlsDatum());
    case VarTyp::Object: break;
    }
    throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich);
}

double Val(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s += c;
    std::size_t i = 0;
    std::string zahl;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) zahl += s[i++];
    bool ziffern = false;
    while (i < s.size() && IstZiffer(s[i])) { zahl += s[i++]; ziffern = true; }
    if (i < s.size() && s[i] == '.') {
        zahl += s[i++];
        while (i < s.size() && IstZiffer(s[i])) { zahl += s[i++]; ziffern = true; }
    }
    if (!ziffern) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
        bool expZiffern = false;
        while (j < s.size() && IstZiffer(s[j])) { exp += s[j++]; expZiffern = true; }
        if (expZiffern) zahl += exp;
    }
    const std::optional<double> r = CZahlLesen(zahl);
    if (!r) throw LaufzeitFehler(fehlernummer::Ueberlauf);
    return *r;
}

std::optional<double> RegionalLesen(std::string_view text) {
    std::string_view s = Trimmen(text);
    bool negativ = false;
    auto waehrungEntfernen = [&] {
        if (s.substr(0, kWaehrung.size()) == kWaehrung) s = Trimmen(s.substr(kWaehrung.size()));
        if (s.size() >= kWaehrung.size() && s.substr(s.size() - kWaehrung.size()) == kWaehrung)
            s = Trimmen(s.substr(0, s.size() - kWaehrung.size()));
    };
    waehrungEntfernen();
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        negativ = true;
        s = Trimmen(s.substr(1, s.size() - 2));
    }
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negativ = negativ != (s.front() == '-');
        s = Trimmen(s.substr(1));
    } else if (!s.empty() && (s.back() == '-' || s.back() == '+')) {
        negativ = negativ != (s.back() == '-');
        s = Trimmen(s.substr(0, s.size() - 1));
    }
    waehrungEntfernen();
    std::string zahl;
    std::size_t i = 0;
    bool ziffern = false;
    // Integer part: digits with thousands points between them (leniently placed, as the
    // regional parser of the office's platform accepts them).
    while (i < s.size() && (IstZiffer(s[i]) || (s[i] == kTausender && ziffern))) {
        if (IstZiffer(s[i])) { zahl += s[i]; ziffern = true; }
        ++i;
    }
    if (i < s.size() && s[i] == kDezimal) {
        zahl += '.';
        ++i;
        while (i < s.size() && IstZiffer(s[i])) { zahl += s[i++]; ziffern = true; }
    }
    if (!ziffern) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
        bool expZiffern = false;
        while (j < s.size() && IstZiffer(s[j])) { exp += s[j++]; expZiffern = true; }
        if (!expZiffern) return std::nullopt;
        zahl += exp;
        i = j;
    }
    if (i != s.size()) return std::nullopt;
    const std::optional<double> r = CZahlLesen(zahl);
    if (!r) return std::nullopt;
    return negativ ? -*r : *r;
}

bool IstNumerisch(std::string_view text) { return RegionalLesen(text).has_value(); }

double CDbl(const Variant& wert) {
    switch (wert.Typ()) {
    case VarTyp::Empty: return 0.0;
    case VarTyp::Null: throw LaufzeitFehler(fehlernummer::UnzulaessigeVerwendungVonNull);
    case VarTyp::Integer: return wert.AlsInteger();
    case VarTyp::Long: return wert.AlsLong();
    case VarTyp::Double: return wert.AlsDouble();
    case VarTyp::Boolean: return wert.AlsBoolean() ? -1.0 : 0.0;
    case VarTyp::Date: return wert.AlsDatum().wert;
    case VarTyp::String: {
        auto r = RegionalLesen(wert.AlsString());
        if (!r) throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich);
        return *r;
    }
    case VarTyp::Object: break;
    }
    throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich);
}

float CSng(const Variant& wert) {
    double d = CDbl(wert);
    if (std::fabs(d) > std::numeric_limits<float>::max()) throw LaufzeitFehler(fehlernummer::Ueberlauf);
    return static_cast<float>(d);
}

double RundenGerade(double wert) { return std::nearbyint(wert); }  // default mode: to nearest, ties even

double Int(double wert) { return std::floor(wert); }
double Fix(double wert) { return std::trunc(wert); }

std::int16_t CInt(double wert) {
    return static_cast<std::int16_t>(Runden16Oder32(wert, -32768.0, 32767.0));
}

std::int32_t CLng(double wert) {
    return static_cast<std::int32_t>(Runden16Oder32(wert, -2147483648.0, 2147483647.0));
}

std::int16_t CInt(const Variant& wert) { return CInt(CDbl(wert)); }
std::int32_t CLng(const Variant& wert) { return CLng(CDbl(wert)); }

bool CBool(const Variant& wert) {
    if (wert.Typ() == VarTyp::Boolean) return wert.AlsBoolean();
    if (wert.Typ() == VarTyp::String) {
        const std::string& s = wert.AlsString();
        if (s == "Wahr" || s == "True" || s == "wahr" || s == "true") return true;
        if (s == "Falsch" || s == "False" || s == "falsch" || s == "false") return false;
    }
    return CDbl(wert) != 0.0;
}

// ------------------------------------------------------------------------------------------------

std::string Format(double wert, std::string_view muster) {
    std::size_t punkt = muster.find('.');
    std::string_view vorne = muster.substr(0, punkt);
    int nachkomma = 0;
    if (punkt != std::string_view::npos)
        for (char c : muster.substr(punkt + 1))
            if (c == '0' || c == '#') ++nachkomma;
    bool gruppieren = vorne.find(',') != std::string_view::npos;
    std::size_t mindestGanz = 0;
    for (char c : vorne)
        if (c == '0') ++mindestGanz;

    std::string ganz, bruch;
    Runden(wert, nachkomma, ganz, bruch);
    if (ganz == "0" && mindestGanz == 0) ganz.clear();
    while (ganz.size() < mindestGanz) ganz.insert(ganz.begin(), '0');
    bool null = ganz.find_first_not_of('0') == std::string::npos && bruch.find_first_not_of('0') == std::string::npos;
    std::string text = gruppieren ? Gruppieren(ganz) : ganz;
    if (nachkomma > 0) text += kDezimal + bruch;
    if (wert < 0 && !null) text.insert(text.begin(), '-');
    return text;
}

std::int64_t Cent(double euro) {
    if (!std::isfinite(euro) || std::fabs(euro) >= 1e15) throw LaufzeitFehler(fehlernummer::Ueberlauf);
    std::string ganz, bruch;
    Runden(euro, 2, ganz, bruch);
    const std::int64_t cent = std::stoll(ganz) * 100 + std::stoll(bruch);
    return euro < 0 ? -cent : cent;
}

std::string KurzText(double wert, int nachkomma) {
    std::string text = Format(wert, "0." + std::string(static_cast<std::size_t>(nachkomma), '0'));
    if (text.find(kDezimal) == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == kDezimal) text.pop_back();
    return text;
}

std::string FormatText(std::string_view text, std::string_view muster) {
    std::size_t platzhalter = 0;
    for (char c : muster)
        if (c == '@') ++platzhalter;
    // Count characters, not bytes, so umlauts and "€" take one place each.
    std::size_t zeichen = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++zeichen;
    if (zeichen >= platzhalter) return std::string(text);
    return std::string(platzhalter - zeichen, ' ') + std::string(text);
}

// ------------------------------------------------------------------------------------------------

namespace {
// Days from 1970-01-01 of a civil date (proleptic Gregorian).
long TageSeit1970(int j, int m, int t) {
    j -= m <= 2;
    const long era = (j >= 0 ? j : j - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(j - era * 400);
    const unsigned doy = static_cast<unsigned>((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + t - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void DatumAusTagenSeit1970(long z, int& j, int& m, int& t) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    t = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    j = static_cast<int>(y + (m <= 2));
}

constexpr long kTage1899Bis1970 = 25569;  // 30.12.1899 .. 01.01.1970
}  // namespace

Datum DatumAusTagen(int jahr, int monat, int tag) {
    return Datum{static_cast<double>(TageSeit1970(jahr, monat, tag) + kTage1899Bis1970)};
}

void TageAusDatum(Datum d, int& jahr, int& monat, int& tag) {
    long tage = static_cast<long>(std::floor(d.wert)) - kTage1899Bis1970;
    DatumAusTagenSeit1970(tage, jahr, monat, tag);
}

Datum Heute() {
    std::time_t t = std::chrono::system_clock::to_time_t(Jetzt());
    std::tm lokal{};
    localtime_r(&t, &lokal);
    return DatumAusTagen(lokal.tm_year + 1900, lokal.tm_mon + 1, lokal.tm_mday);
}

std::optional<Datum> DatumAusIso(std::string_view text) {
    text = Trimmen(text);
    int j = 0, m = 0, t = 0, h = 0, n = 0, s = 0;
    std::string str(text);
    int gelesen = std::sscanf(str.c_str(), "%4d-%2d-%2d%*1[ T]%2d:%2d:%2d", &j, &m, &t, &h, &n, &s);
    if (gelesen < 3 || m < 1 || m > 12 || t < 1 || t > 31) return std::nullopt;
    Datum d = DatumAusTagen(j, m, t);
    if (gelesen >= 5) d.wert += (h * 3600.0 + n * 60.0 + (gelesen >= 6 ? s : 0)) / 86400.0;
    return d;
}

std::string DatumIso(Datum d) {
    int j, m, t;
    TageAusDatum(d, j, m, t);
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%04d-%02d-%02d", j, m, t);
    return puffer;
}

std::string Format(Datum d, std::string_view muster) {
    int j, m, t;
    TageAusDatum(d, j, m, t);
    double bruch = d.wert - std::floor(d.wert);
    int sekunden = static_cast<int>(std::lround(bruch * 86400.0)) % 86400;
    int stunde = sekunden / 3600, minute = (sekunden / 60) % 60;
    std::string ergebnis;
    bool nachStunde = false;
    for (std::size_t i = 0; i < muster.size();) {
        char c = muster[i];
        std::size_t n = 1;
        while (i + n < muster.size() && muster[i + n] == c) ++n;
        auto zahl = [&](int wert, std::size_t breite) {
            std::string s = std::to_string(wert);
            while (s.size() < breite) s.insert(s.begin(), '0');
            ergebnis += s;
        };
        switch (c) {
        case 'd': zahl(t, n >= 2 ? 2 : 1); break;
        case 'm':
            if (nachStunde) zahl(minute, n >= 2 ? 2 : 1);
            else zahl(m, n >= 2 ? 2 : 1);
            break;
        case 'n': zahl(minute, n >= 2 ? 2 : 1); break;
        case 'y': zahl(n >= 4 ? j : j % 100, n >= 4 ? 4 : 2); break;
        case 'h': zahl(stunde, n >= 2 ? 2 : 1); break;
        case '/': ergebnis.append(n, '.'); break;
        default: ergebnis.append(n, c); break;
        }
        if (c != ':' && c != ' ') nachStunde = (c == 'h');
        i += n;
    }
    return ergebnis;
}

std::string CStr(Datum d) { return Format(d, "dd/mm/yyyy"); }

}  // namespace vk
