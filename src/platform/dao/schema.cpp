#include "platform/dao/schema.h"

#include <fstream>
#include <sstream>

#include <unistd.h>

#include "common/fehler.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/verbindung.h"
#include "platform/dao/workspace.h"

namespace vk::dao {
namespace detail {
extern const std::string_view kSchemaText;  // generated from sql/schema.sql
}

namespace {

// A temporary name next to the target, so the final rename stays on one file system.
std::filesystem::path Zwischendatei(const std::filesystem::path& datei) {
    auto pfad = datei;
    pfad += ".neu-" + std::to_string(::getpid());
    return pfad;
}

void Anlegen(const std::string& name, const std::string& text) {
    if (IstServerAdresse(name)) {
        detail::PgSchemaAnlegen(name, text);
        return;
    }
    const std::filesystem::path datei = name;
    std::error_code ec;
    if (std::filesystem::exists(datei, ec))
        throw LaufzeitFehler(fehlernummer::SchonVorhanden, "Die Datenbank '" + datei.string() + "' gibt es schon.");
    const auto zwischen = Zwischendatei(datei);
    std::filesystem::remove(zwischen, ec);
    try {
        detail::SqliteSchemaAnlegen(zwischen.string(), datei.string(), text);
        std::filesystem::rename(zwischen, datei);
    } catch (const std::filesystem::filesystem_error& e) {
        std::filesystem::remove(zwischen, ec);
        throw LaufzeitFehler(vk::fehlernummer::DateiZugriffsfehler, e.what());
    } catch (...) {
        std::filesystem::remove(zwischen, ec);
        throw;
    }
}

}  // namespace

std::string_view SchemaText() { return detail::kSchemaText; }

std::string SchemaText(const std::filesystem::path& datei) {
    std::ifstream ein(datei, std::ios::binary);
    if (!ein)
        throw LaufzeitFehler(vk::fehlernummer::DateiNichtGefunden, "Die Schemadatei '" + datei.string() + "' gibt es nicht.");
    std::ostringstream text;
    text << ein.rdbuf();
    return text.str();
}

void DatenbankAnlegen(const std::string& name) { Anlegen(name, std::string(SchemaText())); }

void DatenbankAnlegen(const std::string& name, const std::filesystem::path& schema) { Anlegen(name, SchemaText(schema)); }

}  // namespace vk::dao
