// The interface between the database layer and its two backends: a connection, its statements with
// bound parameters, their rows, and transactions. Workspace, Database, Recordset and Field are
// written once above it; sqlite_verbindung.* (a database file) and pg_verbindung.* (a PostgreSQL
// server) implement it. A backend turns its own failures into the layer's run-time errors
// (daofehler.h), so the code above never sees a backend's result codes.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/variant.h"

namespace vk::dao::detail {

// A column of a statement's result: its name, and where it comes from when it is a plain column of
// a table (schema and table empty for a computed column).
struct Spalteninfo {
    std::string name;      // as the query names it
    std::string schema;    // "main" on SQLite, the table's schema on PostgreSQL
    std::string tabelle;   // the table as its catalog spells it
    std::string ursprung;  // the column's name in that table
    std::string typ;       // the column's declared type
};

// One prepared statement: exactly one statement of SQL, `?` marking each parameter.
class Anweisung {
public:
    virtual ~Anweisung() = default;

    // The result columns (none for a statement that returns no rows).
    virtual int Spaltenanzahl() const = 0;
    virtual const Spalteninfo& Spalte(int i) const = 0;
    // Whether the statement only reads data.
    virtual bool NurLesend() const = 0;

    // Binds the values to the placeholders in order; their number must match (3061). Empty binds
    // NULL, objects raise 13.
    virtual void Binden(const std::vector<Variant>& parameter) = 0;
    // Runs the statement at the first call, then steps through its rows: true when a row is ready.
    virtual bool Schritt() = 0;
    // Column i of the current row as a Variant; `typ` is the declared type of the table column it
    // stands for, where the statement itself does not know it ("" when unknown).
    virtual Variant Wert(int i, std::string_view typ) const = 0;
    // Rows changed by the statement after it has run.
    virtual long Geaendert() const = 0;
};

// An open connection, shared by the database and every recordset opened on it. Closing it makes
// every later use fail with 3420.
class Verbindung {
public:
    explicit Verbindung(std::string name) : name_(std::move(name)) {}
    virtual ~Verbindung() = default;
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;

    // The name the database was opened by (a server address without its password).
    const std::string& Name() const noexcept { return name_; }
    virtual bool Offen() const noexcept = 0;
    virtual void Schliessen() noexcept = 0;
    // Raises 3420 when the connection is closed.
    void Pruefen() const;

    // Prepares one statement; anything after it other than blanks, semicolons and comments is
    // refused (3142), so no second statement can ride along.
    virtual std::unique_ptr<Anweisung> Vorbereiten(std::string_view sql) = 0;
    // Runs transaction control that both backends spell alike (COMMIT, ROLLBACK, SAVEPOINT name,
    // RELEASE name, ROLLBACK TO name).
    virtual void Ausfuehren(const char* sql) = 0;

    virtual bool InTransaktion() const = 0;
    // Begins a transaction. SQLite takes the write lock at once (BEGIN IMMEDIATE), so two writers
    // queue; the server locks each row when a statement writes it.
    virtual void Beginnen() = 0;

    // A table name written as a bare word, as a statement must spell it (quoted, and on the server
    // folded to lower case the way it folds names that are not quoted).
    virtual std::string Tabellenbezeichner(std::string_view name) const = 0;
    // The primary key columns of a table in key order; empty when it has none.
    virtual std::vector<std::string> Primaerschluessel(const std::string& schema, const std::string& tabelle) = 0;
    // The pseudo column that finds a row of a table again when it has no primary key: "_rowid_"
    // on SQLite; "ctid" on the server, where it changes when someone else updates the row.
    virtual const char* Zeilenkennung() const noexcept = 0;

private:
    std::string name_;
};

// Opening by backend. `name` is a file path or a postgresql:// address; `wartezeit` is how long a
// statement waits for another user's lock.
std::shared_ptr<Verbindung> SqliteOeffnen(const std::string& name, bool readOnly, std::chrono::milliseconds wartezeit);
std::shared_ptr<Verbindung> PgOeffnen(const std::string& adresse, bool readOnly, std::chrono::milliseconds wartezeit);

// The host tables of the schema text in a new database: a new file at `pfad` (errors name it
// `name`), or a server database that holds none of the tables yet (58 when it does).
void SqliteSchemaAnlegen(const std::string& pfad, const std::string& name, const std::string& schema);
void PgSchemaAnlegen(const std::string& adresse, const std::string& schema);

// A date as ISO-8601 text: "yyyy-mm-dd", with " hh:mm:ss" when it has a time of day.
std::string DatumText(Datum d);

}  // namespace vk::dao::detail
