// Generated invoices for the benchmarks and the peer comparison: an office database with one
// invoice and invoice documents with a given number of fee tables, and the invoice context set up
// the way a host sets it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/dao/database.h"
#include "platform/word/document.h"

namespace vkbench {

// The fee table that the category under test (boundary certificates) writes and finds.
inline constexpr const char* kSchluesselKategorie = "VK_LP_02_5";

// DIR/buero.sqlite: host tables, user 1 with VAT and payment target, invoice 1.
std::filesystem::path BueroAnlegen(const std::filesystem::path& ordner);

// DIR/Rechnung_<n>.docx: a letter with the template's tags and n fee tables of 4 x 5 cells with
// their totals; table n/2 + 1 belongs to the category under test, the others to other categories.
std::filesystem::path RechnungAnlegen(const std::filesystem::path& ordner, int tabellen);

// DIR/Echt_<n>.docx: the template after n confirmed dialogs, the six categories in turn, each a new
// table with inputs that differ from table to table (what `vk check` proves), and DIR/Echt_<n>.sqlite,
// the office database whose invoice 1 holds its totals.
std::filesystem::path EchteRechnungAnlegen(const std::filesystem::path& ordner, int tabellen);

// Writes a 4 x 5 fee table with the key where a category writes a new one (before "kalStart").
vk::word::Table KategorietabelleSchreiben(const std::string& schluessel, double betrag);

// The component's context pointing at the document and the database, as the host sets it through
// VK's properties; the invoice record of invoice 1 as Show receives it.
struct Sitzung {
    std::shared_ptr<vk::word::Document> doc;
    std::shared_ptr<vk::dao::Database> db;
    std::shared_ptr<vk::dao::Recordset> rechnung;
};
Sitzung SitzungOeffnen(const std::filesystem::path& dokument, const std::filesystem::path& datenbank);

}  // namespace vkbench
