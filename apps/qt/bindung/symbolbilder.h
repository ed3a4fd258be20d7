// Pictures of the controls layer as Qt icons: the button images "OK", "Abbruch", "Dokument" and
// "Löschen" and the dialogs' window icon, taken from the style's standard icons.
#pragma once

#include <QIcon>

#include "platform/controls/symbole.h"

namespace vkhost {

// An empty icon for an empty or unknown picture.
QIcon Symbolbild(const vk::ui::Bild& bild);

}  // namespace vkhost
