// Run-time errors of the component: the exception type of the public interface, and the division
// under the error policy.
#pragma once

#include "vk_lp_08/fehler.h"

namespace vk {

// Double division under the error policy: x/0 raises 11, 0/0 raises 6.
double Division(double zaehler, double nenner);

}  // namespace vk
