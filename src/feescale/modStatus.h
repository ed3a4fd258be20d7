// The three value-dependent fee scales of the fee ordinance (euro, unrounded).
#pragma once

#include <cstddef>

namespace vk {

// A negative land value, area or number of points (a typing slip) counts as 0.

// Fee by area (m²) and land value (€/m²): scale 1. The area counts in whole square metres, the land
// value in cents, as the fee table prints its class.
double Gebührenstaffel1(const double& Bodenwert, const double& Fläche);
// The column of scale 1 for a land value (0 to 5): up to 1,00 / 1,01 - 10,00 / 10,01 - 40,00 /
// 40,01 - 100,00 / 100,01 - 250,00 / above 250,00 €/m².
std::size_t Bodenwertspalte(double Bodenwert);

// Fee per boundary point by land value and number of points: scale 3, part B.
double Grenzfeststellung_B(double Bodenwert, double Grenzpunkte);

// Fee by construction cost (euro); above the table 1.2 × √cost. A negative cost is logged and gives 0.
double Gebäudevermessung(const double& Baukosten);

}  // namespace vk
