// The process locale of a test program, taken from the environment as a host takes it (Qt does so
// at start): the suite runs once under LC_ALL=C and once under LC_ALL=de_DE.UTF-8, and every number
// must be read and written alike under both.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <stdexcept>

// False (with a message) when the environment names a locale this machine does not have: a run
// that silently fell back to "C" would prove nothing.
inline bool GebietsschemaAusUmgebung() {
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        const char* name = std::getenv("LC_ALL");
        std::fprintf(stderr, "The locale '%s' is not installed (./run makes de_DE.UTF-8 with localedef).\n",
                     name ? name : "");
        return false;
    }
    return std::setlocale(LC_ALL, "") != nullptr;
}
