#include "component/dialogregister.h"

#include <array>
#include <string>

#include "common/fehler.h"

namespace vk {
namespace {

// Function-local, so dialogs may register from their static initialisers in any order.
std::array<DialogOeffner, kDialogAnzahl>& Oeffner() {
    static std::array<DialogOeffner, kDialogAnzahl> oeffner;
    return oeffner;
}

bool Gueltig(int index) { return index >= 0 && index < kDialogAnzahl; }

}  // namespace

DialogOeffner DialogRegistrieren(int index, DialogOeffner oeffnen) {
    if (!Gueltig(index))
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Es gibt keine Gebührenkategorie " + std::to_string(index) + ".");
    DialogOeffner vorher = std::move(Oeffner()[static_cast<std::size_t>(index)]);
    Oeffner()[static_cast<std::size_t>(index)] = std::move(oeffnen);
    return vorher;
}

bool DialogOeffnen(int index) {
    if (!Gueltig(index)) return false;
    // A copy: the opener may register again while it runs.
    DialogOeffner oeffnen = Oeffner()[static_cast<std::size_t>(index)];
    if (!oeffnen) return false;
    oeffnen();
    return true;
}

}  // namespace vk
