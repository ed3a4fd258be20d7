// What the sub-commands share in reading their arguments.
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "befehle.h"

namespace vkcli {

std::int32_t GanzeZahl(const std::string& befehl, const std::string& option, const std::string& text) {
    std::string_view zahl = text;
    if (!zahl.empty() && zahl.front() == '+') zahl.remove_prefix(1);
    std::int64_t wert = 0;
    const auto [ende, fehler] = std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert);
    const bool ganz = ende == zahl.data() + zahl.size() && !zahl.empty();
    if (ganz && fehler == std::errc() && wert >= std::numeric_limits<std::int32_t>::min() &&
        wert <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(wert);
    // An id beyond 32 bits must never wrap round to another record (4294967297 is not invoice 1).
    if (ganz && (fehler == std::errc() || fehler == std::errc::result_out_of_range))
        throw Aufruffehler{befehl + ": " + option + " liegt außerhalb von -2147483648 bis 2147483647: '" + text + "'"};
    throw Aufruffehler{befehl + ": " + option + " braucht eine ganze Zahl, nicht '" + text + "'"};
}

const std::string& Optionen::Wert() {
    // the option's name, taken before moving on to its value
    const std::string& name = Name();
    if (i_ + 1 >= args_.size()) throw Aufruffehler{befehl_ + ": " + name + " braucht einen Wert"};
    return args_[++i_];
}

std::int32_t Optionen::Zahl() {
    const std::string& name = Name();  // before Wert() moves on to the value
    return GanzeZahl(befehl_, name, Wert());
}

void Optionen::Unbekannt() const { throw Aufruffehler{befehl_ + ": unbekannte Option '" + Name() + "'"}; }

}  // namespace vkcli
