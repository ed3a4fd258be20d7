// The invoice context's document and application, or run-time error 91 when the host set none.
#pragma once

#include "common/fehler.h"
#include "component/rechnungskontext.h"
#include "platform/word/document.h"

namespace vk {

inline word::Document& Dokument() {
    if (!Kontext().Doc) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *Kontext().Doc;
}

inline word::Application& Anwendung() {
    if (!Kontext().WordApp) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *Kontext().WordApp;
}

}  // namespace vk
