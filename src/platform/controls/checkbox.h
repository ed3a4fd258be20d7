// Check box: value 0 (unticked) or 1 (ticked); a change of the value raises Click, whether code or a
// person changed it.
#pragma once

#include <string>

#include "platform/controls/control.h"

namespace vk::ui {

class CheckBox : public Control {
public:
    CheckBox(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::CheckBox; }

    int Value() const noexcept { return value_; }
    void SetValue(int value);  // 0 or 1, anything else is run-time error 5
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);

    Ereignis<> Click;

private:
    int value_ = 0;
    std::string caption_;
};

}  // namespace vk::ui
