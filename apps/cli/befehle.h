// The sub-commands of the `vk` command line. Each returns the process exit status
// (0 success, 2 bad arguments or unusable files) and prints its own one-line error.
#pragma once

#include <string>
#include <vector>

namespace vkcli {

using Argumente = std::vector<std::string>;

// Thrown for bad arguments; main prints "vk: <message>" and exits with 2.
struct Aufruffehler {
    std::string meldung;
};

int BefehlScale(const Argumente& args);

}  // namespace vkcli
