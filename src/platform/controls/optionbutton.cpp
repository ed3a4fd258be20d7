#include "platform/controls/optionbutton.h"

#include <utility>

#include "common/fehler.h"

namespace vk::ui {

OptionButton::OptionButton(Control& parent, const std::string& name, int index, OptionGruppe& gruppe)
    : Control(parent, name, index), gruppe_(&gruppe) {}

void OptionButton::SetValue(bool value) {
    if (!value) {
        Löschen();
        return;
    }
    if (value_) return;
    for (auto& k : gruppe_->knöpfe_)
        if (k.get() != this) k->Löschen();
    value_ = true;
    Geändert();
    gruppe_->Click.Auslösen(Index());
}

void OptionButton::Löschen() {
    if (!value_) return;
    value_ = false;
    Geändert();
}

void OptionButton::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Geändert();
}

OptionGruppe::OptionGruppe(Control& parent, std::string name, int anzahl) : name_(std::move(name)) {
    for (int i = 0; i < anzahl; ++i)
        knöpfe_.push_back(std::unique_ptr<OptionButton>(new OptionButton(parent, name_, i, *this)));
}

OptionButton& OptionGruppe::operator()(int index) const {
    if (index < 0 || index >= Count())
        throw LaufzeitFehler(fehlernummer::IndexAusserhalb, name_ + "(" + std::to_string(index) + ") gibt es nicht");
    return *knöpfe_[static_cast<std::size_t>(index)];
}

int OptionGruppe::Gewählt() const {
    for (const auto& k : knöpfe_)
        if (k->Value()) return k->Index();
    return -1;
}

}  // namespace vk::ui
