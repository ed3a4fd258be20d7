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

const std::string& Optionen::Wert() {
    // the option's name, taken before moving on to its value
    const std::string& name = Name();
    if (i_ + 1 >= args_.size()) throw Aufruffehler{befehl_ + ": " + name + " needs a value"};
    return args_[++i_];
}

long Optionen::Zahl() {
    const std::string& name = Name();  // before Wert() moves on to the value
    return GanzeZahl(befehl_, name, Wert());
}

void Optionen::Unbekannt() const { throw Aufruffehler{befehl_ + ": unknown option '" + Name() + "'"}; }

}  // namespace vkcli
