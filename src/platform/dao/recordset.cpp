#include "platform/dao/recordset.h"

#include <cctype>
#include <set>

#include "common/konvertierung.h"
#include "common/stoerstelle.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/database.h"
#include "platform/dao/sqltext.h"

namespace vk::dao {
namespace {

using detail::Bezeichner;
using detail::GleichOhneGross;

std::string_view Trimmen(std::string_view s) {
    const char* leer = " \t\r\n";
    std::size_t a = s.find_first_not_of(leer);
    if (a == std::string_view::npos) return {};
    return s.substr(a, s.find_last_not_of(leer) - a + 1);
}

bool IstNamenszeichen(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// A bare table name ("Version" or "[Version]") opens the whole table.
std::string AnweisungFuer(std::string_view statement, const detail::Verbindung& verbindung) {
    std::string_view s = Trimmen(statement);
    if (s.size() > 2 && s.front() == '[' && s.back() == ']') s = s.substr(1, s.size() - 2);
    if (s.empty()) return std::string(statement);
    for (char c : s)
        if (!IstNamenszeichen(c)) return std::string(statement);
    if (std::isdigit(static_cast<unsigned char>(s.front()))) return std::string(statement);
    return "SELECT * FROM " + verbindung.Tabellenbezeichner(s);
}

// Whether each result row can be one table row: no grouping, aggregates or compound queries.
bool EineZeileJeTabellenzeile(std::string_view sql) {
    static const std::set<std::string> kMehrdeutig = {"DISTINCT", "GROUP", "HAVING", "UNION", "INTERSECT", "EXCEPT", "WITH",
                                                      "VALUES", "COUNT", "MIN", "MAX", "SUM", "AVG", "TOTAL", "GROUP_CONCAT",
                                                      "STRING_AGG", "ARRAY_AGG"};
    for (const std::string& w : detail::Woerter(sql))
        if (kMehrdeutig.count(w)) return false;
    return true;
}

// "SELECT a, b FROM t" as "SELECT k1, k2, a, b FROM t"; empty when the statement has another form.
std::string MitSchluessel(std::string_view sql, const std::vector<std::string>& schluessel) {
    std::string_view s = Trimmen(sql);
    if (s.size() < 7 || !GleichOhneGross(s.substr(0, 6), "SELECT") || !std::isspace(static_cast<unsigned char>(s[6])))
        return {};
    std::string_view rest = Trimmen(s.substr(6));
    if (rest.size() >= 3 && GleichOhneGross(rest.substr(0, 3), "ALL") && (rest.size() == 3 || !IstNamenszeichen(rest[3])))
        return {};
    std::string mit = "SELECT ";
    for (const std::string& k : schluessel) mit += k + ", ";
    return mit + std::string(rest);
}

// A text that tells keys apart: its type and its value.
std::string SchluesselText(const std::vector<Variant>& werte) {
    std::string text;
    for (const Variant& w : werte) {
        text += std::to_string(static_cast<int>(w.Typ())) + ':';
        switch (w.Typ()) {
        case VarTyp::Long: text += std::to_string(w.AlsLong()); break;
        case VarTyp::Double: text += CZahlText(w.AlsDouble()); break;
        case VarTyp::String: text += w.AlsString(); break;
        case VarTyp::Date: text += CZahlText(w.AlsDatum().wert); break;
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
    Lesen(AnweisungFuer(statement, *verbindung_), parameters);
}

void Recordset::Lesen(std::string_view sql, const std::vector<Variant>& parameters) {
    std::unique_ptr<detail::Anweisung> abfrage = verbindung_->Vorbereiten(sql);
    if (!abfrage->NurLesend() || abfrage->Spaltenanzahl() == 0)
        throw LaufzeitFehler(fehlernummer::UngueltigeOperation,
                             "OpenRecordset braucht eine Abfrage, die Datensätze liefert; die Anweisung ändert Daten.");
    const int n = abfrage->Spaltenanzahl();
    bool eineTabelle = (typ_ == dbOpenTable || typ_ == dbOpenDynaset) && EineZeileJeTabellenzeile(sql);
    for (int i = 0; i < n; ++i) {
        const detail::Spalteninfo& s = abfrage->Spalte(i);
        // Computed columns are allowed (they cannot be assigned); columns of a second table are not.
        if (!s.tabelle.empty()) {
            if (tabelle_.empty()) {
                schema_ = s.schema;
                tabelle_ = s.tabelle;
            } else if (s.tabelle != tabelle_ || s.schema != schema_) {
                eineTabelle = false;
            }
        }
        spalten_.push_back(s);
    }
    if (!eineTabelle || tabelle_.empty()) {
        eineTabelle = false;
        schema_.clear();
        tabelle_.clear();
    }

    // Rows of one table get their key, read along with the row.
    std::vector<int> schluesselIndex;  // positions of the key columns in the result of `lesen`
    std::unique_ptr<detail::Anweisung> mitSchluessel;
    if (eineTabelle) mitSchluessel = SchluesselFinden(sql, schluesselIndex);
    if (schluesselSpalten_.empty()) {
        schema_.clear();
        tabelle_.clear();
    }

    detail::Anweisung& lesen = mitSchluessel ? *mitSchluessel : *abfrage;
    const int versatz = lesen.Spaltenanzahl() - n;  // key columns put in front
    lesen.Binden(parameters);
    std::set<std::string> schluessel;
    bool eindeutig = true;
    while (lesen.Schritt()) {
        Zeile z;
        z.werte.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) z.werte.push_back(lesen.Wert(i + versatz, spalten_[static_cast<std::size_t>(i)].typ));
        for (int i : schluesselIndex) z.schluessel.push_back(i < versatz ? lesen.Wert(i, "") : z.werte[static_cast<std::size_t>(i - versatz)]);
        if (!tabelle_.empty() && !schluessel.insert(SchluesselText(z.schluessel)).second) eindeutig = false;
        zeilen_.push_back(std::move(z));
    }
    // A row that appears twice (a join) cannot be told apart: such a recordset is read-only.
    if (!eindeutig) {
        schema_.clear();
        tabelle_.clear();
        schluesselSpalten_.clear();
    }
    position_ = 0;
}

// The key of the rows: the primary key when every column of it is in the result; else the primary
// key, or failing that the row id, put in front of the statement's own columns. Returns that
// rewritten statement (null when the result holds the key), sets schluesselSpalten_ and the
// key's positions; leaves schluesselSpalten_ empty when no key is found (read-only).
std::unique_ptr<detail::Anweisung> Recordset::SchluesselFinden(std::string_view sql, std::vector<int>& schluesselIndex) {
    const std::vector<std::string> pk = verbindung_->Primaerschluessel(schema_, tabelle_);
    std::vector<int> gefunden;
    for (const std::string& name : pk) {
        for (std::size_t i = 0; i < spalten_.size(); ++i)
            if (spalten_[i].tabelle == tabelle_ && GleichOhneGross(spalten_[i].ursprung, name)) {
                gefunden.push_back(static_cast<int>(i));
                break;
            }
    }
    if (!pk.empty() && gefunden.size() == pk.size()) {
        for (const std::string& name : pk) schluesselSpalten_.push_back(Bezeichner(name));
        schluesselIndex = gefunden;
        return nullptr;
    }

    std::vector<std::vector<std::string>> kandidaten;
    if (!pk.empty()) {
        kandidaten.emplace_back();
        for (const std::string& name : pk) kandidaten.back().push_back(Bezeichner(name));
    }
    kandidaten.push_back({verbindung_->Zeilenkennung()});
    const int n = static_cast<int>(spalten_.size());
    for (const auto& kandidat : kandidaten) {
        const std::string umgeschrieben = MitSchluessel(sql, kandidat);
        if (umgeschrieben.empty()) return nullptr;
        const int k = static_cast<int>(kandidat.size());
        try {
            auto a = verbindung_->Vorbereiten(umgeschrieben);
            bool passt = a->Spaltenanzahl() == n + k;
            for (int i = 0; passt && i < k; ++i) passt = a->Spalte(i).tabelle == tabelle_ && a->Spalte(i).schema == schema_;
            if (!passt) continue;
            schluesselSpalten_ = kandidat;
            for (int i = 0; i < k; ++i) schluesselIndex.push_back(i);
            return a;
        } catch (const LaufzeitFehler&) {
            // A view, a table without row id, an ambiguous join: try the next, else read-only.
        }
    }
    return nullptr;
}

// --- State and navigation -------------------------------------------------------------------------

void Recordset::Pruefen() const {
    if (geschlossen_) throw LaufzeitFehler(fehlernummer::ObjektUngueltig, "Die Datensatzgruppe ist geschlossen.");
    verbindung_->Pruefen();
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
    const detail::Spalteninfo& s = spalten_.at(spalte);
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
    std::string sql = "UPDATE " + Bezeichner(schema_) + "." + Bezeichner(tabelle_) + " SET ";
    for (std::size_t k = 0; k < feldnamen.size(); ++k) sql += (k ? ", " : "") + Bezeichner(feldnamen[k]) + " = ?";
    sql += " WHERE ";
    for (std::size_t k = 0; k < schluesselSpalten_.size(); ++k) {
        sql += (k ? " AND " : "") + schluesselSpalten_[k] + " = ?";
        parameter.push_back(zeile.schluessel.at(k));
    }
    sql += " RETURNING ";
    for (const std::string& k : schluesselSpalten_) sql += k + ", ";
    for (std::size_t k = 0; k < feldnamen.size(); ++k) sql += (k ? ", " : "") + Bezeichner(feldnamen[k]);

    const bool eigeneTransaktion = !verbindung_->InTransaktion();
    if (eigeneTransaktion) verbindung_->Beginnen();
    else verbindung_->Ausfuehren("SAVEPOINT vk_update");
    std::vector<Variant> neuerSchluessel;
    std::vector<Variant> neueWerte;
    try {
        {
            auto aendern = verbindung_->Vorbereiten(sql);
            aendern->Binden(parameter);
            if (!aendern->Schritt())
                throw LaufzeitFehler(fehlernummer::DatensatzGeloescht,
                                     "Der Datensatz wurde inzwischen von einem anderen Benutzer gelöscht.");
            const std::size_t k = schluesselSpalten_.size();
            for (std::size_t i = 0; i < k; ++i) neuerSchluessel.push_back(aendern->Wert(static_cast<int>(i), ""));
            for (std::size_t i = 0; i < feldnamen.size(); ++i) {
                std::string typ;
                for (const detail::Spalteninfo& s : spalten_)
                    if (GleichOhneGross(s.ursprung, feldnamen[i])) typ = s.typ;
                neueWerte.push_back(aendern->Wert(static_cast<int>(k + i), typ));
            }
            while (aendern->Schritt()) {}
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
