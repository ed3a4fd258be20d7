// Running the command line in tests: a demo office with one invoice copied from its template and
// `vk apply` on that invoice (the invoice as LibreOffice prints it: druck.h).
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>

#include "../dao/testdatenbank.h"
#include "druck.h"

namespace vktest {

struct Lauf {
    int status = -1;
    std::string ausgabe;  // standard output and error
};

inline Lauf Ausführen(const std::string& befehl) {
    Lauf l;
    FILE* p = ::popen((befehl + " 2>&1").c_str(), "r");
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) l.ausgabe.append(puffer.data(), n);
    const int rc = ::pclose(p);
    l.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return l;
}

// `vk demo` into `ordner` and the invoice `datei` copied from its template; the start of a `vk apply`
// command on that invoice and `kategorie`, empty when the demo failed.
inline std::string ApplyAuf(const TempOrdner& ordner, const std::string& datei, int kategorie) {
    const std::string vk = VK_CLI_BINARY;
    if (Ausführen(vk + " demo '" + ordner.Pfad().string() + "'").status != 0) return {};
    std::filesystem::copy_file(ordner / "Vorlage.docx", ordner / datei);
    return vk + " apply --db '" + (ordner / "buero.sqlite").string() + "' --user 1 --invoice 1 --doc '" +
           (ordner / datei).string() + "' --category " + std::to_string(kategorie) + " ";
}

// The line of a text that contains every one of the parts, empty when there is none.
inline std::string ZeileMit(const std::string& text, std::initializer_list<const char*> teile) {
    std::istringstream in(text);
    for (std::string zeile; std::getline(in, zeile);) {
        bool alle = true;
        for (const char* t : teile) alle = alle && zeile.find(t) != std::string::npos;
        if (alle) return zeile;
    }
    return {};
}

}  // namespace vktest
