// The component's error log as a host sees it. The component's own steps (a dialog's event, the
// totals) never throw: a failing statement is logged to "Verw.log" and the step goes on without it.
// A host learns of such errors here: the last one logged, and how many there were.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "vk_lp_08/export.h"

namespace vk {

// What this process has logged so far: how many entries, and the last one as a person reads it
// ("Überlauf (GebührenTabelle.SummeBilden)"). A caller that runs a whole procedure compares the
// count before and after to learn whether a statement failed somewhere inside, since the
// procedure itself goes on.
struct Protokollstand {
    std::uint64_t anzahl = 0;
    std::string letzter;
};
VK_API Protokollstand Protokolliert();

// The last logged error, in the field order of the component's type library.
struct VK_Error {
    std::string Funktionsname;  // module name followed directly by procedure name
    std::string strFehler;      // description
    std::string strModul;
    std::string strFunktion;
    std::string strNr;          // error number as text
    std::int32_t Hinweis = 0;   // line reference
};

// A copy of the last logged error, taken under the log's lock (another thread may be logging).
VK_API VK_Error LetzterFehler();

// Where the log lives: $VK_LOG_DIR/Verw.log, else $XDG_STATE_HOME/KalVerwaltung/Verw.log,
// else ~/.local/state/KalVerwaltung/Verw.log.
VK_API std::filesystem::path ProtokollPfad();

}  // namespace vk
