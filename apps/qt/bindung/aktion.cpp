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
std::function<void(Aktionsart)>& Vorbereiter() {
    static std::function<void(Aktionsart)> v;
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
        // The host may refuse the action before it runs (a confirmation whose record cannot wait
        // for the save).
        if (aussen && Vorbereiter()) Vorbereiter()(art);
        aktion();
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

void VorJederAktion(std::function<void(Aktionsart)> beobachter) { Vorbereiter() = std::move(beobachter); }
void NachJederAktion(std::function<void()> beobachter) { Beobachter() = std::move(beobachter); }

void FehlerMelden(std::function<void(const std::string&)> melden) { Melden() = std::move(melden); }

}  // namespace vkhost
