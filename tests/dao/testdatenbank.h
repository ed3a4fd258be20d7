// Test helpers: an office database made from the host schema, and direct access that does not go
// through the layer under test (the temporary folder: datei_hilfe.h). `Roh` and `NeueDatenbank`
// are a SQLite file; `Testdatenbank` is either backend, for the tests that run on both.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <charconv>
#include <filesystem>
#include <memory>
#include <ostream>
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

// The two backends of the database layer; the test cases that run on both take one as parameter
// and are named after it ("/SQLite", "/PostgreSQL": ctest gives the second the test server).
enum class Backend { SQLite, PostgreSQL };
inline const char* BackendName(Backend b) { return b == Backend::SQLite ? "SQLite" : "PostgreSQL"; }
inline void PrintTo(Backend b, std::ostream* aus) { *aus << BackendName(b); }
// For INSTANTIATE_TEST_SUITE_P: the backend as the test's name.
struct NachBackend {
    template <class Info>
    std::string operator()(const Info& info) const { return BackendName(info.param); }
};

// An office database of either backend, new for one test and empty but for the host tables (a file
// in the folder, or a database on the test server), with a connection of its own beside the layer
// under test: to arrange rows, read what is stored, and play another user holding locks.
class Testdatenbank {
public:
    static std::unique_ptr<Testdatenbank> Neu(Backend backend, const TempOrdner& ordner);
    virtual ~Testdatenbank() = default;

    Backend Art() const { return art_; }
    // What Workspace::OpenDatabase takes: the file path or the server address.
    const std::string& Name() const { return name_; }
    // What an error about the database must name: the file, or the database on the server.
    virtual std::string Kurzname() const { return name_; }
    // Runs one or more statements.
    virtual void Sql(const std::string& sql) = 0;
    // The first column of the first row as text ("NULL" for NULL, "-" for no row). Numbers read
    // alike on both through Zahl: a file shows 100.0 where the server shows 100.
    virtual std::string Text(const std::string& sql) = 0;
    // The number a query returns, read as SQL writes it whatever the process locale (de_DE in half
    // of the runs, where std::stod would stop at the ".").
    double Zahl(const std::string& sql) {
        const std::string t = Text(sql);
        double d = 0;
        std::from_chars(t.data(), t.data() + t.size(), d);
        return d;
    }

    // Another user's locks, held until Freigeben: one that neither reads nor lets anyone else read
    // or write (a file's exclusive lock; on the server every host table locked exclusively), and a
    // writer that others may read beside (a file's write lock; on the server the invoice rows it
    // has changed).
    virtual void AllesSperren() = 0;
    virtual void Schreiben() = 0;
    void Freigeben() { Sql("ROLLBACK"); }

protected:
    Testdatenbank(Backend art, std::string name) : art_(art), name_(std::move(name)) {}

private:
    Backend art_;
    std::string name_;
};

// A test case that runs on both backends, each with a new office database and its own connection.
class AufBeidenBackends : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override { roh = Testdatenbank::Neu(GetParam(), ordner); }
    TempOrdner ordner;
    std::unique_ptr<Testdatenbank> roh;
};

}  // namespace vktest
