#include "platform/controls/ziel.h"

#include <charconv>

#include "common/fehler.h"

namespace vk::ui {

namespace {

std::string_view Getrimmt(std::string_view s) {
    const auto von = s.find_first_not_of(" \t");
    if (von == std::string_view::npos) return {};
    const auto bis = s.find_last_not_of(" \t");
    return s.substr(von, bis - von + 1);
}

[[noreturn]] void Ungültig(std::string_view text, const char* warum) {
    throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                         "unzulässiger Name eines Steuerelements '" + std::string(text) + "': " + warum);
}

int ZahlLesen(std::string_view text, std::string_view teil) {
    teil = Getrimmt(teil);
    int wert = 0;
    const auto [ende, fehler] = std::from_chars(teil.data(), teil.data() + teil.size(), wert);
    if (teil.empty() || fehler != std::errc() || ende != teil.data() + teil.size())
        Ungültig(text, "ein Index ist eine ganze Zahl");
    return wert;
}

}  // namespace

std::string Ziel::Text() const {
    std::string s = name;
    for (std::size_t i = 0; i < indizes.size(); ++i) s += (i == 0 ? "(" : ",") + std::to_string(indizes[i]);
    if (!indizes.empty()) s += ")";
    return s;
}

Ziel ZielLesen(std::string_view text) {
    const std::string_view t = Getrimmt(text);
    Ziel ziel;
    const auto klammer = t.find('(');
    ziel.name = std::string(Getrimmt(t.substr(0, klammer)));
    if (ziel.name.empty()) Ungültig(text, "der Name fehlt");
    if (ziel.name.find_first_of("()=, \t") != std::string::npos) Ungültig(text, "unerwartetes Zeichen im Namen");
    if (klammer == std::string_view::npos) return ziel;
    if (t.back() != ')') Ungültig(text, "')' fehlt");
    std::string_view innen = t.substr(klammer + 1, t.size() - klammer - 2);
    for (;;) {
        const auto komma = innen.find(',');
        ziel.indizes.push_back(ZahlLesen(text, innen.substr(0, komma)));
        if (komma == std::string_view::npos) break;
        innen.remove_prefix(komma + 1);
    }
    if (ziel.indizes.size() > 2) Ungültig(text, "höchstens zwei Indizes (Zeile, Spalte)");
    return ziel;
}

std::pair<Ziel, std::string> AnweisungLesen(std::string_view anweisung) {
    const auto gleich = anweisung.find('=');
    if (gleich == std::string_view::npos)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                             "erwartet NAME=WERT, nicht '" + std::string(anweisung) + "'");
    return {ZielLesen(anweisung.substr(0, gleich)), std::string(anweisung.substr(gleich + 1))};
}

}  // namespace vk::ui
