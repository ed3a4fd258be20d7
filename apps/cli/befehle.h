// The sub-commands of the `vk` command line. Each returns the process exit status
// (0 success, 2 bad arguments or unusable files) and prints its own one-line error.
#pragma once

#include <iosfwd>
#include <string>

namespace vk::word { class Document; }
#include <vector>

namespace vkcli {

using Argumente = std::vector<std::string>;

// Thrown for bad arguments; main prints "vk: <message>" and exits with 2.
struct Aufruffehler {
    std::string meldung;
};

int BefehlScale(const Argumente& args);
int BefehlTables(const Argumente& args);
int BefehlDemo(const Argumente& args);
int BefehlApply(const Argumente& args);
int BefehlCheck(const Argumente& args);

// The whole number an option's value must be; an Aufruffehler naming the command and option else.
long GanzeZahl(const std::string& befehl, const std::string& option, const std::string& text);

// A text as a JSON string literal (quotes, backslashes and control characters escaped).
std::string Json(const std::string& text);

// Prints every table of the document (cell texts and the comments in each cell).
void TabellenAusgeben(vk::word::Document& doc, bool json, std::ostream& out);

}  // namespace vkcli
