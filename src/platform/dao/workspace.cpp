#include "platform/dao/workspace.h"

#include <sqlite3.h>

#include <filesystem>

#include "common/stoerstelle.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/database.h"
#include "platform/dao/verbindung.h"

namespace vk::dao {
namespace {

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

std::shared_ptr<Database> Workspace::OpenDatabase(const std::string& name, bool readOnly) {
    DatenbankStoerung.Punkt("Workspace.OpenDatabase", fehlernummer::DateiNichtZuOeffnen);
    DateiPruefen(name);
    // A name starting with ':' would be taken as a special in-memory database.
    const std::string pfad = (name[0] == ':') ? "./" + name : name;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(pfad.c_str(), &db, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE, nullptr);
    auto verbindung = std::make_shared<detail::Verbindung>(db, name);  // closes db on every way out
    if (rc != SQLITE_OK) throw verbindung->Fehler(rc);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, static_cast<int>(wartezeit_.count()));
    // Reading the schema finds a foreign or damaged file, and a lock held by another user, now.
    verbindung->Ausfuehren("SELECT count(*) FROM sqlite_schema");

    std::erase_if(verbindungen_, [](const auto& v) { return v.expired(); });
    verbindungen_.push_back(verbindung);
    return std::make_shared<Database>(std::move(verbindung));
}

void Workspace::Close() {
    for (auto& v : verbindungen_)
        if (auto verbindung = v.lock()) verbindung->Schliessen();
    verbindungen_.clear();
}

}  // namespace vk::dao
