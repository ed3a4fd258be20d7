// WertFormatieren on any text and width: never throws, and the result is at least as wide as asked.
#include <cstdlib>
#include <string>

#include "common/funktionen.h"
#include "fuzzhilfe.h"

namespace {

std::size_t Zeichen(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vkfuzz::OhneProtokoll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    vkfuzz::Eingabe eingabe(daten, groesse);
    const int breite = eingabe.Zahl(0, 40);
    const int nachkomma = eingabe.Zahl(0, 4);
    const std::string text(eingabe.Rest());
    const std::string aus = vk::WertFormatieren(text, breite, nachkomma);
    if (Zeichen(aus) < static_cast<std::size_t>(breite)) std::abort();
    (void)vk::WertFormatieren(vk::CVal(text), breite, nachkomma);
    return 0;
}
