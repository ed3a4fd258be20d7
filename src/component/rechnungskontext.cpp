#include "component/rechnungskontext.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace vk {

namespace {

// The thread that uses the context: the first to ask for it, again any after it was reset.
std::atomic<std::thread::id>& Nutzer() {
    static std::atomic<std::thread::id> nutzer{};
    return nutzer;
}

[[maybe_unused]] void NutzerPrüfen() {
    std::thread::id bisher{};
    if (Nutzer().compare_exchange_strong(bisher, std::this_thread::get_id()) || bisher == std::this_thread::get_id())
        return;
    std::fputs("vk_lp_08: der Rechnungskontext wird von einem zweiten Thread benutzt (immer nur einer: erst "
               "KontextZurücksetzen, dann darf ein anderer Thread ihn nehmen)\n",
               stderr);
    std::abort();
}

}  // namespace

Rechnungskontext& Kontext() {
    static Rechnungskontext kontext;
#ifndef NDEBUG
    NutzerPrüfen();
#endif
    return kontext;
}

void KontextZuruecksetzen() {
    Kontext() = Rechnungskontext{};
    Nutzer() = std::thread::id{};
}

bool BenutzerVorhanden(dao::Database& db, std::int32_t benutzer) {
    // read-only, so the recordset need not look up the table's key
    return !db.OpenRecordset("SELECT ID_Benutzer FROM TempDoc WHERE ID_Benutzer = ?", {Variant(benutzer)},
                             dao::dbOpenForwardOnly)
                ->EOF();
}

}  // namespace vk
