// The three value-dependent fee scales of the fee ordinance (declared in the public interface), and
// the land-value column of scale 1 that the fee table prints as a class.
#pragma once

#include <cstddef>

#include "vk_lp_08/gebuehrenstaffeln.h"

namespace vk {

// The column of scale 1 for a land value (0 to 5): up to 1,00 / 1,01 - 10,00 / 10,01 - 40,00 /
// 40,01 - 100,00 / 100,01 - 250,00 / above 250,00 €/m².
std::size_t Bodenwertspalte(double Bodenwert);

}  // namespace vk
