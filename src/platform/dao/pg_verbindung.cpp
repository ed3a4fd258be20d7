// The PostgreSQL backend of the database layer: a server database opened by a postgresql:// address
// through libpq, its statements, and the server's SQLSTATE codes turned into run-time errors that
// name the server and the database (never a password).
//
// What differs from a database file, and how it is made to behave alike:
// - `?` placeholders are numbered ($1, $2, ...) before the text goes to the server; values travel
//   as text and the server reads them as the type their place in the statement needs.
// - A statement that fails inside a transaction would abort the whole transaction on the server;
//   each statement in a transaction therefore runs inside a savepoint and a failure rolls back to
//   it, so the failed statement has no effect and the transaction goes on, as on SQLite.
// - Names not quoted are folded to lower case (tables and columns come back as "rechnung",
//   "brutto"); field names are compared without case, and a bare table name is folded the same way.
// - Values come back as the Variant of their column type: integers Long, float and numeric Double,
//   DATE and TIMESTAMP a date, boolean Boolean, everything else String; NULL is Null.
// - Locks are per row, taken by the statement that writes; lock_timeout is the workspace's lock
//   timeout. A table without primary key finds its rows by ctid, which another user's update of
//   the row changes (the Update then reports the row as gone, 3167).
#include <dlfcn.h>
#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/sqltext.h"
#include "platform/dao/verbindung.h"
#include "platform/dao/workspace.h"

