// CVal on any text: never throws, never returns a non-finite number.
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/funktionen.h"
#include "fuzzhilfe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vkfuzz::OhneProtokoll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    const double wert = vk::CVal(text);
    if (!std::isfinite(wert)) std::abort();
    return 0;
}
