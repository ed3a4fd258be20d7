// The table-choice dialog as a modal Qt dialog over the active window: the form's frame of options
// and its OK button, placed where the form's stored placement says; pressing OK hides the form and
// closes the dialog, and the dialog's place goes back into the form, which stores it on unloading.
// Closing the dialog otherwise keeps the choice as it stands.
#pragma once

#include "document/G_frmTabelle.h"

namespace vkhost {

void TabellenwahlZeigen(vk::G_frmTabelle& form);

}  // namespace vkhost
