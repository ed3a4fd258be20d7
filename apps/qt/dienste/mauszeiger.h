// The screen's mouse pointer as Qt's busy cursor: the hourglass (11) sets an override cursor over the
// whole application, the default pointer (0) takes it away.
#pragma once

#include "platform/controls/mauszeiger.h"

namespace vkhost {

class QtBildschirm : public vk::ui::Bildschirm {
public:
    ~QtBildschirm() override;
    int MousePointer() const override { return zeiger_; }
    void SetMousePointer(int zeiger) override;
    // How often the hourglass was set since the start: the host sees that a dialog wrote.
    int Sanduhren() const noexcept { return sanduhren_; }

private:
    int zeiger_ = vk::ui::mauszeiger::Standard;
    int sanduhren_ = 0;
    bool überschrieben_ = false;
};

}  // namespace vkhost
