#include "model/conversions.h"

#include <cmath>

#include "model/flow_state.h"

namespace regmap {

void FR2JG() { fm.JG = std::sqrt(fm.GCOSBD * fm.FR2 / fm.RHOG); }

void JGFR2() { fm.FR2 = fm.JG * fm.JG * fm.RHOG / fm.GCOSBD; }

void JGXG() {
  const double REG = fm.JG * fm.DIAM / fm.NUG;
  fm.XG = std::pow(REG, -fm.NG) * (4 * fm.CG / fm.DIAM) * fm.RHOG * fm.JG * fm.JG / 2;
}

void XGJG() {
  const double B = (fm.DIAM * fm.XG / 2 / fm.CG / fm.RHOG) * std::pow(fm.DIAM / fm.NUG, fm.NG);
  fm.JG = std::pow(B, 1 / (2 - fm.NG));
}

void XGXL1() { fm.XL = (fm.BBV * fm.XG + 4 * fm.GSINB) / fm.AAV; }

void XLXG1() { fm.XG = (fm.AAV * fm.XL - 4 * fm.GSINB) / fm.BBV; }

void XLJL() {
  const double Q = (fm.XL * fm.DIAM / 2 / fm.CL / fm.RHOL) * std::pow(fm.DIAM / fm.NUL, fm.NL);
  const double P = 1 / (2 - fm.NL);
  if (Q > 0) {
    fm.JL = std::pow(Q, P);
  } else {
    // abs(Q) is -Q for Q < 0; for Q = 0 it keeps the base +0, so that XL = 0 gives a
    // negative zero under both laws (pow(-0, 1) would be -0 and flip it under the laminar).
    fm.JL = -(std::pow(std::abs(Q), P));
  }
}

void JLXL() {
  JLREL();
  fm.XL = std::pow(fm.REL, -fm.NL) * fm.CL * 2 / fm.DIAM * (fm.JL * fm.JL) * fm.RHOL;
}

void JLREL() { fm.REL = std::abs(fm.JL) * fm.DIAM / fm.NUL; }

}  // namespace regmap
