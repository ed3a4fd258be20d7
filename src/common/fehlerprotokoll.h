// The error log "Verw.log" and the record of the last logged error.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/fehler.h"

namespace vk {

// What this process has logged so far: how many entries, and the last one as a person reads it
// ("Überlauf (GebührenTabelle.SummeBilden)"). A caller that runs a whole procedure compares the
// count before and after to learn whether a statement failed somewhere inside, since the
// procedure itself goes on.
struct Protokollstand {
    std::uint64_t anzahl = 0;
    std::string letzter;
};
Protokollstand Protokolliert();

// The last logged error, in the field order of the component's type library.
struct VK_Error {
    std::string Funktionsname;  // module name followed directly by procedure name
    std::string strFehler;      // description
    std::string strModul;
    std::string strFunktion;
    std::string strNr;          // error number as text
    std::int32_t Hinweis = 0;   // line reference
};

// Appends one entry for the error to the log and remembers it as the last error when its
// module/procedure key differs from the stored one. Never throws; an unwritable log is skipped, and
// so is a log that is a symbolic link or no regular file. Past 1 MB the log becomes Verw.log.1 and
// a new one starts. Control characters of the values (a line break in a file name) are written as
// escapes ("\n").
void FehlerProtokollieren(std::string_view modul, std::string_view prozedur, const LaufzeitFehler& fehler,
                          std::int32_t zeile = 0) noexcept;

// The entry text exactly as written (CR LF line ends, closing line break and empty line).
std::string ProtokollEintrag(std::string_view modul, std::string_view prozedur, const LaufzeitFehler& fehler,
                             std::int32_t zeile, std::chrono::system_clock::time_point zeitpunkt);

// Where the log lives: $VK_LOG_DIR/Verw.log, else $XDG_STATE_HOME/KalVerwaltung/Verw.log,
// else ~/.local/state/KalVerwaltung/Verw.log.
std::filesystem::path ProtokollPfad();

// The last error recorded by FehlerProtokollieren (internal; the host never sees it).
const VK_Error& LetzterFehler();
void LetztenFehlerZuruecksetzen();

// The clock used for log entries and "today"; replaceable for tests (empty restores the system clock).
using Uhr = std::function<std::chrono::system_clock::time_point()>;
void UhrSetzen(Uhr uhr);
std::chrono::system_clock::time_point Jetzt();

}  // namespace vk
