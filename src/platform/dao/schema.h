// The host schema (sql/schema.sql) and new office databases made from it.
#pragma once

#include <filesystem>
#include <string>

namespace vk::dao {

// The schema file the library was built with.
std::filesystem::path SchemaDatei();
// Its text; a missing file gives 53 naming it.
std::string SchemaText(const std::filesystem::path& datei = SchemaDatei());

// Creates the host tables (empty) in a new database: a new file, or, for a postgresql:// address,
// the server database it names, which must exist and hold none of the tables yet. An existing file
// or table is never touched (58); on failure no file and no table is left behind.
void DatenbankAnlegen(const std::string& name, const std::filesystem::path& schema = SchemaDatei());

}  // namespace vk::dao
