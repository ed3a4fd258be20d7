// Running the command line in tests: `vk` with its arguments, and a demo office with an invoice
// copied from its template for `vk apply` (the invoice as LibreOffice prints it: druck.h).
#pragma once

#include <filesystem>
#include <string>

#include "../dao/testdatenbank.h"
#include "druck.h"

namespace vktest {

struct Lauf {
    int status = -1;
    std::string ausgabe;  // standard output and error
};

inline Lauf Vk(const std::string& argumente) {
    Lauf l;
    l.ausgabe = Ausfuehren(std::string(VK_CLI_BINARY) + " " + argumente + " 2>&1", &l.status);
    return l;
}

// `vk demo` into `ordner` and the invoice `datei` copied from its template: the start of a `vk apply`
// on that invoice (append "--category K" and the rest), empty when the demo failed.
inline std::string ApplyAuf(const TempOrdner& ordner, const std::string& datei) {
    if (!std::filesystem::exists(ordner / "Vorlage.docx") && Vk("demo " + Zitiert(ordner.Pfad().string())).status != 0)
        return {};
    std::filesystem::copy_file(ordner / "Vorlage.docx", ordner / datei);
    return "apply --db " + Zitiert((ordner / "buero.sqlite").string()) + " --user 1 --invoice 1 --doc " +
           Zitiert((ordner / datei).string()) + " ";
}

}  // namespace vktest
