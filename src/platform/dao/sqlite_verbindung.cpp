// The SQLite backend of the database layer: a database file opened through SQLite's C API, its
// prepared statements, and SQLite result codes turned into run-time errors that name what failed.
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "platform/dao/daofehler.h"
#include "platform/dao/sqlite_werte.h"
#include "platform/dao/sqltext.h"
#include "platform/dao/verbindung.h"

namespace vk::dao::detail {
namespace {

// The name after "no such table: " and the like ("main.TempDoc" gives "TempDoc").
std::string NameNach(std::string_view meldung, std::string_view praefix) {
    std::string name(meldung.substr(praefix.size()));
    if (name.rfind("main.", 0) == 0) name.erase(0, 5);
    return name;
}

bool BeginntMit(std::string_view text, std::string_view praefix) { return text.substr(0, praefix.size()) == praefix; }

bool NurLeer(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

const char* TextOderLeer(const char* s) { return s ? s : ""; }

// The error for an SQLite result code: number of the database layer and a clear description.
LaufzeitFehler SqliteFehler(int rc, std::string_view meldung, std::string_view datenbank) {
    const std::string db = "'" + std::string(datenbank) + "'";
    const std::string text(meldung);
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return LaufzeitFehler(fehlernummer::Gesperrt,
                              "Die Datenbank " + db + " ist gesperrt: ein anderer Benutzer ändert sie gerade.");
    case SQLITE_READONLY:
        return LaufzeitFehler(fehlernummer::NichtAktualisierbar,
                              "Die Datenbank " + db + " ist schreibgeschützt und kann nicht geändert werden.");
    case SQLITE_NOTADB:
        return LaufzeitFehler(fehlernummer::UnbekanntesFormat, "Die Datei " + db + " ist keine Datenbank.");
    case SQLITE_CORRUPT:
        return LaufzeitFehler(fehlernummer::Beschaedigt, "Die Datenbank " + db + " ist beschädigt.");
    case SQLITE_CANTOPEN:
        return LaufzeitFehler(fehlernummer::DateiNichtZuOeffnen,
                              "Die Datenbank " + db + " kann nicht geöffnet werden: " + text);
    case SQLITE_MISMATCH:
        return LaufzeitFehler(fehlernummer::Datentyp, "Datentypen unverträglich: " + text);
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_NOTNULL)
            return LaufzeitFehler(fehlernummer::NullNichtErlaubt, "Das Feld darf nicht Null sein: " + text);
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            return LaufzeitFehler(fehlernummer::DoppelterSchluessel, "Der Schlüssel ist schon vergeben: " + text);
        return LaufzeitFehler(fehlernummer::Regelverletzung, "Die Änderung verletzt eine Regel der Datenbank: " + text);
    case SQLITE_ERROR:
        if (BeginntMit(text, "no such table: "))
            return LaufzeitFehler(fehlernummer::TabelleNichtGefunden,
                                  "Die Tabelle oder Abfrage '" + NameNach(text, "no such table: ") + "' gibt es in der Datenbank " +
                                      db + " nicht.");
        if (BeginntMit(text, "no such column: "))
            return LaufzeitFehler(fehlernummer::ParameterAnzahl,
                                  "Das Feld '" + NameNach(text, "no such column: ") + "' gibt es nicht.");
        if (text.find("syntax error") != std::string::npos || text.find("incomplete input") != std::string::npos)
            return LaufzeitFehler(fehlernummer::SyntaxFehler, "Syntaxfehler in der SQL-Anweisung: " + text);
        break;
    default:
        break;
    }
    return LaufzeitFehler(vk::fehlernummer::Datenbankfehler, "Datenbankfehler in " + db + ": " + text);
}

class SqliteVerbindung;

class SqliteAnweisung : public Anweisung {
public:
    SqliteAnweisung(SqliteVerbindung& verbindung, std::string_view sql);
    ~SqliteAnweisung() override { sqlite3_finalize(stmt_); }

    int Spaltenanzahl() const override { return static_cast<int>(spalten_.size()); }
    const Spalteninfo& Spalte(int i) const override { return spalten_.at(static_cast<std::size_t>(i)); }
    bool NurLesend() const override { return sqlite3_stmt_readonly(stmt_) != 0; }
    void Binden(const std::vector<Variant>& parameter) override;
    bool Schritt() override;
    Variant Wert(int i, std::string_view typ) const override {
        return SpaltenWert(stmt_, i, typ.empty() ? spalten_.at(static_cast<std::size_t>(i)).typ : typ);
    }
    long Geaendert() const override { return geaendert_; }

private:
    SqliteVerbindung& verbindung_;
    sqlite3_stmt* stmt_ = nullptr;
    std::vector<Spalteninfo> spalten_;
    long geaendert_ = 0;
};

class SqliteVerbindung : public Verbindung {
public:
    SqliteVerbindung(sqlite3* db, std::string name) noexcept : Verbindung(std::move(name)), db_(db) {}
    ~SqliteVerbindung() override { Schliessen(); }

    sqlite3* Handle() const {
        Pruefen();
        return db_;
    }
    bool Offen() const noexcept override { return db_ != nullptr; }
    void Schliessen() noexcept override {
        if (!db_) return;
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    // The error for rc with this connection's message and name.
    LaufzeitFehler Fehler(int rc) const { return SqliteFehler(rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc), Name()); }

