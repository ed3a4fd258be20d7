#include "platform/dao/recordset.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdio>
#include <set>

#include "common/stoerstelle.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/database.h"
#include "platform/dao/verbindung.h"
#include "platform/dao/werte.h"

namespace vk::dao {
namespace {

bool GleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::string Gross(std::string_view s) {
    std::string r;
    for (char c : s) r += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

std::string_view Trimmen(std::string_view s) {
    const char* leer = " \t\r\n";
    std::size_t a = s.find_first_not_of(leer);
    if (a == std::string_view::npos) return {};
    return s.substr(a, s.find_last_not_of(leer) - a + 1);
}

bool IstNamenszeichen(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// An SQL identifier in double quotes.
std::string Bezeichner(std::string_view name) {
    std::string r = "\"";
    for (char c : name) {
        r += c;
        if (c == '"') r += '"';
    }
    return r + "\"";
}

// A bare table name ("Version" or "[Version]") opens the whole table.
std::string AnweisungFuer(std::string_view statement) {
    std::string_view s = Trimmen(statement);
    if (s.size() > 2 && s.front() == '[' && s.back() == ']') s = s.substr(1, s.size() - 2);
    if (s.empty()) return std::string(statement);
    for (char c : s)
        if (!IstNamenszeichen(c)) return std::string(statement);
    if (std::isdigit(static_cast<unsigned char>(s.front()))) return std::string(statement);
    return "SELECT * FROM " + Bezeichner(s);
}

// The keywords of the statement outside literals, quoted names and comments, in capitals.
std::set<std::string> Schluesselwoerter(std::string_view sql) {
    std::set<std::string> woerter;
    std::size_t i = 0;
    auto bis = [&](char ende) {
        for (++i; i < sql.size() && sql[i] != ende; ++i) {}
        ++i;
    };
    while (i < sql.size()) {
        char c = sql[i];
        if (c == '\'' || c == '"' || c == '`') { bis(c); continue; }
        if (c == '[') { bis(']'); continue; }
        if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') { bis('\n'); continue; }
        if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            std::size_t e = sql.find("*/", i + 2);
            i = (e == std::string_view::npos) ? sql.size() : e + 2;
            continue;
        }
        if (IstNamenszeichen(c)) {
            std::size_t a = i;
            while (i < sql.size() && IstNamenszeichen(sql[i])) ++i;
            woerter.insert(Gross(sql.substr(a, i - a)));
            continue;
        }
        ++i;
    }
    return woerter;
}

// Whether each result row can be one table row: no grouping, aggregates or compound queries.
bool EineZeileJeTabellenzeile(std::string_view sql) {
    static const char* kMehrdeutig[] = {"DISTINCT", "GROUP", "HAVING", "UNION", "INTERSECT", "EXCEPT", "WITH", "VALUES",
                                        "COUNT", "MIN", "MAX", "SUM", "AVG", "TOTAL", "GROUP_CONCAT"};
    auto woerter = Schluesselwoerter(sql);
    for (const char* w : kMehrdeutig)
        if (woerter.count(w)) return false;
    return true;
}

// "SELECT a, b FROM t" as "SELECT _rowid_, a, b FROM t"; empty when the statement has another form.
std::string MitRowid(std::string_view sql) {
    std::string_view s = Trimmen(sql);
    if (s.size() < 7 || !GleichOhneGross(s.substr(0, 6), "SELECT") || !std::isspace(static_cast<unsigned char>(s[6])))
        return {};
    std::string_view rest = Trimmen(s.substr(6));
    if (rest.size() >= 3 && GleichOhneGross(rest.substr(0, 3), "ALL") && (rest.size() == 3 || !IstNamenszeichen(rest[3])))
        return {};
    return "SELECT _rowid_, " + std::string(rest);
}

const char* TextOderLeer(const char* s) { return s ? s : ""; }

// A text that tells keys apart: its type and its value.
std::string SchluesselText(const std::vector<Variant>& werte) {
    std::string text;
    for (const Variant& w : werte) {
        text += std::to_string(static_cast<int>(w.Typ())) + ':';
        char puffer[40];
        switch (w.Typ()) {
        case VarTyp::Long: text += std::to_string(w.AlsLong()); break;
        case VarTyp::Double: std::snprintf(puffer, sizeof puffer, "%.17g", w.AlsDouble()); text += puffer; break;
        case VarTyp::String: text += w.AlsString(); break;
        case VarTyp::Date: std::snprintf(puffer, sizeof puffer, "%.17g", w.AlsDatum().wert); text += puffer; break;
        default: break;
        }
        text += '\x1f';
    }
    return text;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<detail::Verbindung> verbindung, std::string_view statement,
                     const std::vector<Variant>& parameters, int type)
    : verbindung_(std::move(verbindung)), typ_(type) {
    if (type != dbOpenTable && type != dbOpenDynaset && type != dbOpenSnapshot && type != dbOpenForwardOnly)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unbekannte Art von Datensatzgruppe: " + std::to_string(type) + ".");
    Lesen(AnweisungFuer(statement), parameters);
}

void Recordset::Lesen(std::string_view sql, const std::vector<Variant>& parameters) {
    detail::Anweisung abfrage(*verbindung_, sql);
    if (!abfrage.NurLesend() || abfrage.Spaltenanzahl() == 0)
        throw LaufzeitFehler(fehlernummer::UngueltigeOperation,
                             "OpenRecordset braucht eine Abfrage, die Datensätze liefert; die Anweisung ändert Daten.");
    sqlite3_stmt* stmt = abfrage.Handle();
    const int n = abfrage.Spaltenanzahl();
    bool eineTabelle = (typ_ == dbOpenTable || typ_ == dbOpenDynaset) && EineZeileJeTabellenzeile(sql);
    for (int i = 0; i < n; ++i) {
        Spalte s{TextOderLeer(sqlite3_column_name(stmt, i)), TextOderLeer(sqlite3_column_table_name(stmt, i)),
                 TextOderLeer(sqlite3_column_origin_name(stmt, i)), TextOderLeer(sqlite3_column_decltype(stmt, i))};
        // Computed columns are allowed (they cannot be assigned); columns of a second table are not.
        const char* dbName = sqlite3_column_database_name(stmt, i);
        if (!s.tabelle.empty()) {
            if (!dbName || std::string_view(dbName) != "main") eineTabelle = false;
            if (tabelle_.empty()) tabelle_ = s.tabelle;
            else if (s.tabelle != tabelle_) eineTabelle = false;
        }
        spalten_.push_back(std::move(s));
    }
    if (!eineTabelle || tabelle_.empty()) {
        eineTabelle = false;
        tabelle_.clear();
    }

    // Rows of one table get their key: the rowid, read along with the row, else the primary key.
    std::unique_ptr<detail::Anweisung> mitRowid;
    std::vector<int> schluesselIndex;  // positions of the primary key columns in the result
    if (eineTabelle) {
        if (std::string umgeschrieben = MitRowid(sql); !umgeschrieben.empty()) {
            try {
                auto a = std::make_unique<detail::Anweisung>(*verbindung_, umgeschrieben);
                if (a->Spaltenanzahl() == n + 1 && TextOderLeer(sqlite3_column_table_name(a->Handle(), 0)) == tabelle_)
                    mitRowid = std::move(a);
            } catch (const LaufzeitFehler&) {
                // WITHOUT ROWID table, a view, an ambiguous join: try the primary key.
            }
        }
        if (mitRowid) {
            schluesselSpalten_ = {"rowid"};
        } else {
            detail::Anweisung pk(*verbindung_, "SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk");
            pk.Binden({Variant(tabelle_)});
            while (pk.Schritt()) {
                std::string name = TextOderLeer(reinterpret_cast<const char*>(sqlite3_column_text(pk.Handle(), 0)));
                int gefunden = -1;
                for (int i = 0; i < n && gefunden < 0; ++i)
                    if (GleichOhneGross(spalten_[static_cast<std::size_t>(i)].ursprung, name)) gefunden = i;
                if (gefunden < 0) {
                    schluesselSpalten_.clear();
                    break;
                }
                schluesselSpalten_.push_back(name);
                schluesselIndex.push_back(gefunden);
            }
            if (schluesselSpalten_.empty()) tabelle_.clear();
        }
    }

    detail::Anweisung& lesen = mitRowid ? *mitRowid : abfrage;
    const int versatz = mitRowid ? 1 : 0;
    lesen.Binden(parameters);
    std::set<std::string> schluessel;
    bool eindeutig = true;
    while (lesen.Schritt()) {
        Zeile z;
        z.werte.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            z.werte.push_back(detail::SpaltenWert(lesen.Handle(), i + versatz, spalten_[static_cast<std::size_t>(i)].deklTyp));
        if (mitRowid) z.schluessel.push_back(detail::SpaltenWert(lesen.Handle(), 0, ""));
        for (int i : schluesselIndex) z.schluessel.push_back(z.werte[static_cast<std::size_t>(i)]);
        if (!tabelle_.empty() && !schluessel.insert(SchluesselText(z.schluessel)).second) eindeutig = false;
        zeilen_.push_back(std::move(z));
    }
    // A row that appears twice (a join) cannot be told apart: such a recordset is read-only.
    if (!eindeutig) {
        tabelle_.clear();
        schluesselSpalten_.clear();
    }
    position_ = 0;
}

// --- State and navigation -------------------------------------------------------------------------

void Recordset::Pruefen() const {
    if (geschlossen_) throw LaufzeitFehler(fehlernummer::ObjektUngueltig, "Die Datensatzgruppe ist geschlossen.");
    if (!verbindung_->Offen())
        throw LaufzeitFehler(fehlernummer::ObjektUngueltig, "Die Datenbank '" + verbindung_->Name() + "' ist geschlossen.");
}

bool Recordset::BOF() const {
    Pruefen();
    return zeilen_.empty() || position_ < 0;
}

bool Recordset::EOF() const {
    Pruefen();
    return zeilen_.empty() || position_ >= static_cast<long>(zeilen_.size());
}

const Recordset::Zeile& Recordset::Aktuell() const {
    if (BOF() || EOF()) throw LaufzeitFehler(fehlernummer::KeinAktuellerDatensatz, "Kein aktueller Datensatz.");
    return zeilen_[static_cast<std::size_t>(position_)];
}

void Recordset::MoveFirst() {
    DatenbankStoerung.Punkt("Recordset.MoveFirst", fehlernummer::Gesperrt);
    Pruefen();
    if (zeilen_.empty()) throw LaufzeitFehler(fehlernummer::KeinAktuellerDatensatz, "Kein aktueller Datensatz.");
    CancelUpdate();
    position_ = 0;
}

void Recordset::MoveLast() {
    DatenbankStoerung.Punkt("Recordset.MoveLast", fehlernummer::Gesperrt);
    Pruefen();
    if (zeilen_.empty()) throw LaufzeitFehler(fehlernummer::KeinAktuellerDatensatz, "Kein aktueller Datensatz.");
    CancelUpdate();
    position_ = static_cast<long>(zeilen_.size()) - 1;
}

void Recordset::MoveNext() {
    DatenbankStoerung.Punkt("Recordset.MoveNext", fehlernummer::Gesperrt);
    if (EOF()) throw LaufzeitFehler(fehlernummer::KeinAktuellerDatensatz, "Kein aktueller Datensatz.");
    CancelUpdate();
    ++position_;
}

void Recordset::MovePrevious() {
    DatenbankStoerung.Punkt("Recordset.MovePrevious", fehlernummer::Gesperrt);
    if (BOF()) throw LaufzeitFehler(fehlernummer::KeinAktuellerDatensatz, "Kein aktueller Datensatz.");
    CancelUpdate();
    --position_;
}

long Recordset::RecordCount() const {
    Pruefen();
    return static_cast<long>(zeilen_.size());
}

void Recordset::Close() {
    geschlossen_ = true;
    bearbeiten_ = false;
    geaendert_.clear();
    zeilen_.clear();
}

// --- Fields ---------------------------------------------------------------------------------------

std::size_t Recordset::SpalteSuchen(std::string_view name) const {
    for (std::size_t i = 0; i < spalten_.size(); ++i)
        if (GleichOhneGross(spalten_[i].name, name)) return i;
    throw LaufzeitFehler(fehlernummer::ElementNichtGefunden, "Das Feld '" + std::string(name) + "' gibt es in dieser Abfrage nicht.");
}

Field Recordset::Fields(std::string_view name) {
    Pruefen();
    return Field(*this, SpalteSuchen(name));
}

Field Recordset::Fields(int index) {
    Pruefen();
    if (index < 0 || index >= FieldCount())
        throw LaufzeitFehler(fehlernummer::ElementNichtGefunden, "Das Feld Nummer " + std::to_string(index) + " gibt es nicht.");
    return Field(*this, static_cast<std::size_t>(index));
}

int Recordset::FieldCount() const {
    Pruefen();
    return static_cast<int>(spalten_.size());
}

const std::string& Recordset::SpaltenName(std::size_t spalte) const { return spalten_.at(spalte).name; }

Variant Recordset::Wert(std::size_t spalte) const {
    const Zeile& z = Aktuell();
    if (bearbeiten_) {
        if (auto it = geaendert_.find(spalte); it != geaendert_.end()) return it->second;
    }
    return z.werte.at(spalte);
}

void Recordset::WertSetzen(std::size_t spalte, const Variant& wert) {
    Pruefen();
    if (!bearbeiten_) throw LaufzeitFehler(fehlernummer::UpdateOhneEdit, "Update oder Feldzuweisung ohne Edit.");
    const Spalte& s = spalten_.at(spalte);
    if (s.tabelle != tabelle_ || s.ursprung.empty())
        throw LaufzeitFehler(fehlernummer::FeldNichtAktualisierbar, "Das Feld '" + s.name + "' kann nicht geändert werden.");
    if (wert.IstObjekt())
        throw LaufzeitFehler(vk::fehlernummer::TypenUnvertraeglich, "Ein Objekt kann nicht in einem Feld gespeichert werden.");
    geaendert_[spalte] = wert;
}

// --- Edit and Update ------------------------------------------------------------------------------

bool Recordset::Updatable() const {
    Pruefen();
    return !tabelle_.empty() && (typ_ == dbOpenTable || typ_ == dbOpenDynaset);
}

void Recordset::Edit() {
    DatenbankStoerung.Punkt("Recordset.Edit", fehlernummer::Gesperrt);
    Aktuell();
    if (!Updatable())
        throw LaufzeitFehler(fehlernummer::NichtAktualisierbar,
                             "Die Datensatzgruppe ist schreibgeschützt: ihre Zeilen lassen sich keiner Tabellenzeile zuordnen.");
    bearbeiten_ = true;
    geaendert_.clear();
}

void Recordset::CancelUpdate() {
    bearbeiten_ = false;
    geaendert_.clear();
}

void Recordset::Update() {
    DatenbankStoerung.Punkt("Recordset.Update", fehlernummer::Gesperrt);
    Pruefen();
    if (!bearbeiten_) throw LaufzeitFehler(fehlernummer::UpdateOhneEdit, "Update ohne Edit.");
    Aktuell();
    Zeile& zeile = zeilen_[static_cast<std::size_t>(position_)];
    if (geaendert_.empty()) {
        CancelUpdate();
        return;
    }

    // One assignment per table column (the last one wins when a column appears twice).
    std::vector<std::string> feldnamen;
    std::vector<Variant> parameter;
    for (const auto& [spalte, wert] : geaendert_) {
        const std::string& name = spalten_[spalte].ursprung;
        std::size_t k = 0;
        while (k < feldnamen.size() && !GleichOhneGross(feldnamen[k], name)) ++k;
        if (k == feldnamen.size()) {
            feldnamen.push_back(name);
            parameter.push_back(wert);
        } else {
            parameter[k] = wert;
        }
    }
    std::string sql = "UPDATE " + Bezeichner(tabelle_) + " SET ";
    for (std::size_t k = 0; k < feldnamen.size(); ++k) sql += (k ? ", " : "") + Bezeichner(feldnamen[k]) + " = ?";
    sql += " WHERE ";
    for (std::size_t k = 0; k < schluesselSpalten_.size(); ++k) {
        sql += (k ? " AND " : "") + (schluesselSpalten_[k] == "rowid" ? std::string("_rowid_") : Bezeichner(schluesselSpalten_[k])) + " = ?";
        parameter.push_back(zeile.schluessel.at(k));
    }
    sql += " RETURNING ";
    for (std::size_t k = 0; k < schluesselSpalten_.size(); ++k)
        sql += (schluesselSpalten_[k] == "rowid" ? std::string("_rowid_") : Bezeichner(schluesselSpalten_[k])) + ", ";
    for (std::size_t k = 0; k < feldnamen.size(); ++k) sql += (k ? ", " : "") + Bezeichner(feldnamen[k]);

    const bool eigeneTransaktion = sqlite3_get_autocommit(verbindung_->Handle()) != 0;
    verbindung_->Ausfuehren(eigeneTransaktion ? "BEGIN IMMEDIATE" : "SAVEPOINT vk_update");
    std::vector<Variant> neuerSchluessel;
    std::vector<Variant> neueWerte;
    try {
        {
            detail::Anweisung aendern(*verbindung_, sql);
            aendern.Binden(parameter);
            if (!aendern.Schritt())
                throw LaufzeitFehler(fehlernummer::DatensatzGeloescht,
                                     "Der Datensatz wurde inzwischen von einem anderen Benutzer gelöscht.");
            const std::size_t k = schluesselSpalten_.size();
            for (std::size_t i = 0; i < k; ++i) neuerSchluessel.push_back(detail::SpaltenWert(aendern.Handle(), static_cast<int>(i), ""));
            for (std::size_t i = 0; i < feldnamen.size(); ++i) {
                std::string deklTyp;
                for (const Spalte& s : spalten_)
                    if (GleichOhneGross(s.ursprung, feldnamen[i])) deklTyp = s.deklTyp;
                neueWerte.push_back(detail::SpaltenWert(aendern.Handle(), static_cast<int>(k + i), deklTyp));
            }
            while (aendern.Schritt()) {}
        }
        verbindung_->Ausfuehren(eigeneTransaktion ? "COMMIT" : "RELEASE vk_update");
    } catch (...) {
        try {
            verbindung_->Ausfuehren(eigeneTransaktion ? "ROLLBACK" : "ROLLBACK TO vk_update; RELEASE vk_update");
        } catch (...) {
        }
        throw;
    }

    // The row now holds what the database stored (after its type conversions).
    zeile.schluessel = std::move(neuerSchluessel);
    for (std::size_t i = 0; i < spalten_.size(); ++i)
        for (std::size_t k = 0; k < feldnamen.size(); ++k)
            if (GleichOhneGross(spalten_[i].ursprung, feldnamen[k])) zeile.werte[i] = neueWerte[k];
    CancelUpdate();
}

}  // namespace vk::dao
