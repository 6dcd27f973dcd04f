#include "model/geometry.h"

#include <cmath>

#include "model/flow_state.h"

namespace regmap {

void GEOM() {
  const double ATOT = fm.PI / 4;  // whole cross-section over D^2
  fm.COSD = std::cos(fm.DELTA);
  fm.SIND = std::sin(fm.DELTA);
  fm.SLT = fm.PI - fm.DELTA;
  fm.SIT = fm.SIND;
  fm.AGT = 0.25 * (fm.DELTA - fm.COSD * fm.SIND);
  fm.ALT = ATOT - fm.AGT;
  fm.ULT = ATOT / fm.ALT;
  fm.UGT = ATOT / fm.AGT;
  fm.DLT = 4 * fm.ALT / fm.SLT;
  fm.DGT = 4 * fm.AGT / (fm.SIT + fm.DELTA);
}

}  // namespace regmap
