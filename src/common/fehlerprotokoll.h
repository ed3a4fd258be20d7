// The error log "Verw.log" and the record of the last logged error (what a host sees of them is
// declared in the public interface).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/fehler.h"
#include "vk_lp_08/fehlerprotokoll.h"

namespace vk {

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

// Forgets the last logged error (tests, and a host that starts over).
void LetztenFehlerZuruecksetzen();

// The clock used for log entries and "today"; replaceable for tests (empty restores the system clock).
using Uhr = std::function<std::chrono::system_clock::time_point()>;
void UhrSetzen(Uhr uhr);
std::chrono::system_clock::time_point Jetzt();

}  // namespace vk
