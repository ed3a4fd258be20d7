#include "platform/controls/fensterverwaltung.h"

namespace vk::ui {

namespace {

std::shared_ptr<KopfloseFensterverwaltung>& Standard() {
    static auto dienst = std::make_shared<KopfloseFensterverwaltung>();
    return dienst;
}

std::shared_ptr<Fensterverwaltung>& Aktuell() {
    static std::shared_ptr<Fensterverwaltung> dienst = Standard();
    return dienst;
}

}  // namespace

KopfloseFensterverwaltung::Eintrag KopfloseFensterverwaltung::Von(Fenster fenster) const {
    auto it = fenster_.find(fenster);
    return it == fenster_.end() ? Eintrag{} : it->second;
}

void KopfloseFensterverwaltung::Zurücksetzen() {
    fenster_.clear();
    nachVorne_.clear();
}

Fensterverwaltung& Fenstermanager() { return *Aktuell(); }
void FensterverwaltungSetzen(std::shared_ptr<Fensterverwaltung> dienst) {
    Aktuell() = dienst ? std::move(dienst) : Standard();
}
KopfloseFensterverwaltung& StandardFensterverwaltung() { return *Standard(); }

}  // namespace vk::ui