namespace vk::dao::detail {
namespace {

// libpq is loaded when the first server database is opened, not when the program starts: it brings
// a TLS, Kerberos and LDAP stack whose loading would cost every start of a program that links this
// library several milliseconds, even when it only ever opens a database file. Each libpq function
// used here is a pointer of the same name, which hides the declaration of libpq-fe.h in this
// namespace, so the calls read as plain libpq calls.
#define VK_LIBPQ_FUNKTIONEN(X)                                                                               \
    X(PQclear) X(PQcmdTuples) X(PQconnectdbParams) X(PQdb) X(PQdescribePrepared) X(PQerrorMessage) X(PQexec) \
    X(PQexecParams) X(PQfinish) X(PQfname) X(PQftable) X(PQftablecol) X(PQftype) X(PQgetisnull)            \
    X(PQgetlength) X(PQgetvalue) X(PQhost) X(PQnfields) X(PQnparams) X(PQntuples) X(PQport) X(PQprepare)    \
    X(PQresultErrorField) X(PQresultStatus) X(PQsetNoticeProcessor) X(PQstatus) X(PQtransactionStatus)

#define VK_LIBPQ_ZEIGER(name) decltype(&::name) name = nullptr;
VK_LIBPQ_FUNKTIONEN(VK_LIBPQ_ZEIGER)
#undef VK_LIBPQ_ZEIGER

// Loads libpq once; raises 3151 (connection failed) naming the library when it or one of its
// functions is missing. Every other call here happens on a connection opened after this.
void LibpqLaden() {
    static const std::string fehler = [] {
        void* bibliothek = ::dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
        if (!bibliothek) {
            const char* grund = ::dlerror();
            return std::string(grund ? grund : "libpq.so.5");
        }
        std::string fehlt;
#define VK_LIBPQ_LADEN(name)                                                              \
    name = reinterpret_cast<decltype(name)>(::dlsym(bibliothek, #name));                  \
    if (!name) fehlt += std::string(fehlt.empty() ? "" : ", ") + #name;
        VK_LIBPQ_FUNKTIONEN(VK_LIBPQ_LADEN)
#undef VK_LIBPQ_LADEN
        return fehlt.empty() ? fehlt : "libpq.so.5 ohne " + fehlt;
    }();
    if (!fehler.empty())
        throw LaufzeitFehler(fehlernummer::VerbindungFehlgeschlagen,
                             "Die PostgreSQL-Clientbibliothek kann nicht geladen werden: " + fehler);
}
#undef VK_LIBPQ_FUNKTIONEN

// A message with every trace of the address's password removed: the address itself as shown
// elsewhere (without it), and the password wherever else it stands (a client library quoting the
// token it could not read).
std::string PasswortAusblenden(std::string meldung, std::string_view adresse) {
    const auto ersetzen = [&meldung](std::string_view was, const std::string& durch) {
        if (was.empty()) return;
        for (std::size_t p = meldung.find(was); p != std::string::npos; p = meldung.find(was, p + durch.size()))
            meldung.replace(p, was.size(), durch);
    };
    ersetzen(adresse, OhnePasswort(adresse));
    const std::size_t anfang = adresse.find("://");
    if (anfang != std::string_view::npos) {
        std::string_view rest = adresse.substr(anfang + 3);
        const std::string_view stelle = rest.substr(0, rest.find_first_of("/?"));
        if (const std::size_t at = stelle.rfind('@'); at != std::string_view::npos) {
            const std::string_view benutzer = stelle.substr(0, at);
            if (const std::size_t doppelpunkt = benutzer.find(':'); doppelpunkt != std::string_view::npos)
                ersetzen(benutzer.substr(doppelpunkt + 1), "***");
        }
    }
    for (std::size_t p = adresse.find("password="); p != std::string_view::npos; p = adresse.find("password=", p + 1)) {
        const std::string_view wert = adresse.substr(p + 9, adresse.find('&', p) - (p + 9));
        ersetzen(wert, "***");
    }
    return meldung;
}

// Type OIDs of the built-in types (their header, pg_type.h, belongs to the server's headers).
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700,
              kDate = 1082, kTimestamp = 1114, kTimestampTz = 1184;

struct ErgebnisFreigeben {
    void operator()(PGresult* r) const noexcept { PQclear(r); }
};
using Ergebnis = std::unique_ptr<PGresult, ErgebnisFreigeben>;

// A message on one line: libpq ends its messages with a newline and indents hints on the next one.
std::string EineZeile(std::string_view text) {
    std::string zeile;
    bool leer = false;
    for (char c : text) {
        const bool istLeer = c == '\n' || c == '\r' || c == '\t' || c == ' ';
        if (istLeer) {
            leer = !zeile.empty();
            continue;
        }
        if (leer) zeile += ' ';
        leer = false;
        zeile += c;
    }
    return zeile;
}

std::string Kleinbuchstaben(std::string_view name) {
    std::string klein(name);
    for (char& c : klein)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return klein;
}

// The name written at a 1-based character position of the statement (the server reports where the
// unknown table or column stands), as the statement spells it: "TempDocs", not "tempdocs".
std::string NameAnStelle(std::string_view sql, const char* stelle) {
    if (!stelle) return {};
    const long ziel = std::atol(stelle);
    std::size_t i = 0;
    for (long zeichen = 1; i < sql.size() && zeichen < ziel; ++zeichen) {
        ++i;
        while (i < sql.size() && (static_cast<unsigned char>(sql[i]) & 0xC0) == 0x80) ++i;
    }
    std::string name;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '"') {
            const std::size_t zu = sql.find('"', i + 1);
            if (zu == std::string_view::npos) break;
            name += sql.substr(i + 1, zu - i - 1);
            i = zu + 1;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80) {
            name += c;
            ++i;
        } else {
            break;
        }
    }
    return name;
}

// The name the server put in quotes in its message (relation "x" does not exist), for when it gave
// no position.
std::string NameInMeldung(std::string_view meldung) {
    const std::size_t auf = meldung.find('"');
    const std::size_t zu = auf == std::string_view::npos ? auf : meldung.find('"', auf + 1);
    if (zu == std::string_view::npos) return std::string(meldung);
    return std::string(meldung.substr(auf + 1, zu - auf - 1));
}

// --- Values ---------------------------------------------------------------------------------------

std::string ZahlText(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    char puffer[64];
    // Whole numbers without exponent, so an INTEGER column takes them as it takes 17850.
    const auto format = (d == std::floor(d) && std::fabs(d) < 1e18) ? std::chars_format::fixed : std::chars_format::general;
    auto [ende, ec] = std::to_chars(puffer, puffer + sizeof puffer, d, format);
    return std::string(puffer, ec == std::errc() ? ende : puffer);
}

// A value as the text the server reads for a parameter; no value for NULL.
std::optional<std::string> ParameterText(const Variant& wert) {
    switch (wert.Typ()) {
    case VarTyp::Empty:
    case VarTyp::Null: return std::nullopt;
    case VarTyp::Integer: return std::to_string(wert.AlsInteger());
    case VarTyp::Long: return std::to_string(wert.AlsLong());
    case VarTyp::Boolean: return wert.AlsBoolean() ? "-1" : "0";
    case VarTyp::Double: return ZahlText(wert.AlsDouble());
    case VarTyp::String:
        if (wert.AlsString().find('\0') != std::string::npos)
            throw LaufzeitFehler(fehlernummer::Datentyp, "Ein Text mit einem Nullzeichen kann nicht gespeichert werden.");
        return wert.AlsString();
    case VarTyp::Date: return DatumText(wert.AlsDatum());
    case VarTyp::Object: break;
    }
    throw LaufzeitFehler(vk::fehlernummer::TypenUnvertraeglich, "Ein Objekt kann nicht in der Datenbank gespeichert werden.");
}

std::optional<double> Gleitkomma(std::string_view text) {
    if (text == "NaN") return std::nan("");
    if (text == "Infinity") return HUGE_VAL;
    if (text == "-Infinity") return -HUGE_VAL;
    double d = 0;
    auto [ende, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
    if (ec != std::errc() || ende != text.data() + text.size()) return std::nullopt;
    return d;
}

// A field of a result as a Variant, by the column's type.
Variant SpaltenWert(const PGresult* r, int zeile, int spalte) {
    if (PQgetisnull(r, zeile, spalte)) return Variant::Null();
    const std::string_view text(PQgetvalue(r, zeile, spalte), static_cast<std::size_t>(PQgetlength(r, zeile, spalte)));
    switch (PQftype(r, spalte)) {
    case kBool: return Variant(text == "t");
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid: {
        std::int64_t n = 0;
        auto [ende, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec == std::errc() && ende == text.data() + text.size()) return Variant::AusGanzzahl(n);
        break;
    }
    case kFloat4:
    case kFloat8:
    case kNumeric:
        if (auto d = Gleitkomma(text)) return Variant(*d);
        break;
    case kDate:
    case kTimestamp:
    case kTimestampTz:
        if (auto d = DatumAusIso(text)) return Variant(*d);
        break;
    default: break;
    }
    return Variant(text);
}

// --- Connection and statements --------------------------------------------------------------------

class PgVerbindung;

class PgAnweisung : public Anweisung {
public:
    PgAnweisung(PgVerbindung& verbindung, std::string sql, bool nurLesend);

    int Spaltenanzahl() const override { return static_cast<int>(spalten_.size()); }
    const Spalteninfo& Spalte(int i) const override { return spalten_.at(static_cast<std::size_t>(i)); }
    bool NurLesend() const override { return nurLesend_; }
    void Binden(const std::vector<Variant>& parameter) override;
    bool Schritt() override;
    Variant Wert(int i, std::string_view) const override {
        if (!ergebnis_ || zeile_ < 0 || zeile_ >= PQntuples(ergebnis_.get()))
            throw LaufzeitFehler(fehlernummer::KeinAktuellerDatensatz, "Kein aktueller Datensatz.");
        return SpaltenWert(ergebnis_.get(), zeile_, i);
    }
    long Geaendert() const override { return geaendert_; }

private:
    void Beschreiben();

    PgVerbindung& verbindung_;
    std::string sql_;
    bool nurLesend_;
    int parameterAnzahl_ = 0;
    std::vector<Spalteninfo> spalten_;
    std::vector<std::optional<std::string>> werte_;
    Ergebnis ergebnis_;
    int zeile_ = -1;
    long geaendert_ = 0;
};

class PgVerbindung : public Verbindung {
public:
    PgVerbindung(PGconn* conn, std::string name) noexcept : Verbindung(std::move(name)), conn_(conn) {}
    ~PgVerbindung() override { Schliessen(); }

    PGconn* Handle() const {
        Pruefen();
        return conn_;
    }
    bool Offen() const noexcept override { return conn_ != nullptr; }
    void Schliessen() noexcept override {
        if (!conn_) return;
        PQfinish(conn_);
        conn_ = nullptr;
    }

    // "'buero' auf dem Server 'db.example:5432'": the database and the server, for messages.
    std::string Ort() const {
        if (!conn_) return "'" + Name() + "'";
        const std::string host = PQhost(conn_) ? PQhost(conn_) : "";
        const std::string port = PQport(conn_) ? PQport(conn_) : "";
        const std::string server = host.empty() || host[0] == '/' ? host + "' (Port " + port + ")" : host + ":" + port + "'";
        return "'" + std::string(PQdb(conn_) ? PQdb(conn_) : "") + "' auf dem Server '" + server;
    }

    // `adresse` as given: the client library may quote it, or a part of it, in its message.
    LaufzeitFehler VerbindungsFehler(std::string_view adresse) const {
        const std::string meldung = PasswortAusblenden(EineZeile(conn_ ? PQerrorMessage(conn_) : ""), adresse);
        if (meldung.find("does not exist") != std::string::npos || meldung.find("existiert nicht") != std::string::npos)
            return LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Die Datenbank " + Ort() + " gibt es nicht: " + meldung);
        return LaufzeitFehler(fehlernummer::VerbindungFehlgeschlagen,
                              "Die Verbindung zur Datenbank " + Ort() + " ist fehlgeschlagen: " + meldung);
    }

    // The error of a failed call: by the server's SQLSTATE; `sql` is the statement sent, to name
    // what it names.
    LaufzeitFehler Fehler(const PGresult* r, std::string_view sql) const;

    // Runs sql without parameters (one or more statements); the result must be `erwartet`.
    Ergebnis Befehl(const char* sql, ExecStatusType erwartet = PGRES_COMMAND_OK) {
        Ergebnis r(PQexec(Handle(), sql));
        if (!r || PQresultStatus(r.get()) != erwartet) throw Fehler(r.get(), sql);
        return r;
    }
    // Runs one statement with text parameters (none of them typed: the server infers them).
    Ergebnis MitParametern(const std::string& sql, const std::vector<std::optional<std::string>>& werte) {
        std::vector<const char*> zeiger;
        for (const auto& w : werte) zeiger.push_back(w ? w->c_str() : nullptr);
        Ergebnis r(PQexecParams(Handle(), sql.c_str(), static_cast<int>(zeiger.size()), nullptr, zeiger.data(), nullptr,
                                nullptr, 0));
        const ExecStatusType status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) throw Fehler(r.get(), sql);
        return r;
    }

    // Runs f; inside a transaction within a savepoint, so that a failure leaves the transaction
    // usable and without the failed statement's effects.
    template <class F>
    void Geschuetzt(F&& f) {
        if (!InTransaktion()) {
            f();
            return;
        }
        Befehl("SAVEPOINT vk_anweisung");
        try {
            f();
        } catch (...) {
            try {
                Befehl("ROLLBACK TO SAVEPOINT vk_anweisung; RELEASE SAVEPOINT vk_anweisung");
            } catch (...) {
            }
            throw;
        }
        Befehl("RELEASE SAVEPOINT vk_anweisung");
    }

    std::unique_ptr<Anweisung> Vorbereiten(std::string_view sql) override {
        Handle();
        Nummeriert text = PlatzhalterNummerieren(sql);
        if (!text.weitererText.empty())
            throw LaufzeitFehler(fehlernummer::ZeichenNachEnde,
                                 "Nach dem Ende der SQL-Anweisung folgt weiterer Text: " + text.weitererText);
        if (text.leer) throw LaufzeitFehler(fehlernummer::SyntaxFehler, "Die SQL-Anweisung ist leer.");
        return std::make_unique<PgAnweisung>(*this, std::move(text.sql), NurLesend(sql));
    }

    void Ausfuehren(const char* sql) override {
        // A transaction the server has given up cannot be committed: it ends as a rollback, which
        // COMMIT would report as success.
        if (std::strncmp(sql, "COMMIT", 6) == 0 && PQtransactionStatus(Handle()) == PQTRANS_INERROR) {
            Befehl("ROLLBACK");
            throw LaufzeitFehler(vk::fehlernummer::Datenbankfehler,
                                 "Die Transaktion in der Datenbank " + Ort() + " ist gescheitert und wurde zurückgenommen.");
        }
        Befehl(sql);
    }

    bool InTransaktion() const override {
        const PGTransactionStatusType status = PQtransactionStatus(Handle());
        return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
    }
    void Beginnen() override { Befehl("BEGIN"); }

    std::string Tabellenbezeichner(std::string_view name) const override { return Bezeichner(Kleinbuchstaben(name)); }

    std::vector<std::string> Primaerschluessel(const std::string& schema, const std::string& tabelle) override {
        std::vector<std::string> spalten;
        Geschuetzt([&] {
            Ergebnis r = MitParametern(
                "SELECT a.attname FROM pg_catalog.pg_index i"
                " JOIN pg_catalog.pg_class c ON c.oid = i.indrelid"
                " JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace"
                " CROSS JOIN LATERAL unnest(i.indkey::pg_catalog.int2[]) WITH ORDINALITY AS k(attnum, nr)"
                " JOIN pg_catalog.pg_attribute a ON a.attrelid = i.indrelid AND a.attnum = k.attnum"
                " WHERE i.indisprimary AND n.nspname = $1 AND c.relname = $2 ORDER BY k.nr",
                {schema, tabelle});
            for (int z = 0; z < PQntuples(r.get()); ++z) spalten.emplace_back(PQgetvalue(r.get(), z, 0));
        });
        return spalten;
    }
    const char* Zeilenkennung() const noexcept override { return "ctid"; }

private:
    // Whether a statement only reads: a query (SELECT, VALUES, TABLE, WITH) without a part that
    // writes (INSERT, UPDATE, DELETE, MERGE, SELECT ... INTO); "FOR UPDATE" only locks.
    static bool NurLesend(std::string_view sql) {
        const std::vector<std::string> woerter = Woerter(sql);
        if (woerter.empty()) return false;
        const std::string& erstes = woerter.front();
        if (erstes != "SELECT" && erstes != "VALUES" && erstes != "TABLE" && erstes != "WITH") return false;
        for (std::size_t i = 0; i < woerter.size(); ++i) {
            const std::string& w = woerter[i];
            if (w == "INSERT" || w == "DELETE" || w == "MERGE" || w == "INTO") return false;
            if (w == "UPDATE" && (i == 0 || (woerter[i - 1] != "FOR" && woerter[i - 1] != "KEY"))) return false;
        }
        return true;
    }

    PGconn* conn_;
};

LaufzeitFehler PgVerbindung::Fehler(const PGresult* r, std::string_view sql) const {
    const char* zustand = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
    const char* primaer = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const std::string meldung = EineZeile(primaer ? primaer : (conn_ ? PQerrorMessage(conn_) : ""));
    if (!conn_ || PQstatus(conn_) == CONNECTION_BAD)
        return LaufzeitFehler(fehlernummer::VerbindungFehlgeschlagen,
                              "Die Verbindung zur Datenbank " + Ort() + " ist abgebrochen: " + meldung);
    const std::string code = zustand ? zustand : "";
    const std::string klasse = code.substr(0, 2);
    const char* stelle = r ? PQresultErrorField(r, PG_DIAG_STATEMENT_POSITION) : nullptr;

    if (code == "55P03" || code == "40P01" || code == "40001" || code == "57014")
        return LaufzeitFehler(fehlernummer::Gesperrt,
                              "Die Datenbank " + Ort() + " ist gesperrt: ein anderer Benutzer ändert sie gerade (" + meldung + ").");
    if (code == "25006")
        return LaufzeitFehler(fehlernummer::NichtAktualisierbar,
                              "Die Datenbank " + Ort() + " ist schreibgeschützt und kann nicht geändert werden.");
    if (code == "42P01") {
        std::string name = NameAnStelle(sql, stelle);
        if (name.empty()) name = NameInMeldung(meldung);
        return LaufzeitFehler(fehlernummer::TabelleNichtGefunden,
                              "Die Tabelle oder Abfrage '" + name + "' gibt es in der Datenbank " + Ort() + " nicht.");
    }
    if (code == "42703") {
        std::string name = NameAnStelle(sql, stelle);
        if (name.empty()) name = NameInMeldung(meldung);
        return LaufzeitFehler(fehlernummer::ParameterAnzahl, "Das Feld '" + name + "' gibt es nicht.");
    }
    if (code == "42601") return LaufzeitFehler(fehlernummer::SyntaxFehler, "Syntaxfehler in der SQL-Anweisung: " + meldung);
    if (code == "23502") return LaufzeitFehler(fehlernummer::NullNichtErlaubt, "Das Feld darf nicht Null sein: " + meldung);
    if (code == "23505") return LaufzeitFehler(fehlernummer::DoppelterSchluessel, "Der Schlüssel ist schon vergeben: " + meldung);
    if (klasse == "23")
        return LaufzeitFehler(fehlernummer::Regelverletzung, "Die Änderung verletzt eine Regel der Datenbank: " + meldung);
    if (klasse == "22" || code == "42804" || code == "42883" || code == "42846")
        return LaufzeitFehler(fehlernummer::Datentyp, "Datentypen unverträglich: " + meldung);
    if (klasse == "08")
        return LaufzeitFehler(fehlernummer::VerbindungFehlgeschlagen,
                              "Die Verbindung zur Datenbank " + Ort() + " ist abgebrochen: " + meldung);
    if (code == "XX001" || code == "XX002")
        return LaufzeitFehler(fehlernummer::Beschaedigt, "Die Datenbank " + Ort() + " ist beschädigt: " + meldung);
    return LaufzeitFehler(vk::fehlernummer::Datenbankfehler, "Datenbankfehler in der Datenbank " + Ort() + ": " + meldung);
}

PgAnweisung::PgAnweisung(PgVerbindung& verbindung, std::string sql, bool nurLesend)
    : verbindung_(verbindung), sql_(std::move(sql)), nurLesend_(nurLesend) {
    verbindung_.Geschuetzt([&] { Beschreiben(); });
}

// Parses the statement on the server (the unnamed prepared statement) and learns its parameters
// and result columns, and for each column that is a plain table column its table and name.
void PgAnweisung::Beschreiben() {
    PGconn* conn = verbindung_.Handle();
    Ergebnis vorbereitet(PQprepare(conn, "", sql_.c_str(), 0, nullptr));
    if (!vorbereitet || PQresultStatus(vorbereitet.get()) != PGRES_COMMAND_OK) throw verbindung_.Fehler(vorbereitet.get(), sql_);
    Ergebnis beschrieben(PQdescribePrepared(conn, ""));
    if (!beschrieben || PQresultStatus(beschrieben.get()) != PGRES_COMMAND_OK) throw verbindung_.Fehler(beschrieben.get(), sql_);
    const PGresult* b = beschrieben.get();
    parameterAnzahl_ = PQnparams(b);

    const int n = PQnfields(b);
    std::string tabellen;  // the OIDs of the tables the columns come from, as an array literal
    for (int i = 0; i < n; ++i) {
        spalten_.push_back({PQfname(b, i), "", "", "", ""});
        if (const Oid t = PQftable(b, i); t != InvalidOid) tabellen += (tabellen.empty() ? "" : ",") + std::to_string(t);
    }
    if (tabellen.empty()) return;
    Ergebnis herkunft = verbindung_.MitParametern(
        "SELECT a.attrelid, a.attnum, n.nspname, c.relname, a.attname, pg_catalog.format_type(a.atttypid, a.atttypmod)"
        " FROM pg_catalog.pg_attribute a JOIN pg_catalog.pg_class c ON c.oid = a.attrelid"
        " JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace"
        " WHERE a.attrelid = ANY ($1::pg_catalog.oid[]) AND NOT a.attisdropped",
        {"{" + tabellen + "}"});
    std::map<std::pair<Oid, int>, int> zeileVon;
    const PGresult* h = herkunft.get();
    for (int z = 0; z < PQntuples(h); ++z)
        zeileVon[{static_cast<Oid>(std::stoul(PQgetvalue(h, z, 0))), std::atoi(PQgetvalue(h, z, 1))}] = z;
    for (int i = 0; i < n; ++i) {
        auto it = zeileVon.find({PQftable(b, i), PQftablecol(b, i)});
        if (PQftable(b, i) == InvalidOid || it == zeileVon.end()) continue;
        Spalteninfo& s = spalten_[static_cast<std::size_t>(i)];
        s.schema = PQgetvalue(h, it->second, 2);
        s.tabelle = PQgetvalue(h, it->second, 3);
        s.ursprung = PQgetvalue(h, it->second, 4);
        s.typ = PQgetvalue(h, it->second, 5);
    }
}

void PgAnweisung::Binden(const std::vector<Variant>& parameter) {
    if (static_cast<int>(parameter.size()) != parameterAnzahl_)
        throw LaufzeitFehler(fehlernummer::ParameterAnzahl,
                             "Die SQL-Anweisung erwartet " + std::to_string(parameterAnzahl_) + " Parameter, übergeben wurden " +
                                 std::to_string(parameter.size()) + ".");
    std::vector<std::optional<std::string>> werte;
    for (const Variant& p : parameter) werte.push_back(ParameterText(p));
    werte_ = std::move(werte);
}

bool PgAnweisung::Schritt() {
    if (!ergebnis_) {
        if (static_cast<int>(werte_.size()) != parameterAnzahl_) Binden({});
        verbindung_.Geschuetzt([&] { ergebnis_ = verbindung_.MitParametern(sql_, werte_); });
        const char* anzahl = PQcmdTuples(ergebnis_.get());
        geaendert_ = (anzahl && *anzahl) ? std::atol(anzahl) : 0;
    }
    return ++zeile_ < PQntuples(ergebnis_.get());
}

}  // namespace

std::shared_ptr<Verbindung> PgOeffnen(const std::string& adresse, bool readOnly, std::chrono::milliseconds wartezeit) {
    // The address may set a connect_timeout and an application_name of its own (it comes after
    // them); the client encoding is always UTF-8, the layer's text encoding.
    const char* schluessel[] = {"connect_timeout", "application_name", "dbname", "client_encoding", nullptr};
    const char* werte[] = {"10", "vk_lp_08", adresse.c_str(), "UTF8", nullptr};
    LibpqLaden();
    PGconn* conn = PQconnectdbParams(schluessel, werte, 1);
    auto verbindung = std::make_shared<PgVerbindung>(conn, OhnePasswort(adresse));  // closes conn on every way out
    if (!conn) throw LaufzeitFehler(vk::fehlernummer::NichtGenuegendSpeicher);
    if (PQstatus(conn) != CONNECTION_OK) throw verbindung->VerbindungsFehler(adresse);
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);

