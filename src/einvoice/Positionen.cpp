#include "einvoice/Positionen.h"

#include <cmath>
#include <charconv>
#include <cstdlib>

#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "document/Betragszeilen.h"
#include "einvoice/Ascii.h"
#include "einvoice/Dezimal.h"

namespace vk::erechnung {
namespace {

constexpr std::string_view kEuro = "\xE2\x82\xAC";

bool Leer(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\n' || c == '\a'; }

std::string Getrimmt(std::string_view text) {
    while (!text.empty() && Leer(text.front())) text.remove_prefix(1);
    while (!text.empty() && Leer(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// The text on one line: every run of blanks, tabs and breaks one blank.
std::string Einzeilig(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (Leer(c)) {
            if (!s.empty() && s.back() != ' ') s += ' ';
        } else {
            s += c;
        }
    }
    return Getrimmt(s);
}

std::vector<std::string> Absätze(std::string_view text) {
    std::vector<std::string> absätze;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\v' && text[i] != '\n') continue;
        std::string a = Einzeilig(text.substr(anfang, i - anfang));
        if (!a.empty()) absätze.push_back(std::move(a));
        anfang = i + 1;
    }
    return absätze;
}

bool StartetMit(std::string_view text, std::string_view anfang) { return text.substr(0, anfang.size()) == anfang; }

// "10.1.1", "9.1", "12.4 a": a tariff position standing alone.
std::size_t TarifnummerLänge(std::string_view s) {
    std::size_t i = 0, punkte = 0;
    while (i < s.size() && Ziffer(s[i])) ++i;
    if (i == 0) return 0;
    while (i + 1 < s.size() && s[i] == '.' && Ziffer(s[i + 1])) {
        ++punkte;
        ++i;
        while (i < s.size() && Ziffer(s[i])) ++i;
    }
    if (punkte == 0) return 0;
    if (i + 1 < s.size() && s[i] == ' ' && Kleinbuchstabe(s[i + 1]) &&
        (i + 2 == s.size() || !Buchstabe(s[i + 2])))
        i += 2;
    return i;
}

bool IstTarifnummer(std::string_view s) { return !s.empty() && TarifnummerLänge(s) == s.size(); }

// The position after "Tarifstelle" in a text ("Tarifstelle 10.2 ; Gebührenstaffel 2" gives 10.2).
std::string TarifAusText(std::string_view text) {
    const std::size_t p = text.find("Tarifstelle");
    if (p == std::string_view::npos) return "";
    std::string_view rest = text.substr(p + 11);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    std::size_t n = TarifnummerLänge(rest);
    if (n == 0) {  // a plain number ("Tarifstelle 8")
        while (n < rest.size() && Ziffer(rest[n])) ++n;
    }
    return std::string(rest.substr(0, n));
}

// A paragraph that holds only values: numbers, prices, units, " x " and the like ("x 0.8 x 170,00 €",
// "25,00 €/m²", "2,5 h", "1.200 x 1,0/10 = 120").
bool IstWert(std::string text) {
    for (std::string_view zeichen : {"\xE2\x82\xAC/m\xC2\xB2", "\xE2\x82\xAC", "m\xC2\xB2", "min.", "%", "=", "/", "[", "]"}) {
        for (std::size_t p; (p = text.find(zeichen)) != std::string::npos;) text.replace(p, zeichen.size(), " ");
    }
    std::size_t i = 0;
    bool etwas = false;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t ende = text.find(' ', i);
        if (ende == std::string::npos) ende = text.size();
        const std::string_view wort(text.data() + i, ende - i);
        bool zahl = false, nurZahl = true;
        for (char c : wort) {
            zahl |= Ziffer(c);
            nurZahl &= Ziffer(c) || c == '.' || c == ',' || c == '-';
        }
        if (!(nurZahl && zahl) && wort != "x" && wort != "h" && wort != "km" && wort != "m") return false;
        etwas = true;
        i = ende;
    }
    return etwas;
}

bool IstÜberschrift(std::string_view absatz) { return absatz == "Umsatzsteuerfreie Auslagen" || absatz == "Auslagen"; }

// A whole number standing alone ("  2") or at the start of a text ("7 in der Örtlichkeit …").
std::optional<std::int64_t> Anzahl(std::string_view text, bool mitText) {
    std::size_t n = 0;
    while (n < text.size() && Ziffer(text[n])) ++n;
    if (n == 0 || n > 9) return std::nullopt;
    std::int64_t wert = 0;
    std::from_chars(text.data(), text.data() + n, wert);
    if (n == text.size()) return wert;
    if (!mitText || text[n] != ' ') return std::nullopt;
    const std::string_view danach = text.substr(n + 1);
    if (danach.empty() || Ziffer(danach[0]) || StartetMit(danach, "x ")) return std::nullopt;
    return wert;
}

struct Menge {
    std::int64_t menge = kZehntausend;
    std::string einheit = "H87";
    bool eigeneZahl = false;  // a count in a cell of its own (the row's text labels it)
};

// The quantity of a priced row from its cells 1 to 4 (each on one line).
Menge MengeLesen(const std::vector<std::string>& zellen, std::int64_t betrag) {
    Menge m;
    // hours and kilometres
    for (std::size_t c = 1; c < zellen.size(); ++c) {
        const std::string& z = zellen[c];
        for (const auto& [endung, einheit] : {std::pair{" h", "HUR"}, std::pair{" km", "KMT"}}) {
            const std::string_view e(endung);
            if (z.size() <= e.size() || z.compare(z.size() - e.size(), e.size(), e) != 0) continue;
            const std::string zahl = z.substr(0, z.size() - e.size());
            if (zahl.empty() || !IstWert(zahl) || zahl.find(' ') != std::string::npos) continue;
            const std::int64_t menge = std::llround(CVal(zahl) * kZehntausend);
            if (menge > 0) return {menge, einheit, false};
        }
    }
    // a count before " x "
    for (std::size_t c = 1; c < zellen.size(); ++c) {
        const std::string& z = zellen[c];
        std::size_t n = 0;
        while (n < z.size() && Ziffer(z[n])) ++n;
        if (n > 0 && n <= 9 && StartetMit(std::string_view(z).substr(n), " x "))
            if (auto a = Anzahl(z.substr(0, n), false); a && *a > 0) return {*a * kZehntausend, "H87", false};
    }
    // a count standing alone, or before a text
    for (std::size_t c = 1; c < zellen.size(); ++c)
        if (auto a = Anzahl(zellen[c], false); a && *a > 0) return {*a * kZehntausend, "H87", true};
    for (const std::string& z : zellen)
        if (auto a = Anzahl(z, true); a && *a > 0) return {*a * kZehntausend, "H87", false};
    // the amount divided by the unit price the row shows
    for (std::size_t c = 2; c < zellen.size(); ++c) {
        const std::string& z = zellen[c];
        if (z.size() <= kEuro.size() || z.compare(z.size() - kEuro.size(), kEuro.size(), kEuro) != 0) continue;
        const std::string zahl = Getrimmt(std::string_view(z).substr(0, z.size() - kEuro.size()));
        if (!IstWert(zahl) || zahl.find(' ') != std::string::npos) continue;
        const std::int64_t preis = Cent(CVal(zahl));
        const std::int64_t absolut = std::llabs(betrag);
        if (preis > 0 && absolut % preis == 0 && absolut / preis >= 1) return {absolut / preis * kZehntausend, "H87", false};
    }
    return m;
}

// What the walk over one table carries from row to row.
struct Tabellenstand {
    long tabelle = 0;
    std::string titel;
    std::string tarifstelle;  // named by a row without an amount above
    std::string kontext;      // the description of the nearest row above without an amount
};

}  // namespace

std::vector<Gebührenposition> PositionenLesen(Prozedur& proc, word::Document& doc, std::int16_t satz, Summen& summen) {
    std::vector<Gebührenposition> positionen;
    Tabellenstand stand;
    BetragszeilenDurchlaufen(proc, doc, [&](long tabelle, const word::Row& zeile, const Betragszelle& zelle) {
        proc([&] { BetragErfassen(summen, zelle, satz); });
        Summen einzeln;
        proc([&] { BetragErfassen(einzeln, zelle, satz); });

        std::vector<std::string> texte(4);
        proc([&] {
            for (long c = 1; c <= 4; ++c) {
                std::string t = zeile.Cell(c).Range().Text();
                texte[static_cast<std::size_t>(c - 1)] = t.size() >= 2 ? t.substr(0, t.size() - 2) : std::string();
            }
        });
        if (tabelle != stand.tabelle) {
            stand = {tabelle, "", "", ""};
            const std::vector<std::string> titel = Absätze(texte[0]);
            if (!titel.empty()) stand.titel = titel.front();
        }

        // The row's own tariff position, its description and whether it heads the expenses.
        const std::string erste = Einzeilig(texte[0]);
        std::string eigene = IstTarifnummer(erste) ? erste : std::string();
        std::string beschreibung;
        bool überschrift = false;
        for (std::size_t c = 0; c < texte.size(); ++c) {
            if (c == 0 && !eigene.empty()) continue;
            for (const std::string& absatz : Absätze(texte[c])) {
                if (IstÜberschrift(absatz)) {
                    überschrift = true;
                    continue;
                }
                if (StartetMit(absatz, "Tarifstelle")) {
                    if (eigene.empty()) eigene = TarifAusText(absatz);
                    continue;
                }
                if (IstWert(absatz)) continue;
                beschreibung += (beschreibung.empty() ? "" : " ") + absatz;
            }
        }
        if (zeile.Index() == 1 && !stand.titel.empty() && StartetMit(beschreibung, stand.titel)) beschreibung.clear();

        if (einzeln.Gesamt == 0) {
            if (!eigene.empty()) stand.tarifstelle = eigene;
            else if (überschrift) stand.tarifstelle.clear();
            if (!beschreibung.empty()) stand.kontext = beschreibung;
            return;
        }

        Gebührenposition p;
        p.betrag = einzeln.Gesamt;
        if (!einzeln.saetze.empty()) p.satz = einzeln.saetze.front().satz;
        std::vector<std::string> zellen;
        for (const std::string& t : texte) zellen.push_back(Einzeilig(t));
        const Menge menge = MengeLesen(zellen, p.betrag);
        p.menge = p.betrag < 0 ? -menge.menge : menge.menge;
        p.einheit = menge.einheit;
        const bool etikett = !beschreibung.empty() && beschreibung.back() == ':' && menge.eigeneZahl;
        while (!beschreibung.empty() && (beschreibung.back() == ':' || beschreibung.back() == ' ')) beschreibung.pop_back();
        if (beschreibung.empty()) beschreibung = stand.kontext;
        else if (etikett && !stand.kontext.empty()) beschreibung = stand.kontext + ", " + beschreibung;
        p.name = stand.titel.empty() ? beschreibung
                 : beschreibung.empty() ? stand.titel
                                        : stand.titel + ": " + beschreibung;
        if (p.name.empty()) p.name = "Position";
        const bool anteil = StartetMit(beschreibung, "Ihr Anteil") || StartetMit(beschreibung, "anteilig");
        p.tarifstelle = !eigene.empty() ? eigene : anteil ? std::string() : stand.tarifstelle;
        if (überschrift) stand.tarifstelle.clear();
        positionen.push_back(std::move(p));
    });
    return positionen;
}

}  // namespace vk::erechnung
