// Icons: the button images of the image list "ImageListButton" and the window icon resource.
// The headless default hands out named resources; a GUI host maps the names to real images.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vk::ui {

// A picture as a reference a GUI host resolves, e.g. "ImageListButton/OK" or "Symbol/9".
struct Bild {
    std::string quelle;
    bool Leer() const noexcept { return quelle.empty(); }
    bool operator==(const Bild&) const = default;
};

class Symboldienst {
public:
    virtual ~Symboldienst() = default;
    // The image of an image list by key; an unknown list or key is a run-time error 35601.
    virtual Bild ListenBild(std::string_view liste, std::string_view schlüssel) = 0;
    // The component's icon resource with this number (9: the dialogs' window icon).
    virtual Bild Ressource(int nummer) = 0;
};

// Headless default: the list "ImageListButton" with the keys "OK", "Abbruch", "Dokument", "Löschen",
// and every resource number, as named resources.
class StandardSymbole : public Symboldienst {
public:
    Bild ListenBild(std::string_view liste, std::string_view schlüssel) override;
    Bild Ressource(int nummer) override;
};

inline constexpr int FensterSymbolRessource = 9;

Symboldienst& Symbole();
void SymboldienstSetzen(std::shared_ptr<Symboldienst> dienst);  // nullptr restores the default

}  // namespace vk::ui
