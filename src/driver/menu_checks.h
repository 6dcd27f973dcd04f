// Checks of the menu values that the model cannot use. Each refused value gets one
// console line naming the item and what it must be; the menu is then shown again.
#pragma once

namespace regmap {

class Console;

// Bounds that keep every curve finite in length and every grid exponent in range.
inline constexpr double kMaxPointsPerDecade = 1.0e6;
inline constexpr double kMaxPointsPerCurve = 1.0e5;  // points per decade x decades of the window

// Fluid menu: gas density > 0, liquid density > gas density, both viscosities > 0,
// diameter > 0, -90 < inclination < 90 degrees; then, for values that pass, the constants
// the set-up derives from them (NUG, NUL, DIAM, GSINB, GCOSBD) must be finite and those
// divided by must be above zero in double precision. Returns true when all are usable.
bool check_fluid_values(const double values[6], Console& console);

// Map menu: 0 < minimum < maximum for JG and for JL; points per decade > 0, at most
// kMaxPointsPerDecade, with a finite grid ratio 10^(1/N) above 1, and at most
// kMaxPointsPerCurve grid points across the window. Returns true when all are usable.
bool check_map_values(const double values[6], Console& console);

}  // namespace regmap
