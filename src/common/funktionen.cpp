#include "common/funktionen.h"

#include <charconv>

#include "common/einstellungen.h"
#include "common/konvertierung.h"
#include "common/nachricht.h"
#include "common/prozedur.h"

namespace vk {
namespace {

constexpr const char* kAnwendung = "KalVerwaltung";

std::string Ersetzen(std::string s, char alt, char neu) {
    for (char& c : s)
        if (c == alt) c = neu;
    return s;
}

std::size_t Zeichenanzahl(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string Rechtsbuendig(const std::string& text, int breite) {
    std::size_t n = Zeichenanzahl(text);
    if (breite <= 0 || n >= static_cast<std::size_t>(breite)) return text;
    return std::string(static_cast<std::size_t>(breite) - n, ' ') + text;
}

// The i-th character (1-based) is a blank.
bool IstLeerAn(const std::string& s, int i) {
    return i >= 1 && static_cast<std::size_t>(i) <= s.size() && s[static_cast<std::size_t>(i - 1)] == ' ';
}

// Single-precision number as the regional text of its 7 significant digits.
std::string SingleText(float wert) {
    char puffer[32];
    const auto [ende, fehler] =
        std::to_chars(puffer, puffer + sizeof puffer, static_cast<double>(wert), std::chars_format::general, 7);
    std::string text(puffer, ende);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return Ersetzen(text, '.', ',');
}

}  // namespace

Variant BoolDatensatzLesen(const Variant& wert) {
    if (wert.IstNull()) return Variant(std::int32_t{0});
    return wert;
}

Variant ZahlDatensatzLesen(const Variant& wert) {
    if (wert.IstNull()) return Variant(std::int32_t{0});
    if (wert.Typ() == VarTyp::String && wert.AlsString().empty()) return Variant(std::int32_t{0});
    return wert;
}

double CVal(std::string_view text) {
    Prozedur proc("Funktionen", "CVal");
    double ergebnis = 0.0;
    proc([&] {
        std::size_t a = text.find_first_not_of(' ');
        std::size_t b = text.find_last_not_of(' ');
        std::string_view s = (a == std::string_view::npos) ? std::string_view{} : text.substr(a, b - a + 1);
        if (auto r = RegionalLesen(s)) {
            ergebnis = *r;
            return;
        }
        std::string gesammelt;
        for (char c : s) {
            if ((c >= '0' && c <= '9') || c == ',' || c == '.' || c == '-') gesammelt += c;
            else break;
        }
        if (gesammelt.empty() || gesammelt == ",") {
            ergebnis = 0.0;
            return;
        }
        auto r = RegionalLesen(gesammelt);
        if (!r) throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich);
        ergebnis = *r;
    });
    return ergebnis;
}

std::string WertFormatieren(std::string_view wert, int breite, int nachkomma) {
    Prozedur proc("Funktionen", "WertFormatieren");
    std::string s;
    for (char c : wert)
        if (c != '.') s += c;
    s = Ersetzen(Ersetzen(s, ',', '.'), '%', ' ');

    int i = (nachkomma == 0) ? breite : breite - nachkomma - 1;
    if (i > 0) {
        for (int j = i - 1; j > 0 && IstLeerAn(s, i); --j) s = " " + s.substr(0, static_cast<std::size_t>(i));
    }
    if (s.empty()) s = "0";
    proc([&] {
        if (Val(s) == 0.0 && s.back() == ' ') s.back() = '0';
    });
    static constexpr const char* kMuster[] = {"#,##0", "#,##0.0", "#,##0.00", "#,##0.000"};
    if (nachkomma >= 0 && nachkomma <= 3) {
        proc([&] { s = Format(Val(s), kMuster[nachkomma]); });
    }
    return Rechtsbuendig(s, breite);
}

std::string WertFormatieren(double wert, int breite, int nachkomma) {
    return WertFormatieren(CStr(wert), breite, nachkomma);
}

std::string MengeFormatieren(std::string_view wert, int breite, int nachkomma) {
    std::string text = WertFormatieren(wert, breite, nachkomma);
    if (text.find('-') != std::string::npos) text = WertFormatieren("0", breite, nachkomma);
    return text;
}

void Wert_Key(TextEingabe& eingabe, int breite, int nachkomma) {
    Prozedur proc("Funktionen", "Wert_Key");
    std::string s;
    if (!proc([&] { s = eingabe.Text(); })) return;
    if (breite > 0 && s.size() < static_cast<std::size_t>(breite)) s.append(static_cast<std::size_t>(breite) - s.size(), ' ');
    int i = breite - nachkomma - 1;
    for (int j = i - 1; j > 0 && IstLeerAn(s, i); --j) s = " " + s.substr(0, static_cast<std::size_t>(i - 1));
    if (s.find(',') == std::string::npos && nachkomma >= 1 && nachkomma <= 3)
        s += "," + std::string(static_cast<std::size_t>(nachkomma), ' ');
    proc([&] { eingabe.SetText(s); });
    proc([&] { eingabe.SetSelStart(i + 1); });
    proc([&] { eingabe.SetSelLength(255); });
}

void AllesMarkieren(TextEingabe& eingabe) {
    FehlerIgnorieren([&] { eingabe.SetSelStart(0); });
    FehlerIgnorieren([&] { eingabe.SetSelLength(255); });
}

void GetWindowReg(FensterForm& form) {
    Prozedur proc("G_Funktionen", "GetWindowReg");
    EinstellungsSpeicher& speicher = Einstellungen();
    std::string name;
    if (!proc([&] { name = form.Name(); })) return;
    proc([&] { form.SetWindowState(CInt(Val(speicher.Lesen(kAnwendung, name, "State", "0")))); });
    int state = -1;
    proc([&] { state = form.WindowState(); });
    if (state != 0) return;
    proc([&] { form.SetTop(CSng(Variant(speicher.Lesen(kAnwendung, name, "Top", "0")))); });
    proc([&] { form.SetLeft(CSng(Variant(speicher.Lesen(kAnwendung, name, "Left", "0")))); });
}

void SetWindowReg(const FensterForm& form) {
    Prozedur proc("G_Funktionen", "SetWindowReg");
    EinstellungsSpeicher& speicher = Einstellungen();
    std::string name;
    if (!proc([&] { name = form.Name(); })) return;
    int state = -1;
    proc([&] {
        state = form.WindowState();
        speicher.Schreiben(kAnwendung, name, "State", std::to_string(state));
    });
    if (state != 0) return;
    proc([&] { speicher.Schreiben(kAnwendung, name, "Top", SingleText(form.Top())); });
    proc([&] { speicher.Schreiben(kAnwendung, name, "Left", SingleText(form.Left())); });
}

int MsgBox(const std::string& text, int flags, const std::string& titel) {
    Prozedur proc("G_Funktionen", "MsgBox");
    int code = 0;
    proc([&] { code = Nachrichten().Zeigen(text, flags, titel); });
    return code;
}

}  // namespace vk
