// The operating system's reason for a failed file operation, in German: strerror follows the C
// library's message catalogue, which speaks English on most installations whatever the locale.
#pragma once

#include <string>
#include <system_error>

namespace vk {

// "Datei oder Verzeichnis nicht gefunden" for ENOENT; for a number without a German text the C
// library's own text.
std::string Systemfehlertext(int fehlernummer);
// The same for an error code of the standard library (std::filesystem).
std::string Systemfehlertext(const std::error_code& ec);

}  // namespace vk
