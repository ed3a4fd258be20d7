// A short invoice letter with the tags the fee tables and totals need: "kalStart" where the tables
// go, and "kalGesamt", "kalNetto", "kalMwSt", "kalBrutto", "kalAuslagen" on the amounts of the letter
// text. The demo and the benchmarks start from it.
#pragma once

#include <memory>

#include "platform/word/document.h"

namespace vk {

std::shared_ptr<word::Document> BeispielVorlage();

}  // namespace vk
