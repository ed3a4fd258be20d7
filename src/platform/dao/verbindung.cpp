#include "platform/dao/verbindung.h"

#include <cmath>
#include <cstdio>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "platform/dao/daofehler.h"

namespace vk::dao::detail {

void Verbindung::Pruefen() const {
    if (!Offen())
        throw LaufzeitFehler(fehlernummer::ObjektUngueltig, "Die Datenbank '" + Name() + "' ist geschlossen.");
}

std::string DatumText(Datum d) {
    std::string text = DatumIso(d);
    double bruch = d.wert - std::floor(d.wert);
    long sekunden = std::lround(bruch * 86400.0) % 86400;
    if (sekunden == 0) return text;
    char zeit[16];
    std::snprintf(zeit, sizeof zeit, " %02ld:%02ld:%02ld", sekunden / 3600, (sekunden / 60) % 60, sekunden % 60);
    return text + zeit;
}

}  // namespace vk::dao::detail
