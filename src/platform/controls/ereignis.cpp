#include "platform/controls/ereignis.h"

namespace vk::ui {

namespace {
int tiefe = 0;
}

Ablauf::Ablauf() noexcept { ++tiefe; }
Ablauf::~Ablauf() { --tiefe; }
int Ablauf::Tiefe() noexcept { return tiefe; }

}  // namespace vk::ui
