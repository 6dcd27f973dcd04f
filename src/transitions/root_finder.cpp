#include "transitions/root_finder.h"

#include <cmath>
#include <limits>

namespace regmap {

RootFinderStorage sv_storage;

double SV(Criterion f, const double& a, const double& b, const double& eps) {
  RootFinderStorage& s = sv_storage;
  s.xa = a;
  s.xb = b;
  s.fa = f(s.xa);
  f(s.xb);
  for (;;) {
    s.xm = (s.xb + s.xa) / 2;
    s.fm = f(s.xm);
    const bool stalled = s.xm == s.xa || s.xm == s.xb;
    if (s.fm * s.fa > 0) {
      s.xa = s.xm;
      s.fa = s.fm;
    } else {
      s.xb = s.xm;
    }
    if (!(std::abs(s.xb - s.xa) > eps) || stalled) break;
  }
  return s.xm;
}

std::int32_t INTHL(const double& x) {
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  const double t = std::trunc(x);
  if (!(t > lo)) return std::numeric_limits<std::int32_t>::min();  // also NaN
  if (t > hi) return std::numeric_limits<std::int32_t>::max();
  std::int32_t i = static_cast<std::int32_t>(t);
  if (x < 0) i -= 1;
  return i;
}

}  // namespace regmap
