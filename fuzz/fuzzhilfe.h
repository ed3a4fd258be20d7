// What every fuzz target shares: no error log on disk, and a reader over the fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vkfuzz {

// Points the error log at a place that cannot be created, so logged errors cost no disk.
void OhneProtokoll();

// Takes small parameters off the front of the input; the rest is the text under test.
class Eingabe {
public:
    Eingabe(const std::uint8_t* daten, std::size_t groesse)
        : rest_(reinterpret_cast<const char*>(daten), groesse) {}

    // A number in [von, bis] from the next byte (von when the input is used up).
    int Zahl(int von, int bis);
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace vkfuzz
