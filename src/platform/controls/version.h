// The component's revision number for the dialogs' version labels ("V " and the number).
#pragma once

#include <string>

namespace vk::ui {

// The third part of the component's version 1.0.0.
inline constexpr int KomponentenRevision = 0;

inline std::string VersionsText() { return "V " + std::to_string(KomponentenRevision); }

}  // namespace vk::ui
