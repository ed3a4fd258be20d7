// The host schema (sql/schema.sql) and new office databases made from it.
#pragma once

#include <filesystem>
#include <string>

namespace vk::dao {

// The schema file the library was built with.
std::filesystem::path SchemaDatei();
// Its text; a missing file gives 53 naming it.
std::string SchemaText(const std::filesystem::path& datei = SchemaDatei());

// Creates a new database file holding the host tables (empty). An existing file is never
// touched (58); on failure no file is left behind.
void DatenbankAnlegen(const std::filesystem::path& datei, const std::filesystem::path& schema = SchemaDatei());

}  // namespace vk::dao
