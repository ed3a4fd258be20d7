#include "common/nachricht.h"

namespace vk {
namespace {
std::shared_ptr<NachrichtenDienst>& Aktiv() {
    static std::shared_ptr<NachrichtenDienst> dienst;
    return dienst;
}
}  // namespace

int SkriptNachrichtenDienst::Zeigen(const std::string& text, int flags, const std::string& titel) {
    gestellt_.push_back({text, flags, titel});
    if (!antworten_.empty()) {
        int code = antworten_.front();
        antworten_.pop_front();
        return code;
    }
    switch (flags & 7) {
    case msgbox::JaNein: return msgbox::Nein;
    case msgbox::OKAbbrechen: case msgbox::JaNeinAbbrechen: case msgbox::WiederholenAbbrechen:
        return msgbox::Abbrechen;
    case msgbox::AbbruchWiederholenIgnorieren: return msgbox::Abbruch;
    default: return msgbox::OK;
    }
}

SkriptNachrichtenDienst& StandardNachrichten() {
    static SkriptNachrichtenDienst dienst;
    return dienst;
}

NachrichtenDienst& Nachrichten() {
    if (auto& d = Aktiv()) return *d;
    return StandardNachrichten();
}

void NachrichtenDienstSetzen(std::shared_ptr<NachrichtenDienst> dienst) { Aktiv() = std::move(dienst); }

}  // namespace vk
