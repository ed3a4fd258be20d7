#include "component/rechnungskontext.h"

namespace vk {

Rechnungskontext& Kontext() {
    static Rechnungskontext kontext;
    return kontext;
}

void KontextZuruecksetzen() { Kontext() = Rechnungskontext{}; }

}  // namespace vk
