// The sub-commands of the `vk` command line. Each returns the process exit status
// (0 success, 2 bad arguments or unusable files) and prints its own one-line error.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <utility>

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
int BefehlEinvoice(const Argumente& args);
int BefehlPdf(const Argumente& args);

// A whole number of the 32 bits an id column holds; an Aufruffehler naming the option otherwise.
std::int32_t GanzeZahl(const std::string& befehl, const std::string& option, const std::string& text);

// Walks a sub-command's options one by one; each error names the command.
//   for (Optionen o(args, "check"); o.Weiter();) { if (o.Name() == "--db") db = o.Wert(); ... else o.Unbekannt(); }
class Optionen {
public:
    Optionen(const Argumente& args, std::string befehl) : args_(args), befehl_(std::move(befehl)) {}
    bool Weiter() { return ++i_ < args_.size(); }  // to the next option; false after the last
    const std::string& Name() const { return args_[i_]; }
    const std::string& Wert();  // the option's value (the next argument); an Aufruffehler when missing
    std::int32_t Zahl();  // the value as a whole number; an Aufruffehler naming the option else
    [[noreturn]] void Unbekannt() const;

private:
    const Argumente& args_;
    std::string befehl_;
    std::size_t i_ = static_cast<std::size_t>(-1);
};

// A text as a JSON string literal (quotes, backslashes and control characters escaped).
std::string Json(const std::string& text);

// Prints every table of the document (cell texts and the comments in each cell).
void TabellenAusgeben(vk::word::Document& doc, bool json, std::ostream& out);

}  // namespace vkcli
