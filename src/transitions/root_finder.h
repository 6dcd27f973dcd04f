// Bisection root finder for the transition criteria, and the grid helper of curve C.
#pragma once

#include <cstdint>

namespace regmap {

// A transition criterion: a function of the interface angle (passed by reference, only
// read) with side effects on the flow model state, returning a residual that is zero on
// the transition.
using Criterion = double (*)(const double& angle);

// Working storage of SV, kept between calls and overwritten by each call. The criterion
// is always called with a reference to one of these values.
struct RootFinderStorage {
  double xa = 0;  // lower end of the bracket
  double xb = 0;  // upper end of the bracket
  double fa = 0;  // f(xa)
  double xm = 0;  // current midpoint
  double fm = 0;  // f(xm)
};
extern RootFinderStorage sv_storage;

// SV: bisection with an absolute tolerance eps on the argument.
//   xa = a, xb = b; fa = f(xa); f(xb) is evaluated once and takes no part in the search;
//   repeat: xm = (xb + xa)/2, fm = f(xm); if fm fa > 0 then xa = xm, fa = fm else xb = xm;
//   until |xb - xa| <= eps; return xm, the last point evaluated.
// No sign test at the start and no failure result: without a sign change the result lies
// near one end. On [0.01, PI - 0.01] with eps = 1e-6 a solve takes 22 passes, 24 calls of f.
// The search also ends when the bracket can no longer be halved in double precision (a
// tolerance at or below the spacing of doubles, or not positive), so it always returns.
double SV(Criterion f, const double& a, const double& b, const double& eps);

// INTHL: x truncated toward zero, minus 1 when x < 0. The largest integer not above x,
// except for negative whole numbers: INTHL(-2.0) = -3. Saturates at the int32 range; NaN
// gives the minimum.
std::int32_t INTHL(const double& x);

}  // namespace regmap
