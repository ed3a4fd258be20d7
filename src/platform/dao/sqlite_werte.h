// Values between SQLite and Variant: NULL is Null, integers Long (Double beyond 32 bits), reals
// Double, text String; text in a column declared as a date reads as a date. Dates are written as
// ISO-8601 text, booleans as -1 / 0. The SQLite backend's own part of the database layer.
#pragma once

#include <string_view>

#include "common/variant.h"

struct sqlite3_stmt;

namespace vk::dao::detail {

// Column i of the current row; deklTyp is the column's declared type ("" when unknown).
Variant SpaltenWert(sqlite3_stmt* stmt, int i, std::string_view deklTyp);

// Binds the value to placeholder index (1-based). Empty binds NULL; objects raise 13.
void WertBinden(sqlite3_stmt* stmt, int index, const Variant& wert);

}  // namespace vk::dao::detail
