#include "component/rechnungskontext.h"

namespace vk {

Rechnungskontext& Kontext() {
    static Rechnungskontext kontext;
    return kontext;
}

void KontextZuruecksetzen() { Kontext() = Rechnungskontext{}; }

bool BenutzerVorhanden(dao::Database& db, std::int32_t benutzer) {
    return !db.OpenRecordset("SELECT * FROM TempDoc WHERE ID_Benutzer = ?", {Variant(benutzer)})->EOF();
}

}  // namespace vk
