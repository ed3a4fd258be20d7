#include "bindung/aktion.h"

#include <QApplication>
#include <exception>
#include <iostream>

#include "common/fehler.h"
#include "platform/controls/formen.h"

namespace vkhost {

namespace {
int tiefe = 0;
std::function<void()>& Beobachter() {
    static std::function<void()> b;
    return b;
}
std::function<bool(Aktionsart)>& Vorbereiter() {
    static std::function<bool(Aktionsart)> v;
    return v;
}
std::function<void(const std::string&)>& Melden() {
    static std::function<void(const std::string&)> m = [](const std::string& t) { std::cerr << t << '\n'; };
    return m;
}
}  // namespace

bool Ausführen(const std::function<void()>& aktion, Aktionsart art) {
    bool gelungen = true;
    const bool aussen = tiefe == 0;
    ++tiefe;
    try {
        // The host may refuse the action before it runs: a person declined (false), or a confirmation
        // whose record cannot wait for the save (an error).
        if (aussen && Vorbereiter() && !Vorbereiter()(art)) gelungen = false;
        else aktion();
    } catch (const vk::LaufzeitFehler& f) {
        gelungen = false;
        QApplication::beep();
        Melden()(f.Beschreibung());
    } catch (const std::exception& e) {
        gelungen = false;
        QApplication::beep();
        Melden()(e.what());
    }
    --tiefe;
    if (tiefe == 0) {
        vk::ui::Formen::Aufräumen();
        if (Beobachter()) Beobachter()();
    }
    return gelungen;
}

bool AktionLäuft() { return tiefe > 0; }

void VorJederAktion(std::function<bool(Aktionsart)> beobachter) { Vorbereiter() = std::move(beobachter); }
void NachJederAktion(std::function<void()> beobachter) { Beobachter() = std::move(beobachter); }

void FehlerMelden(std::function<void(const std::string&)> melden) { Melden() = std::move(melden); }

}  // namespace vkhost
