#include "model/groups.h"

#include <cmath>

#include "model/flow_state.h"

namespace regmap {

namespace {
// Sheltering coefficient of Jeffreys' wave-generation criterion (transition C).
constexpr double SHELT = 0.01;
}  // namespace

void AA() {
  fm.AAV = std::pow(fm.DLT * fm.ULT, -fm.NL) * fm.SLT * fm.ULT * fm.ULT / fm.ALT;
}

void BB() {
  fm.BBV = (fm.SIT / fm.AGT + fm.DELTA / fm.AGT + fm.SIT / fm.ALT) *
           std::pow(fm.DGT * fm.UGT, -fm.NG) * fm.UGT * fm.UGT;
}

void CC() {
  const double HGT = (1 - fm.COSD) * 0.5;
  fm.CCV = fm.UGT * fm.UGT / HGT / HGT * fm.SIND / fm.AGT;
}

void DD() {
  fm.DDV = fm.AGT * 8 / fm.SIT / fm.ULT / fm.ULT * std::pow(fm.DLT * fm.ULT, fm.NL);
}

void EE() {
  fm.EEV = 4 / fm.ULT / fm.UGT / fm.UGT / SHELT;
}

}  // namespace regmap
