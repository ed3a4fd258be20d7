// The per-user settings store on QSettings: one INI file per application name, one group per form.
#pragma once

#include <string>

#include "common/einstellungen.h"

namespace vkhost {

class QtEinstellungen : public vk::EinstellungsSpeicher {
public:
    std::string Lesen(const std::string& anwendung, const std::string& abschnitt, const std::string& schluessel,
                      const std::string& vorgabe) override;
    void Schreiben(const std::string& anwendung, const std::string& abschnitt, const std::string& schluessel,
                   const std::string& wert) override;
};

}  // namespace vkhost
