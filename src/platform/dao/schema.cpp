#include "platform/dao/schema.h"

#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include <unistd.h>

#include "common/fehler.h"
#include "platform/dao/verbindung.h"

#ifndef VK_SCHEMA_FILE
#error "VK_SCHEMA_FILE must name sql/schema.sql"
#endif

namespace vk::dao {
namespace {

constexpr int kDateiExistiertBereits = 58;

// A temporary name next to the target, so the final rename stays on one file system.
std::filesystem::path Zwischendatei(const std::filesystem::path& datei) {
    auto pfad = datei;
    pfad += ".neu-" + std::to_string(::getpid());
    return pfad;
}

}  // namespace

std::filesystem::path SchemaDatei() { return VK_SCHEMA_FILE; }

std::string SchemaText(const std::filesystem::path& datei) {
    std::ifstream ein(datei, std::ios::binary);
    if (!ein)
        throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Die Schemadatei '" + datei.string() + "' gibt es nicht.");
    std::ostringstream text;
    text << ein.rdbuf();
    return text.str();
}

void DatenbankAnlegen(const std::filesystem::path& datei, const std::filesystem::path& schema) {
    std::error_code ec;
    if (std::filesystem::exists(datei, ec))
        throw LaufzeitFehler(kDateiExistiertBereits, "Die Datenbank '" + datei.string() + "' gibt es schon.");
    const std::string text = SchemaText(schema);
    const auto zwischen = Zwischendatei(datei);
    std::filesystem::remove(zwischen, ec);
    try {
        sqlite3* db = nullptr;
        int rc = sqlite3_open_v2(zwischen.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        detail::Verbindung verbindung(db, datei.string());
        if (rc != SQLITE_OK) throw verbindung.Fehler(rc);
        verbindung.Ausfuehren(("BEGIN;\n" + text + "\nCOMMIT;").c_str());
        verbindung.Schliessen();
        std::filesystem::rename(zwischen, datei);
    } catch (const std::filesystem::filesystem_error& e) {
        std::filesystem::remove(zwischen, ec);
        throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, e.what());
    } catch (...) {
        std::filesystem::remove(zwischen, ec);
        throw;
    }
}

}  // namespace vk::dao
