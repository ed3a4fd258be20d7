// The three value-dependent fee scales of the fee ordinance: euro, unrounded (a caller rounds what
// it shows to the cent). Pure functions: no state, nothing to set up, safe from any thread. They
// never throw: a negative construction cost is logged (error 5, module "modStatus") and prices 0.
#pragma once

#include "vk_lp_08/export.h"

namespace vk {

// A negative land value, area or number of points (a typing slip) counts as 0.

// Fee by area (m²) and land value (€/m²): scale 1. The area counts in whole square metres, the land
// value in cents, as the fee table prints its class ("40,01 - 100,00 €/m²").
VK_API double Gebührenstaffel1(const double& Bodenwert, const double& Fläche);

// Fee per boundary point by land value and number of points: scale 3, part B.
VK_API double Grenzfeststellung_B(double Bodenwert, double Grenzpunkte);

// Fee by construction cost (euro); above the table 1.2 × √cost.
VK_API double Gebäudevermessung(const double& Baukosten);

}  // namespace vk
