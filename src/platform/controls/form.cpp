#include "platform/controls/form.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "common/fehler.h"
#include "platform/controls/formen.h"

namespace vk::ui {

namespace {

Fenster NeuesFenster() {
    static Fenster letztes = 0x1000;
    return letztes += 4;
}

bool GleichOhneGrossschreibung(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

Form::Form(std::string name) : Control(std::move(name), *this) { SetVisible(false); }

Form::~Form() = default;

void Form::SetWindowState(int state) {
    if (state < 0 || state > 2) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "unzulässiger Fensterzustand");
    if (windowState_ == state) return;
    windowState_ = state;
    Geändert();
}

void Form::SetTop(float top) { Control::SetTop(static_cast<int>(std::lround(top))); }
void Form::SetLeft(float left) { Control::SetLeft(static_cast<int>(std::lround(left))); }

void Form::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Geändert();
}

void Form::SetIcon(Bild icon) {
    if (icon_ == icon) return;
    icon_ = std::move(icon);
    Geändert();
}

void Form::Load() {
    if (geladen_) return;
    if (verworfen_)
        throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt,
                             "das Formular " + Name() + " wurde entladen; die nächste Verwendung lädt es neu");
    Ablauf laufend;
    geladen_ = true;
    hwnd_ = NeuesFenster();
    Form_Load();
}

void Form::Show() {
    Ablauf laufend;
    Load();
    if (!geladen_) return;  // Form_Load unloaded the form again
    SetVisible(true);
    Fenstermanager().NachVorne(hwnd_);
}

void Form::Hide() { SetVisible(false); }

void Form::Unload() {
    if (!geladen_) return;
    Ablauf laufend;
    Form_Unload();
    aktiv_ = nullptr;
    geladen_ = false;
    hwnd_ = 0;
    SetVisible(false);
    Formen::Verwerfen(*this);
}

void Form::InHostEinbetten(Fenster host) {
    Fenstermanager().SetParent(hwnd_, host);
    Fenstermanager().SetExtendedStyle(hwnd_, MdiKindMitRand);
}

Control* Form::Finden(std::string_view name, int index) const {
    for (Control* c : controls_)
        if (c->Name() == name && c->Index() == index) return c;
    for (Control* c : controls_)
        if (c->Index() == index && GleichOhneGrossschreibung(c->Name(), name)) return c;
    return nullptr;
}

void Form::FokusSetzen(Control* neu) {
    if (neu == aktiv_) return;
    if (neu) {
        if (!neu->KannFokus())
            throw LaufzeitFehler(fehlernummer::UngueltigesArgument, neu->VollerName() + " kann den Fokus nicht nehmen");
        if (!neu->Bedienbar())
            throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                                 neu->VollerName() + " kann den Fokus nicht nehmen: es ist gesperrt oder verborgen");
    }
    Ablauf laufend;
    Control* alt = aktiv_;
    aktiv_ = neu;
    if (alt) {
        alt->BeimFokusverlust();
        alt->LostFocus.Auslösen();
    }
    if (neu && aktiv_ == neu) neu->GotFocus.Auslösen();
}

void Form::Registrieren(Control& control) {
    for (const Control* c : controls_)
        if (c->Name() == control.Name() && c->Index() == control.Index())
            throw std::logic_error("Das Formular " + Name() + " nennt das Steuerelement " + control.VollerName() + " zweimal");
    controls_.push_back(&control);
}

void Form::Abmelden(Control& control) {
    std::erase(controls_, &control);
    if (aktiv_ == &control) aktiv_ = nullptr;
}

}  // namespace vk::ui