    std::unique_ptr<Anweisung> Vorbereiten(std::string_view sql) override {
        return std::make_unique<SqliteAnweisung>(*this, sql);
    }
    void Ausfuehren(const char* sql) override {
        int rc = sqlite3_exec(Handle(), sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) throw Fehler(rc);
    }
    bool InTransaktion() const override { return sqlite3_get_autocommit(Handle()) == 0; }
    void Beginnen() override { Ausfuehren("BEGIN IMMEDIATE"); }

    std::string Tabellenbezeichner(std::string_view name) const override { return Bezeichner(name); }
    std::vector<std::string> Primaerschluessel(const std::string& schema, const std::string& tabelle) override {
        SqliteAnweisung pk(*this, "SELECT name FROM pragma_table_info(?, ?) WHERE pk > 0 ORDER BY pk");
        pk.Binden({Variant(tabelle), Variant(schema)});
        std::vector<std::string> spalten;
        while (pk.Schritt()) spalten.push_back(pk.Wert(0, "TEXT").AlsString());
        return spalten;
    }
    const char* Zeilenkennung() const noexcept override { return "_rowid_"; }

private:
    sqlite3* db_;
};

SqliteAnweisung::SqliteAnweisung(SqliteVerbindung& verbindung, std::string_view sql) : verbindung_(verbindung) {
    sqlite3* db = verbindung.Handle();
    const char* rest = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &rest);
    if (rc != SQLITE_OK) throw verbindung.Fehler(rc);
    if (!stmt_) throw LaufzeitFehler(fehlernummer::SyntaxFehler, "Die SQL-Anweisung ist leer.");

    // Only blanks, semicolons and comments may follow the statement.
    const char* ende = sql.data() + sql.size();
    while (rest && rest < ende && !NurLeer(std::string_view(rest, static_cast<std::size_t>(ende - rest)))) {
        sqlite3_stmt* weitere = nullptr;
        const char* danach = nullptr;
        rc = sqlite3_prepare_v2(db, rest, static_cast<int>(ende - rest), &weitere, &danach);
        sqlite3_finalize(weitere);
        if (rc != SQLITE_OK || weitere || danach == rest) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
            throw LaufzeitFehler(fehlernummer::ZeichenNachEnde,
                                 "Nach dem Ende der SQL-Anweisung folgt weiterer Text: " + std::string(rest, ende));
        }
        rest = danach;
    }

    const int n = sqlite3_column_count(stmt_);
    for (int i = 0; i < n; ++i) {
        Spalteninfo s{TextOderLeer(sqlite3_column_name(stmt_, i)), TextOderLeer(sqlite3_column_database_name(stmt_, i)),
                      TextOderLeer(sqlite3_column_table_name(stmt_, i)), TextOderLeer(sqlite3_column_origin_name(stmt_, i)),
                      TextOderLeer(sqlite3_column_decltype(stmt_, i))};
        if (s.tabelle.empty()) s.schema.clear();
        spalten_.push_back(std::move(s));
    }
}

void SqliteAnweisung::Binden(const std::vector<Variant>& parameter) {
    int erwartet = sqlite3_bind_parameter_count(stmt_);
    if (static_cast<int>(parameter.size()) != erwartet)
        throw LaufzeitFehler(fehlernummer::ParameterAnzahl,
                             "Die SQL-Anweisung erwartet " + std::to_string(erwartet) + " Parameter, übergeben wurden " +
                                 std::to_string(parameter.size()) + ".");
    for (std::size_t i = 0; i < parameter.size(); ++i) WertBinden(stmt_, static_cast<int>(i) + 1, parameter[i]);
}

bool SqliteAnweisung::Schritt() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) {
        geaendert_ = static_cast<long>(sqlite3_changes(verbindung_.Handle()));
        return false;
    }
    throw verbindung_.Fehler(rc);
}

void DateiPruefen(const std::string& name) {
    if (name.empty()) throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Es ist keine Datenbankdatei angegeben.");
    std::error_code ec;
    auto status = std::filesystem::status(name, ec);
    if (!std::filesystem::exists(status))
        throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Die Datenbankdatei '" + name + "' gibt es nicht.");
    if (std::filesystem::is_directory(status))
        throw LaufzeitFehler(fehlernummer::DateiNichtZuOeffnen, "'" + name + "' ist ein Ordner, keine Datenbankdatei.");
}

}  // namespace

std::shared_ptr<Verbindung> SqliteOeffnen(const std::string& name, bool readOnly, std::chrono::milliseconds wartezeit) {
    DateiPruefen(name);
    // A name starting with ':' would be taken as a special in-memory database.
    const std::string pfad = (name[0] == ':') ? "./" + name : name;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(pfad.c_str(), &db, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE, nullptr);
    auto verbindung = std::make_shared<SqliteVerbindung>(db, name);  // closes db on every way out
    if (rc != SQLITE_OK) throw verbindung->Fehler(rc);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, static_cast<int>(wartezeit.count()));
    // Reading the schema finds a foreign or damaged file, and a lock held by another user, now.
    verbindung->Ausfuehren("SELECT count(*) FROM sqlite_schema");
    return verbindung;
}

void SqliteSchemaAnlegen(const std::string& pfad, const std::string& name, const std::string& schema) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(pfad.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqliteVerbindung verbindung(db, name);
    if (rc != SQLITE_OK) throw verbindung.Fehler(rc);
    verbindung.Ausfuehren(("BEGIN;\n" + schema + "\nCOMMIT;").c_str());
    verbindung.Schliessen();
}

}  // namespace vk::dao::detail
