#include "driver/menu_checks.h"

#include <cmath>
#include <string>

#include "driver/console.h"

namespace regmap {

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
  if (window_ok && n * std::log10(hi / lo) > kMaxPointsPerCurve) {
    refuse(console, item,
           "trop de points : points par decade x decades de la fenetre doit etre au plus 100000");
    return false;
  }
  return true;
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
