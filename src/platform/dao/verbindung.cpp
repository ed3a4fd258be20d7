#include "platform/dao/verbindung.h"

#include <sqlite3.h>

#include <string>

#include "platform/dao/daofehler.h"
#include "platform/dao/werte.h"

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

}  // namespace

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

// --- Verbindung ---------------------------------------------------------------------------------

Verbindung::~Verbindung() { Schliessen(); }

sqlite3* Verbindung::Handle() const {
    if (!db_)
        throw LaufzeitFehler(fehlernummer::ObjektUngueltig, "Die Datenbank '" + name_ + "' ist geschlossen.");
    return db_;
}

void Verbindung::Schliessen() noexcept {
    if (!db_) return;
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

LaufzeitFehler Verbindung::Fehler(int rc) const {
    return SqliteFehler(rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc), name_);
}

void Verbindung::Ausfuehren(const char* sql) {
    int rc = sqlite3_exec(Handle(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) throw Fehler(rc);
}

// --- Anweisung ----------------------------------------------------------------------------------

Anweisung::Anweisung(Verbindung& verbindung, std::string_view sql) : verbindung_(verbindung) {
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
}

Anweisung::~Anweisung() { sqlite3_finalize(stmt_); }

void Anweisung::Binden(const std::vector<Variant>& parameter) {
    int erwartet = sqlite3_bind_parameter_count(stmt_);
    if (static_cast<int>(parameter.size()) != erwartet)
        throw LaufzeitFehler(fehlernummer::ParameterAnzahl,
                             "Die SQL-Anweisung erwartet " + std::to_string(erwartet) + " Parameter, übergeben wurden " +
                                 std::to_string(parameter.size()) + ".");
    for (std::size_t i = 0; i < parameter.size(); ++i) WertBinden(stmt_, static_cast<int>(i) + 1, parameter[i]);
}

bool Anweisung::Schritt() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw verbindung_.Fehler(rc);
}

bool Anweisung::NurLesend() const { return sqlite3_stmt_readonly(stmt_) != 0; }

int Anweisung::Spaltenanzahl() const { return sqlite3_column_count(stmt_); }

}  // namespace vk::dao::detail
