#include "platform/dao/workspace.h"

#include <cctype>
#include <string>

#include "common/stoerstelle.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/database.h"
#include "platform/dao/sqltext.h"
#include "platform/dao/verbindung.h"

namespace vk::dao {

bool IstServerAdresse(std::string_view name) {
    for (std::string_view schema : {"postgresql://", "postgres://"})
        if (name.size() >= schema.size() && detail::GleichOhneGross(name.substr(0, schema.size()), schema)) return true;
    return false;
}

namespace {

// A parameter name as the connection library reads it: %XX decoded, compared without case.
bool IstPasswortParameter(std::string_view name) {
    std::string klar;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        };
        if (name[i] == '%' && i + 2 < name.size() && hex(name[i + 1]) >= 0 && hex(name[i + 2]) >= 0) {
            klar += static_cast<char>(hex(name[i + 1]) * 16 + hex(name[i + 2]));
            i += 2;
        } else {
            klar += name[i];
        }
    }
    if (klar.size() != 8) return false;
    for (std::size_t i = 0; i < klar.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(klar[i])) != "password"[i]) return false;
    return true;
}

}  // namespace

std::string OhnePasswort(std::string_view adresse) {
    if (!IstServerAdresse(adresse)) return std::string(adresse);
    const std::size_t anfang = adresse.find("://") + 3;
    std::size_t ende = adresse.find_first_of("/?", anfang);
    if (ende == std::string_view::npos) ende = adresse.size();
    std::string ohne(adresse.substr(0, anfang));
    // user:password@host -> user@host
    std::string_view stelle = adresse.substr(anfang, ende - anfang);
    if (std::size_t at = stelle.rfind('@'); at != std::string_view::npos) {
        std::string_view benutzer = stelle.substr(0, at);
        ohne += benutzer.substr(0, benutzer.find(':'));
        ohne += stelle.substr(at);
    } else {
        ohne += stelle;
    }
    // ...?password=x&host=y -> ...?host=y
    std::string_view rest = adresse.substr(ende);
    const std::size_t frage = rest.find('?');
    ohne += rest.substr(0, frage);
    if (frage == std::string_view::npos) return ohne;
    std::string parameter;
    std::string_view liste = rest.substr(frage + 1);
    while (!liste.empty()) {
        const std::size_t und = liste.find('&');
        const std::string_view p = liste.substr(0, und);
        if (!IstPasswortParameter(p.substr(0, p.find('=')))) parameter += (parameter.empty() ? "" : "&") + std::string(p);
        liste = und == std::string_view::npos ? std::string_view() : liste.substr(und + 1);
    }
    if (!parameter.empty()) ohne += "?" + parameter;
    return ohne;
}

std::shared_ptr<Database> Workspace::OpenDatabase(const std::string& name, bool readOnly) {
    DatenbankStoerung.Punkt("Workspace.OpenDatabase", fehlernummer::DateiNichtZuOeffnen);
    std::shared_ptr<detail::Verbindung> verbindung = IstServerAdresse(name)
                                                         ? detail::PgOeffnen(name, readOnly, wartezeit_)
                                                         : detail::SqliteOeffnen(name, readOnly, wartezeit_);
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
