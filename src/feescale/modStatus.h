// The three value-dependent fee scales of the fee ordinance (euro, unrounded).
#pragma once

namespace vk {

// A negative land value, area or number of points (a typing slip) counts as 0.

// Fee by area (m²) and land value (€/m²): scale 1. Land value counts with one decimal.
double Gebührenstaffel1(const double& Bodenwert, const double& Fläche);

// Fee per boundary point by land value and number of points: scale 3, part B.
double Grenzfeststellung_B(double Bodenwert, double Grenzpunkte);

// Fee by construction cost (euro); above the table 1.2 × √cost. A negative cost is logged and gives 0.
double Gebäudevermessung(const double& Baukosten);

}  // namespace vk
