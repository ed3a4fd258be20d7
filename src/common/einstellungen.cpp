#include "common/einstellungen.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace vk {
namespace {

using Abschnitte = std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>;

std::string Trimmen(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    std::size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

Abschnitte Laden(const std::filesystem::path& datei) {
    Abschnitte abschnitte;
    std::ifstream in(datei);
    std::string zeile;
    while (std::getline(in, zeile)) {
        zeile = Trimmen(zeile);
        if (zeile.empty() || zeile[0] == ';' || zeile[0] == '#') continue;
        if (zeile.front() == '[' && zeile.back() == ']') {
            abschnitte.push_back({zeile.substr(1, zeile.size() - 2), {}});
            continue;
        }
        std::size_t gleich = zeile.find('=');
        if (gleich == std::string::npos || abschnitte.empty()) continue;
        abschnitte.back().second.emplace_back(Trimmen(zeile.substr(0, gleich)), Trimmen(zeile.substr(gleich + 1)));
    }
    return abschnitte;
}

bool Speichern(const std::filesystem::path& datei, const Abschnitte& abschnitte) {
    std::error_code ec;
    std::filesystem::create_directories(datei.parent_path(), ec);
    std::filesystem::path temp = datei;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out) return false;
        for (const auto& [name, eintraege] : abschnitte) {
            out << '[' << name << "]\n";
            for (const auto& [k, v] : eintraege) out << k << '=' << v << '\n';
            out << '\n';
        }
        if (!out.flush()) return false;
    }
    std::filesystem::rename(temp, datei, ec);
    if (ec) std::filesystem::remove(temp, ec);
    return !ec;
}

std::shared_ptr<EinstellungsSpeicher>& Aktiv() {
    static std::shared_ptr<EinstellungsSpeicher> speicher;
    return speicher;
}

}  // namespace

std::filesystem::path IniEinstellungen::Datei(const std::string& anwendung) const {
    std::filesystem::path basis = basis_;
    if (basis.empty()) {
        if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) basis = xdg;
        else if (const char* home = std::getenv("HOME"); home && *home) basis = std::filesystem::path(home) / ".config";
        else basis = ".";
    }
    return basis / anwendung / (anwendung + ".ini");
}

std::string IniEinstellungen::Lesen(const std::string& anwendung, const std::string& abschnitt,
                                    const std::string& schluessel, const std::string& vorgabe) {
    for (const auto& [name, eintraege] : Laden(Datei(anwendung))) {
        if (name != abschnitt) continue;
        for (const auto& [k, v] : eintraege)
            if (k == schluessel) return v;
    }
    return vorgabe;
}

void IniEinstellungen::Schreiben(const std::string& anwendung, const std::string& abschnitt,
                                 const std::string& schluessel, const std::string& wert) {
    std::filesystem::path datei = Datei(anwendung);
    Abschnitte abschnitte = Laden(datei);
    auto it = abschnitte.begin();
    for (; it != abschnitte.end(); ++it)
        if (it->first == abschnitt) break;
    if (it == abschnitte.end()) {
        abschnitte.push_back({abschnitt, {}});
        it = abschnitte.end() - 1;
    }
    bool gefunden = false, geaendert = false;
    for (auto& [k, v] : it->second)
        if (k == schluessel) {
            geaendert = geaendert || v != wert;
            v = wert;
            gefunden = true;
        }
    if (!gefunden) it->second.emplace_back(schluessel, wert);
    // a value stored already is not written again (a dialog stores its place each time it closes)
    if (gefunden && !geaendert) return;
    Speichern(datei, abschnitte);
}

EinstellungsSpeicher& Einstellungen() {
    static IniEinstellungen standard;
    if (auto& s = Aktiv()) return *s;
    return standard;
}

void EinstellungsSpeicherSetzen(std::shared_ptr<EinstellungsSpeicher> speicher) { Aktiv() = std::move(speicher); }

}  // namespace vk
