// Regional number parsing (RegionalLesen, IstNumerisch, Val): finite results, and a number read
// from a text reads back from its own regional text form.
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "fuzzhilfe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vkfuzz::OhneProtokoll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    const auto zahl = vk::RegionalLesen(text);
    if (zahl.has_value() != vk::IstNumerisch(text)) std::abort();
    if (zahl) {
        if (!std::isfinite(*zahl)) std::abort();
        // The shortest regional text of the number must itself be a number.
        if (!vk::RegionalLesen(vk::CStr(*zahl))) std::abort();
    }
    try {
        // Val raises overflow (6) for a leading number beyond the double range, as documented.
        if (!std::isfinite(vk::Val(text))) std::abort();
    } catch (const vk::LaufzeitFehler& f) {
        if (f.Nummer() != vk::fehlernummer::Ueberlauf) std::abort();
    }
    try {
        (void)vk::CDbl(vk::Variant(text));
    } catch (const vk::LaufzeitFehler&) {
        // type mismatch for a non-number: expected
    }
    return 0;
}
