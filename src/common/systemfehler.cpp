#include "common/systemfehler.h"

#include <cerrno>
#include <cstring>

namespace vk {

std::string Systemfehlertext(int fehlernummer) {
    switch (fehlernummer) {
        case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
        case EACCES:
        case EPERM: return "Zugriff verweigert";
        case EROFS: return "Dateisystem nur lesbar";
        case ENOSPC: return "Kein Speicherplatz mehr auf dem Gerät";
        case EDQUOT: return "Speicherkontingent überschritten";
        case EISDIR: return "Ist ein Verzeichnis";
        case ENOTDIR: return "Ist kein Verzeichnis";
        case EEXIST: return "Die Datei existiert bereits";
        case EBUSY: return "Gerät oder Ressource belegt";
        case ETXTBSY: return "Datei wird gerade benutzt";
        case EIO: return "Ein-/Ausgabefehler";
        case ENAMETOOLONG: return "Dateiname zu lang";
        case ELOOP: return "Zu viele Ebenen symbolischer Verknüpfungen";
        case EXDEV: return "Ungültige Verknüpfung über Gerätegrenzen hinweg";
        case EMFILE:
        case ENFILE: return "Zu viele offene Dateien";
        case EFBIG: return "Datei zu groß";
        default: return std::strerror(fehlernummer);
    }
}

std::string Systemfehlertext(const std::error_code& ec) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return Systemfehlertext(ec.value());
    return ec.message();
}

}  // namespace vk
