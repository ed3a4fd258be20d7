#include "platform/controls/control.h"

#include <algorithm>
#include <utility>

#include "platform/controls/form.h"

namespace vk::ui {

Control::Control(Control& parent, std::string name, int index)
    : name_(std::move(name)), index_(index), parent_(&parent), form_(&parent.ParentForm()) {
    form_->Registrieren(*this);
}

Control::Control(std::string name, Form& form) : name_(std::move(name)), form_(&form) {}

Control::~Control() {
    if (static_cast<Control*>(form_) != this) form_->Abmelden(*this);
}

std::string Control::VollerName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Geändert();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Geändert();
}

bool Control::Bedienbar() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->enabled_ || !c->visible_) return false;
    return true;
}

void Control::SetLeft(int twips) { SetLage({twips, geometrie_.oben, geometrie_.breite, geometrie_.höhe}); }
void Control::SetTop(int twips) { SetLage({geometrie_.links, twips, geometrie_.breite, geometrie_.höhe}); }
void Control::SetWidth(int twips) { SetLage({geometrie_.links, geometrie_.oben, twips, geometrie_.höhe}); }
void Control::SetHeight(int twips) { SetLage({geometrie_.links, geometrie_.oben, geometrie_.breite, twips}); }
void Control::Move(int links, int oben, int breite, int höhe) { SetLage({links, oben, breite, höhe}); }

void Control::SetLage(const Geometrie& g) {
    if (geometrie_ == g) return;
    geometrie_ = g;
    Geändert();
}

bool Control::HatFokus() const { return form_->ActiveControl() == this; }

void Control::SetFocus() { form_->FokusSetzen(this); }

int Control::Beobachten(Beobachter beobachter) {
    beobachter_.emplace_back(++letzterBeobachter_, std::move(beobachter));
    return letzterBeobachter_;
}

void Control::NichtMehrBeobachten(int nummer) {
    std::erase_if(beobachter_, [nummer](const auto& b) { return b.first == nummer; });
}

void Control::Geändert() {
    const auto kopie = beobachter_;
    for (const auto& [nummer, b] : kopie) b(*this);
}

}  // namespace vk::ui
