// What a person has entered in a dialog, as one text: to tell, when the host is closed, whether a
// dialog holds edits that were not confirmed. Blanks around a value do not count (leaving a field
// right-aligns its number), nor do the grid's current cell and the selections.
#pragma once

#include <string>

#include "platform/controls/form.h"

namespace vkhost {

std::string Eingabestand(const vk::ui::Form& form);

}  // namespace vkhost
