// The benchmarks: each document operation on the generated invoices of 10, 100 and 1000 tables.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vkbench {

// The table counts every operation is measured at.
inline const std::vector<int> kGroessen{10, 100, 1000};

// The operations in the order they are reported: benchmark name and the label of the report.
struct Operation {
    const char* name;
    const char* bezeichnung;
};
extern const std::vector<Operation> kOperationen;

// Registers every benchmark over the invoices in the folder (written by RechnungAnlegen).
void MessungenRegistrieren(const std::filesystem::path& ordner);

// One whole confirmation of the category under test on the invoice, then saved: for the peak-memory
// figure in a process of its own. Returns the error text, empty when all went well.
std::string EineBestaetigung(const std::filesystem::path& dokument, const std::filesystem::path& datenbank);

}  // namespace vkbench
