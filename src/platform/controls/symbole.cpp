#include "platform/controls/symbole.h"

#include <array>

#include "common/fehler.h"

namespace vk::ui {

namespace {

constexpr std::array<std::string_view, 4> kKnopfbilder = {"OK", "Abbruch", "Dokument", "Löschen"};

std::shared_ptr<Symboldienst>& Aktuell() {
    static std::shared_ptr<Symboldienst> dienst = std::make_shared<StandardSymbole>();
    return dienst;
}

}  // namespace

Bild StandardSymbole::ListenBild(std::string_view liste, std::string_view schlüssel) {
    if (liste == "ImageListButton")
        for (std::string_view k : kKnopfbilder)
            if (k == schlüssel) return Bild{std::string(liste) + "/" + std::string(schlüssel)};
    throw LaufzeitFehler(35601, "Element nicht gefunden: Bild '" + std::string(schlüssel) + "' in der Bildliste '" +
                                    std::string(liste) + "'");
}

Bild StandardSymbole::Ressource(int nummer) { return Bild{"Symbol/" + std::to_string(nummer)}; }

Symboldienst& Symbole() { return *Aktuell(); }

void SymboldienstSetzen(std::shared_ptr<Symboldienst> dienst) {
    Aktuell() = dienst ? std::move(dienst) : std::make_shared<StandardSymbole>();
}

}  // namespace vk::ui
