// Which dialog Show opens for a fee category. Each category dialog registers its opener (0 to 5)
// when the library loads; the opener creates the dialog on first use, shows it, and brings an
// already open one forward without loading it again.
#pragma once

#include <functional>

namespace vk {

using DialogOeffner = std::function<void()>;

inline constexpr int kDialogAnzahl = 6;

// Registers the opener of category `index` (0 to 5, else error 5) and returns the one it
// replaces (empty when there was none), so a test can put it back.
DialogOeffner DialogRegistrieren(int index, DialogOeffner oeffnen);

// Runs the opener of category `index`. Returns false, doing nothing, for an index outside 0 to 5
// or a category without a registered dialog.
bool DialogOeffnen(int index);

}  // namespace vk
