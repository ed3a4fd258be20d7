// The tests' PostgreSQL server: a throwaway server of this test run (tests/pg/testserver.sh), a new
// database on it per test, and a plain libpq connection that does not go through the layer under
// test, for arranging data, checking what is stored and playing another user.
//
// Under ctest one server serves every test: the fixture test "pg_server_start" starts it before
// the first test that needs it and "pg_server_stop" stops it after the last; the tests find it
// through the file VK_TEST_PG_STATE names. A test program run by hand starts its own server at the
// first use and stops it when it exits.
#pragma once

#include <string>

struct pg_conn;

namespace vktest::pg {

// The folder holding the server's socket; throws std::runtime_error (naming the cause) when no
// server can be started.
const std::string& Socketordner();

// A new, empty database on the test server, dropped when the object goes.
class Datenbank {
public:
    Datenbank();
    ~Datenbank();
    Datenbank(const Datenbank&) = delete;
    Datenbank& operator=(const Datenbank&) = delete;

    // postgresql:///NAME?host=FOLDER&user=vk
    const std::string& Adresse() const { return adresse_; }
    const std::string& Name() const { return name_; }

private:
    std::string name_, adresse_;
};

// A connection of its own (libpq), for what the test does beside the layer under test.
class Roh {
public:
    explicit Roh(const std::string& adresse);
    ~Roh();
    Roh(const Roh&) = delete;
    Roh& operator=(const Roh&) = delete;

    // Runs one or more statements; throws std::runtime_error with the server's message.
    void Sql(const std::string& sql);
    // The first column of the first row as text ("NULL" for NULL, "-" for no row).
    std::string Text(const std::string& sql);

private:
    pg_conn* conn_ = nullptr;
};

}  // namespace vktest::pg
