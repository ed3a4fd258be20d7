// A small office database for trying the component out: one user's job defaults (19 % VAT, full
// advance base, no discount, payment target on), invoice 1 of job 1 with its date, and the payment-target
// text. The demo and the benchmarks start from it.
#pragma once

#include <filesystem>

namespace vk {

// Creates the database file (it must not exist yet) with the schema and the sample rows.
void BeispielDatenbankAnlegen(const std::filesystem::path& datei);

}  // namespace vk
