// The desktop host on the generated invoices of real tables: opening one (the window with the pages
// in view), the preview set to its end, and a dialog's "&OK" (saved, the preview showing the table
// written). Wall time: what a person waits for. Offscreen, no screen needed.
#pragma once

#include <filesystem>
#include <vector>

#include "messungen.h"

namespace vkbench {

extern const std::vector<Operation> kHostOperationen;

// Registers the host's benchmarks; needs a QApplication.
void HostMessungenRegistrieren(const std::filesystem::path& ordner);

}  // namespace vkbench
