#include "component/rechnungskontext.h"

namespace vk {

Rechnungskontext& Kontext() {
    static Rechnungskontext kontext;
    return kontext;
}

void KontextZuruecksetzen() { Kontext() = Rechnungskontext{}; }

bool BenutzerVorhanden(dao::Database& db, std::int32_t benutzer) {
    // read-only, so the recordset need not look up the table's key
    return !db.OpenRecordset("SELECT ID_Benutzer FROM TempDoc WHERE ID_Benutzer = ?", {Variant(benutzer)},
                             dao::dbOpenForwardOnly)
                ->EOF();
}

}  // namespace vk
