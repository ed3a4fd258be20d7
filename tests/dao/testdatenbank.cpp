#include "dao/testdatenbank.h"

#include "pg/pgserver.h"

namespace vktest {
namespace {

class SqliteTestdatenbank : public Testdatenbank {
public:
    explicit SqliteTestdatenbank(const TempOrdner& ordner)
        : Testdatenbank(Backend::SQLite, NeueDatenbank(ordner).string()), roh_(Name()) {}
    void Sql(const std::string& sql) override { roh_.Sql(sql); }
    std::string Text(const std::string& sql) override { return roh_.Text(sql); }
    void AllesSperren() override { roh_.Sql("BEGIN EXCLUSIVE"); }
    void Schreiben() override { roh_.Sql("BEGIN IMMEDIATE; UPDATE Rechnung SET Rechnungsnummer = Rechnungsnummer"); }

private:
    Roh roh_;
};

class PgTestdatenbank : public Testdatenbank {
public:
    PgTestdatenbank() : PgTestdatenbank(std::make_unique<pg::Datenbank>()) {}
    void Sql(const std::string& sql) override { roh_->Sql(sql); }
    std::string Text(const std::string& sql) override { return roh_->Text(sql); }
    void AllesSperren() override {
        roh_->Sql("BEGIN; LOCK TABLE TempDoc, Rechnung, Termine, Version IN ACCESS EXCLUSIVE MODE");
    }
    void Schreiben() override { roh_->Sql("BEGIN; UPDATE Rechnung SET Rechnungsnummer = Rechnungsnummer"); }
    std::string Kurzname() const override { return db_->Name(); }

private:
    explicit PgTestdatenbank(std::unique_ptr<pg::Datenbank> db) : Testdatenbank(Backend::PostgreSQL, db->Adresse()), db_(std::move(db)) {
        vk::dao::DatenbankAnlegen(Name());
        roh_ = std::make_unique<pg::Roh>(Name());
    }

    std::unique_ptr<pg::Datenbank> db_;
    std::unique_ptr<pg::Roh> roh_;  // closed before the database is dropped
};

}  // namespace

std::unique_ptr<Testdatenbank> Testdatenbank::Neu(Backend backend, const TempOrdner& ordner) {
    if (backend == Backend::SQLite) return std::make_unique<SqliteTestdatenbank>(ordner);
    return std::unique_ptr<Testdatenbank>(new PgTestdatenbank());
}

}  // namespace vktest
