#include "platform/controls/checkbox.h"

#include <utility>

#include "common/fehler.h"

namespace vk::ui {

CheckBox::CheckBox(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void CheckBox::SetValue(int value) {
    if (value != 0 && value != 1)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                             VollerName() + ": der Wert " + std::to_string(value) + " ist nicht 0 oder 1");
    if (value_ == value) return;
    value_ = value;
    Geändert();
    Click.Auslösen();
}

void CheckBox::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Geändert();
}

}  // namespace vk::ui
