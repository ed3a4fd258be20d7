// Test helpers: an office database made from the host schema, and direct SQLite access that does
// not go through the layer under test (the temporary folder: datei_hilfe.h).
#pragma once

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "common/datei_hilfe.h"   // TempOrdner
#include "common/fehler_hilfe.h"  // FehlerVon
#include "platform/dao/schema.h"

namespace vktest {

// A raw connection for arranging data and checking what is stored.
class Roh {
public:
    explicit Roh(const std::filesystem::path& datei) {
        if (sqlite3_open_v2(datei.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + datei.string());
    }
    ~Roh() { sqlite3_close_v2(db_); }
    Roh(const Roh&) = delete;
    Roh& operator=(const Roh&) = delete;

    void Sql(const std::string& sql) {
        char* fehler = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &fehler) != SQLITE_OK) {
            std::string text = fehler ? fehler : "?";
            sqlite3_free(fehler);
            throw std::runtime_error(text + " in: " + sql);
        }
    }
    // The first column of the first row as text ("NULL" for NULL, "-" for no row).
    std::string Text(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        std::string ergebnis = "-";
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            auto* t = sqlite3_column_text(stmt, 0);
            ergebnis = t ? reinterpret_cast<const char*>(t) : "NULL";
        }
        sqlite3_finalize(stmt);
        return ergebnis;
    }

private:
    sqlite3* db_ = nullptr;
};

// A new office database with the host tables in the folder.
inline std::filesystem::path NeueDatenbank(const TempOrdner& ordner, const std::string& name = "buero.sqlite") {
    auto datei = ordner / name;
    vk::dao::DatenbankAnlegen(datei);
    return datei;
}

}  // namespace vktest
