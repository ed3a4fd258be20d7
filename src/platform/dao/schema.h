// The host schema (sql/schema.sql, built into the library) and new office databases made from it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vk::dao {

// The schema the library was built with.
std::string_view SchemaText();
// The text of another schema file; a missing file gives 53 naming it.
std::string SchemaText(const std::filesystem::path& datei);

// Creates the host tables (empty) in a new database: a new file, or, for a postgresql:// address,
// the server database it names, which must exist and hold none of the tables yet. An existing file
// or table is never touched (58); on failure no file and no table is left behind. Without a schema
// file the built-in schema is used.
void DatenbankAnlegen(const std::string& name);
void DatenbankAnlegen(const std::string& name, const std::filesystem::path& schema);

}  // namespace vk::dao
