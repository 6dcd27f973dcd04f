#include "driver/menu_checks.h"

#include <cmath>
#include <string>

#include "driver/console.h"
#include "driver/program_flow.h"
#include "model/flow_state.h"
#include "transitions/map_tracing.h"

namespace regmap {

// A curve inside a window that passes these checks has at most kMaxPointsPerCurve grid
// steps, plus its first point and the one that leaves the window: the cap of the map
// tracing is never what ends it.
static_assert(kMaxCurvePoints > kMaxPointsPerCurve + 2);

namespace {

void refuse(Console& console, int item, const char* what) {
  console.line("Parametre " + std::to_string(item) + " refuse : " + what);
}

// Points per decade n for a window [lo, hi] already known to be usable (or not).
bool check_points(Console& console, int item, double n, bool window_ok, double lo, double hi) {
  if (!(n > 0)) {
    refuse(console, item, "le nombre de points par decade doit etre positif");
    return false;
  }
  if (n > kMaxPointsPerDecade || !(std::pow(10.0, 1 / n) > 1)) {
    refuse(console, item, "le nombre de points par decade doit etre au plus 1000000");
    return false;
  }
  // Below about 0.00324 points per decade the ratio 10^(1/N) overflows: a grid whose
  // neighbours of 1 m/s are 0 and infinity has no usable point.
  if (!std::isfinite(std::pow(10.0, 1 / n))) {
    refuse(console, item,
           "le nombre de points par decade est trop petit : 10 puissance 1/N depasse les reels");
    return false;
  }
  // The decades of the window as a difference of logarithms: the quotient hi/lo of a wide
  // window (1e-300 to 1e300) overflows although the window is usable.
  if (window_ok && n * (std::log10(hi) - std::log10(lo)) > kMaxPointsPerCurve) {
    refuse(console, item,
           "trop de points : points par decade x decades de la fenetre doit etre au plus 100000");
    return false;
  }
  return true;
}

// Values that pass the checks of their own can still combine into constants of the run
// that double precision cannot hold: a kinematic viscosity MU/RHO that overflows (1e300
// Pa s over 1e-300 kg/m3) or underflows to zero, a diameter in m that underflows to zero,
// gravity terms (RHOL - RHOG) g sin(BETA) and (RHOL - RHOG) g cos(BETA) D that overflow,
// or a normal term that underflows to zero. Every later formula divides by or multiplies
// with these, so such values are refused here: the set-up of the run is applied to a
// scratch record and its constants are checked. What a usable set of constants can still
// overflow inside the model (a point or a whole curve) is skipped by the map tracing.
bool check_derived_constants(const double v[6], Console& console) {
  bool ok = true;
  FlowModelState s;
  s.PI = 4 * std::atan(1.0);
  set_up_fluid(v, s);
  set_up_gravity_and_laws(s);
  if (!(s.NUG > 0 && std::isfinite(s.NUG))) {
    refuse(console, 3,
           "la viscosite cinematique du gaz (viscosite / masse volumique) est nulle ou infinie");
    ok = false;
  }
  if (!(s.NUL > 0 && std::isfinite(s.NUL))) {
    refuse(console, 4,
           "la viscosite cinematique du liquide (viscosite / masse volumique) est nulle ou "
           "infinie");
    ok = false;
  }
  if (!(s.DIAM > 0)) {
    refuse(console, 5, "le diametre est trop petit : nul une fois converti en m");
    ok = false;
  } else if (!(s.GCOSBD > 0 && std::isfinite(s.GCOSBD) && std::isfinite(s.GSINB))) {
    refuse(console, 2,
           "le terme de pesanteur (masse vol. liquide - masse vol. gaz) x g x diametre est "
           "nul ou infini");
    ok = false;
  }
  return ok;
}

}  // namespace

bool check_fluid_values(const double v[6], Console& console) {
  bool ok = true;
  if (!(v[0] > 0)) {
    refuse(console, 1, "la masse volumique du gaz doit etre positive");
    ok = false;
  }
  if (!(v[1] > v[0])) {
    refuse(console, 2, "la masse volumique du liquide doit etre superieure a celle du gaz");
    ok = false;
  }
  if (!(v[2] > 0)) {
    refuse(console, 3, "la viscosite dynamique du gaz doit etre positive");
    ok = false;
  }
  if (!(v[3] > 0)) {
    refuse(console, 4, "la viscosite dynamique du liquide doit etre positive");
    ok = false;
  }
  if (!(v[4] > 0)) {
    refuse(console, 5, "le diametre doit etre positif");
    ok = false;
  }
  if (!(v[5] > -90 && v[5] < 90)) {
    refuse(console, 6, "la pente doit etre comprise entre -90 et +90 degres (bornes exclues)");
    ok = false;
  }
  if (ok) ok = check_derived_constants(v, console);
  return ok;
}

bool check_map_values(const double v[6], Console& console) {
  bool ok = true;
  bool gas_window = true;
  bool liquid_window = true;
  if (!(v[0] > 0)) {
    refuse(console, 1, "la vitesse JG mini doit etre positive");
    gas_window = false;
  }
  if (!(v[1] > v[0])) {
    refuse(console, 2, "la vitesse JG maxi doit etre superieure a la vitesse JG mini");
    gas_window = false;
  }
  if (!(v[2] > 0)) {
    refuse(console, 3, "la vitesse JL mini doit etre positive");
    liquid_window = false;
  }
  if (!(v[3] > v[2])) {
    refuse(console, 4, "la vitesse JL maxi doit etre superieure a la vitesse JL mini");
    liquid_window = false;
  }
  ok = gas_window && liquid_window;
  if (!check_points(console, 5, v[4], gas_window, v[0], v[1])) ok = false;
  if (!check_points(console, 6, v[5], liquid_window, v[2], v[3])) ok = false;
  return ok;
}

}  // namespace regmap
