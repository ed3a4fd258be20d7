#include "pg/pgserver.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>

#include "common/datei_hilfe.h"

namespace vktest::pg {
namespace {

namespace fs = std::filesystem;

std::string Skript() { return std::string(VK_SOURCE_DIR) + "/tests/pg/testserver.sh"; }

// The server this process started itself, stopped when the process ends.
class EigenerServer {
public:
    EigenerServer() {
        zustand_ = (fs::temp_directory_path() / ("vk_pg_zustand_" + std::to_string(::getpid()))).string();
        int rc = -1;
        const std::string ausgabe = Ausfuehren("'" + Skript() + "' start '" + zustand_ + "' 2>&1", &rc);
        if (rc != 0) throw std::runtime_error("the test PostgreSQL server did not start: " + ausgabe);
        ordner_ = ausgabe.substr(0, ausgabe.find('\n'));
    }
    // Only by the process that started it: a forked child that exits leaves it running.
    ~EigenerServer() {
        if (::getpid() == starter_) Ausfuehren("'" + Skript() + "' stop '" + zustand_ + "' >/dev/null 2>&1");
    }
    const std::string& Ordner() const { return ordner_; }

private:
    pid_t starter_ = ::getpid();
    std::string zustand_, ordner_;
};

// The server ctest started, when there is one and it runs.
std::string GemeinsamerServer() {
    const char* zustand = std::getenv("VK_TEST_PG_STATE");
    if (!zustand) return {};
    std::ifstream ein(zustand);
    std::string ordner;
    std::getline(ein, ordner);
    std::error_code ec;
    if (ordner.empty() || !fs::exists(fs::path(ordner) / ".s.PGSQL.5432", ec)) return {};
    return ordner;
}

PGconn* Verbinden(const std::string& adresse) {
    PGconn* conn = PQconnectdb(adresse.c_str());
    if (PQstatus(conn) != CONNECTION_OK) {
        std::string meldung = PQerrorMessage(conn);
        PQfinish(conn);
        throw std::runtime_error("cannot connect to " + adresse + ": " + meldung);
    }
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);
    return conn;
}

// The result of one or more statements; throws std::runtime_error with the server's message.
PGresult* Ergebnis(PGconn* conn, const std::string& sql) {
    PGresult* r = PQexec(conn, sql.c_str());
    const ExecStatusType status = PQresultStatus(r);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return r;
    const std::string meldung = PQresultErrorMessage(r);
    PQclear(r);
    throw std::runtime_error(meldung + " in: " + sql);
}

std::string AdresseVon(const std::string& datenbank) {
    return "postgresql:///" + datenbank + "?host=" + Socketordner() + "&user=vk";
}

}  // namespace

const std::string& Socketordner() {
    static std::once_flag einmal;
    static std::string ordner;
    static std::unique_ptr<EigenerServer> eigener;
    std::call_once(einmal, [] {
        ordner = GemeinsamerServer();
        if (!ordner.empty()) return;
        eigener = std::make_unique<EigenerServer>();
        ordner = eigener->Ordner();
    });
    if (ordner.empty()) throw std::runtime_error("the test PostgreSQL server did not start");
    return ordner;
}

Datenbank::Datenbank() {
    static std::atomic<int> zaehler{0};
    name_ = "vk_" + std::to_string(::getpid()) + "_" + std::to_string(++zaehler);
    Roh(AdresseVon("postgres")).Sql("CREATE DATABASE " + name_);
    adresse_ = AdresseVon(name_);
}

Datenbank::~Datenbank() {
    try {
        Roh(AdresseVon("postgres")).Sql("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The server is gone already; its folder goes with it.
    }
}

Roh::Roh(const std::string& adresse) : conn_(Verbinden(adresse)) {}

Roh::~Roh() { PQfinish(conn_); }

void Roh::Sql(const std::string& sql) { PQclear(Ergebnis(conn_, sql)); }

std::string Roh::Text(const std::string& sql) {
    PGresult* r = Ergebnis(conn_, sql);
    const std::string ergebnis = PQntuples(r) == 0 ? "-" : PQgetisnull(r, 0, 0) ? "NULL" : PQgetvalue(r, 0, 0);
    PQclear(r);
    return ergebnis;
}

}  // namespace vktest::pg
