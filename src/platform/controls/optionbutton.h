// Option buttons in indexed groups (control arrays such as optArt(0) to optArt(2)): selecting one
// clears the others of its group and raises Click with its index.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/control.h"

namespace vk::ui {

class OptionGruppe;

class OptionButton : public Control {
public:
    Art Kind() const override { return Art::OptionButton; }

    bool Value() const noexcept { return value_; }
    // true selects this button (clears the others, Click when it was not selected); false clears it.
    void SetValue(bool value);
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);
    OptionGruppe& Gruppe() const noexcept { return *gruppe_; }

private:
    friend class OptionGruppe;
    OptionButton(Control& parent, const std::string& name, int index, OptionGruppe& gruppe);
    void Löschen();

    bool value_ = false;
    std::string caption_;
    OptionGruppe* gruppe_;
};

// The control array: buttons NAME(0) .. NAME(anzahl - 1) in one container.
class OptionGruppe {
public:
    OptionGruppe(Control& parent, std::string name, int anzahl);
    OptionGruppe(const OptionGruppe&) = delete;
    OptionGruppe& operator=(const OptionGruppe&) = delete;

    const std::string& Name() const noexcept { return name_; }
    int Count() const noexcept { return static_cast<int>(knöpfe_.size()); }
    OptionButton& operator()(int index) const;  // run-time error 9 outside the group
    int Gewählt() const;                        // index of the selected button, -1 for none

    Ereignis<int> Click;  // with the index of the button selected

private:
    friend class OptionButton;
    std::string name_;
    std::vector<std::unique_ptr<OptionButton>> knöpfe_;
};

}  // namespace vk::ui
