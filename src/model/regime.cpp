#include "model/regime.h"

#include <cmath>

#include "model/flow_state.h"

namespace regmap {

bool CHREGM() {
  const double REYL = std::abs(fm.JL) * fm.DLT * fm.ULT * fm.DIAM / fm.NUL;
  const double REYG = fm.DGT * fm.UGT * fm.JG * fm.DIAM / fm.NUG;
  const bool liquid_turbulent = REYL > kSwitchReynolds;
  const bool gas_turbulent = REYG > kSwitchReynolds;
  const bool liquid_changes = (fm.ITURBL != 0) != liquid_turbulent;
  const bool gas_changes = (fm.ITURBG != 0) != gas_turbulent;

  if (liquid_changes) {
    fm.ITURBL = liquid_turbulent ? 1 : 0;
    fm.CL = liquid_turbulent ? kTurbulentC : kLaminarC;
    fm.NL = liquid_turbulent ? kTurbulentN : kLaminarN;
  }
  if (gas_changes) {
    fm.ITURBG = gas_turbulent ? 1 : 0;
    fm.CG = gas_turbulent ? kTurbulentC : kLaminarC;
    fm.NG = gas_turbulent ? kTurbulentN : kLaminarN;
  }
  return liquid_changes || gas_changes;
}

}  // namespace regmap