    // Another user's lock is waited for as long as on a database file (lock_timeout 0 would wait
    // for ever); dates and numbers come back in the forms read above.
    const long ms = std::max<long>(1, static_cast<long>(wartezeit.count()));
    std::string einstellungen = "SET lock_timeout = " + std::to_string(ms) +
                                "; SET DateStyle = 'ISO, YMD'; SET extra_float_digits = 3; SET client_min_messages = warning";
    if (readOnly) einstellungen += "; SET default_transaction_read_only = on";
    verbindung->Befehl(einstellungen.c_str());
    return verbindung;
}

namespace {

// A statement that fails with the server's "table exists" (42P07) when a table the schema creates is
// there already.
std::string VorhandeneAblehnen(const std::string& schema) {
    static constexpr std::string_view kAnlegen = "CREATE TABLE IF NOT EXISTS ";
    std::string namen;
    for (std::size_t p = schema.find(kAnlegen); p != std::string::npos; p = schema.find(kAnlegen, p + 1)) {
        std::size_t i = p + kAnlegen.size(), anfang = i;
        while (i < schema.size() && (std::isalnum(static_cast<unsigned char>(schema[i])) || schema[i] == '_')) ++i;
        std::string name = schema.substr(anfang, i - anfang);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        namen += (namen.empty() ? "'" : ", '") + name + "'";
    }
    if (namen.empty()) return "";
    return "DO $$ BEGIN IF EXISTS (SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
           "AND table_name IN (" + namen + ")) THEN RAISE EXCEPTION 'office tables exist' USING ERRCODE = "
           "'duplicate_table'; END IF; END $$;\n";
}

}  // namespace

void PgSchemaAnlegen(const std::string& adresse, const std::string& schema) {
    auto verbindung = std::static_pointer_cast<PgVerbindung>(PgOeffnen(adresse, false, std::chrono::milliseconds(2000)));
    // All tables or none: the schema runs in one transaction, and a table of it that exists already
    // fails it (the schema creates only what is missing, so that it can complete an older database).
    Ergebnis r(PQexec(verbindung->Handle(), ("BEGIN;\n" + VorhandeneAblehnen(schema) + schema + "\n;COMMIT;").c_str()));
    if (r && PQresultStatus(r.get()) == PGRES_COMMAND_OK) return;
    const char* zustand = r ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
    LaufzeitFehler fehler = verbindung->Fehler(r.get(), schema);
    try {
        verbindung->Befehl("ROLLBACK");
    } catch (const LaufzeitFehler&) {
    }
    if (zustand && std::string_view(zustand) == "42P07")
        throw LaufzeitFehler(fehlernummer::SchonVorhanden,
                             "Die Datenbank " + verbindung->Ort() + " enthält schon Tabellen des Büros; sie bleibt, wie sie ist.");
    throw fehler;
}

}  // namespace vk::dao::detail
