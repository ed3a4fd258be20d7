// The per-user settings store (window placements), an INI file per user by default.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace vk {

class EinstellungsSpeicher {
public:
    virtual ~EinstellungsSpeicher() = default;
    virtual std::string Lesen(const std::string& anwendung, const std::string& abschnitt,
                              const std::string& schluessel, const std::string& vorgabe) = 0;
    virtual void Schreiben(const std::string& anwendung, const std::string& abschnitt,
                           const std::string& schluessel, const std::string& wert) = 0;
};

// INI file "<dir>/<Anwendung>/<Anwendung>.ini" under $XDG_CONFIG_HOME (default ~/.config):
// one section per form name. Writes replace the file atomically.
class IniEinstellungen : public EinstellungsSpeicher {
public:
    IniEinstellungen() = default;
    explicit IniEinstellungen(std::filesystem::path basis) : basis_(std::move(basis)) {}

    std::string Lesen(const std::string& anwendung, const std::string& abschnitt, const std::string& schluessel,
                      const std::string& vorgabe) override;
    void Schreiben(const std::string& anwendung, const std::string& abschnitt, const std::string& schluessel,
                   const std::string& wert) override;

    std::filesystem::path Datei(const std::string& anwendung) const;

private:
    std::filesystem::path basis_;  // empty: from the environment at each call
};

EinstellungsSpeicher& Einstellungen();
void EinstellungsSpeicherSetzen(std::shared_ptr<EinstellungsSpeicher> speicher);  // nullptr restores the INI file

}  // namespace vk
