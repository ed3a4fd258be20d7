// What the sub-commands share in reading their arguments.
#include <string>

#include "befehle.h"

namespace vkcli {

long GanzeZahl(const std::string& befehl, const std::string& option, const std::string& text) {
    try {
        std::size_t n = 0;
        const long wert = std::stol(text, &n);
        if (n == text.size()) return wert;
    } catch (...) {
    }
    throw Aufruffehler{befehl + ": " + option + " needs a whole number, got '" + text + "'"};
}

}  // namespace vkcli
