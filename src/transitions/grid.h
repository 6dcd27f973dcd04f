// The logarithmic grids of map tracing: the points of a grid are R^k for integer k, with
// R = 10^(1/points per decade), so every grid is anchored at 1 m/s. A curve's first point
// is R^k with k from the triple-point velocity it starts from; later points are stepped by
// multiplying or dividing by R, without a new logarithm.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "transitions/root_finder.h"

namespace regmap {

// How the grid exponent of a curve's first point is taken from q = log10(V) / log10(R).
enum class GridStart {
  Downward,  // int(q), truncated toward zero: the lower branch of A and curve D
  Upward,    // int(q + 1), the 1 added before truncation: curve B and the upper branch of A
  Liquid,    // INTHL(q): curve C, stepped downward on the liquid grid
};

// Grid exponent of the first point of a curve starting at the triple-point velocity v
// (m/s) on a grid of ratio r. Truncation toward zero means that a downward curve from a
// velocity below 1 m/s starts on the grid point above it: v = 0.05, 25 points per decade,
// q = -32.53, gives k = -32 (0.05248 m/s). No value when v has no logarithm (zero,
// negative, not finite), when r gives no finite quotient (r = 1) or when the exponent
// leaves the range of int32.
inline std::optional<std::int32_t> grid_exponent(double v, double r, GridStart start) {
  if (!(v > 0) || !std::isfinite(v)) return std::nullopt;
  double q = std::log10(v) / std::log10(r);
  if (start == GridStart::Upward) q = q + 1;
  if (!(std::fabs(q) < 2.0e9)) return std::nullopt;
  if (start == GridStart::Liquid) return INTHL(q);
  return static_cast<std::int32_t>(std::trunc(q));
}

// R^k as an integer power by binary powering: squares of r multiplied together for the
// bits of |k|, the reciprocal of the product for negative k. Exact wherever the powers of
// r are (r = 2, r = 10 for small k).
inline double integer_power(double r, std::int32_t k) {
  std::uint32_t n = k < 0 ? 0u - static_cast<std::uint32_t>(k) : static_cast<std::uint32_t>(k);
  double x = r;
  double y = (n % 2) ? x : 1.0;
  while (n >>= 1) {
    x = x * x;
    if (n % 2) y = y * x;
  }
  return k < 0 ? 1 / y : y;
}

}  // namespace regmap
