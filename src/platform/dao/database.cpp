#include "platform/dao/database.h"

#include "common/stoerstelle.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/recordset.h"
#include "platform/dao/verbindung.h"

namespace vk::dao {

Database::Database(std::shared_ptr<detail::Verbindung> verbindung) : verbindung_(std::move(verbindung)) {}

std::shared_ptr<Recordset> Database::OpenRecordset(std::string_view statement, int type) {
    return OpenRecordset(statement, {}, type);
}

std::shared_ptr<Recordset> Database::OpenRecordset(std::string_view statement, const std::vector<Variant>& parameters,
                                                   int type) {
    DatenbankStoerung.Punkt("Database.OpenRecordset", fehlernummer::Gesperrt);
    verbindung_->Pruefen();  // 3420 when closed
    return std::make_shared<Recordset>(verbindung_, statement, parameters, type);
}

void Database::Execute(std::string_view statement) { Execute(statement, {}); }

void Database::Execute(std::string_view statement, const std::vector<Variant>& parameters) {
    DatenbankStoerung.Punkt("Database.Execute", fehlernummer::Gesperrt);
    verbindung_->Pruefen();
    auto anweisung = verbindung_->Vorbereiten(statement);
    if (anweisung->Spaltenanzahl() > 0)
        throw LaufzeitFehler(fehlernummer::AuswahlabfrageAusfuehren,
                             "Execute führt keine Abfrage aus, die Datensätze liefert; dafür gibt es OpenRecordset.");
    anweisung->Binden(parameters);
    while (anweisung->Schritt()) {}
    betroffen_ = anweisung->Geaendert();
}

void Database::BeginTrans() {
    DatenbankStoerung.Punkt("Database.BeginTrans", fehlernummer::Gesperrt);
    if (InTransaction())
        throw LaufzeitFehler(fehlernummer::KeineTransaktion, "In der Datenbank '" + Name() + "' läuft schon eine Transaktion.");
    verbindung_->Beginnen();
}

void Database::CommitTrans() {
    DatenbankStoerung.Punkt("Database.CommitTrans", fehlernummer::Gesperrt);
    if (!InTransaction())
        throw LaufzeitFehler(fehlernummer::KeineTransaktion, "In der Datenbank '" + Name() + "' läuft keine Transaktion.");
    verbindung_->Ausfuehren("COMMIT");
}

void Database::Rollback() {
    DatenbankStoerung.Punkt("Database.Rollback", fehlernummer::Gesperrt);
    if (!InTransaction())
        throw LaufzeitFehler(fehlernummer::KeineTransaktion, "In der Datenbank '" + Name() + "' läuft keine Transaktion.");
    verbindung_->Ausfuehren("ROLLBACK");
}

bool Database::InTransaction() const { return verbindung_->InTransaktion(); }

void Database::Close() { verbindung_->Schliessen(); }

const std::string& Database::Name() const { return verbindung_->Name(); }

}  // namespace vk::dao
