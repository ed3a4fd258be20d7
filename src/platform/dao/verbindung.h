// The SQLite side of the database layer: one shared connection, a prepared statement, and SQLite
// result codes turned into run-time errors that name what failed. Used by Database and Recordset.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/fehler.h"
#include "common/variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vk::dao::detail {

// The error for an SQLite result code: number of the database layer and a clear description.
LaufzeitFehler SqliteFehler(int rc, std::string_view meldung, std::string_view datenbank);

// An open connection, shared by the database and every recordset opened on it. Closing it makes
// every later use fail with 3420.
class Verbindung {
public:
    Verbindung(sqlite3* db, std::string name) noexcept : db_(db), name_(std::move(name)) {}
    ~Verbindung();
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;

    // The handle; raises 3420 when the connection is closed.
    sqlite3* Handle() const;
    bool Offen() const noexcept { return db_ != nullptr; }
    void Schliessen() noexcept;
    const std::string& Name() const noexcept { return name_; }

    // The error for rc with this connection's message and name.
    LaufzeitFehler Fehler(int rc) const;
    // Runs a statement without parameters or result (transaction control).
    void Ausfuehren(const char* sql);

private:
    sqlite3* db_;
    std::string name_;
};

// One prepared statement. The text must hold exactly one statement: anything after it other than
// blanks, semicolons and comments is refused (3142), so no second statement can ride along.
class Anweisung {
public:
    Anweisung(Verbindung& verbindung, std::string_view sql);
    ~Anweisung();
    Anweisung(const Anweisung&) = delete;
    Anweisung& operator=(const Anweisung&) = delete;

    sqlite3_stmt* Handle() const noexcept { return stmt_; }
    // Binds the values to the placeholders in order; their number must match (3061).
    void Binden(const std::vector<Variant>& parameter);
    // One step: true when a row is ready, false when the statement is done.
    bool Schritt();
    bool NurLesend() const;
    int Spaltenanzahl() const;

private:
    Verbindung& verbindung_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace vk::dao::detail
