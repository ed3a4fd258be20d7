// The table-choice dialog as a modal Qt dialog over the active window: the form's frame of options,
// its OK button and an "Abbrechen" of the host's, placed where the form's stored placement says and
// kept on the screen. Each existing table offered says what it holds; the category's table is chosen
// at the start when there is one. The arrow keys move the choice, Enter is OK, Escape and
// "Abbrechen" close it without a choice: the host then does not open the category's dialog.
// Pressing OK hides the form and closes the dialog, and the dialog's place goes back into the form,
// which stores it on unloading.
#pragma once

#include "document/G_frmTabelle.h"

namespace vkhost {

void TabellenwahlZeigen(vk::G_frmTabelle& form);

// Whether a table choice was closed without a choice since the last call.
bool TabellenwahlAbgebrochen();

}  // namespace vkhost
