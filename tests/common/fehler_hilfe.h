// Test helper: the run-time error an action raises, as number, description and message.
#pragma once

#include <string>

#include "common/fehler.h"

namespace vktest {

struct Fehlerbild {
    int nummer = 0;  // 0 when the action succeeded
    std::string beschreibung;
    std::string text;  // what()
};

template <class Aktion>
Fehlerbild FehlerVon(Aktion&& aktion) {
    try {
        aktion();
    } catch (const vk::LaufzeitFehler& f) {
        return {f.Nummer(), f.Beschreibung(), f.what()};
    }
    return {};
}

}  // namespace vktest
