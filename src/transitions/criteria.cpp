#include "transitions/criteria.h"

#include "model/conversions.h"
#include "model/flow_state.h"
#include "model/geometry.h"
#include "model/groups.h"

namespace regmap {

double TA(const double& angle) {
  fm.DELTA = angle;
  GEOM();
  CC();
  return fm.CCV * fm.FR2 - 1;
}

double TD(const double& angle) {
  fm.DELTA = angle;
  GEOM();
  AA();
  BB();
  XGXL1();
  DD();
  return fm.XL / fm.GCOSBD * fm.DIAM - fm.DDV;
}

double TAC(const double& angle) {
  fm.DELTA = angle;
  GEOM();
  CC();
  fm.FR2 = 1 / fm.CCV;
  FR2JG();
  JGXG();
  BB();
  AA();
  XGXL1();
  XLJL();
  JLREL();
  EE();
  return fm.FR2 * fm.REL - fm.EEV;
}

double TC(const double& angle) {
  fm.DELTA = angle;
  GEOM();
  EE();
  fm.FR2 = fm.EEV / fm.REL;
  FR2JG();
  JGXG();
  BB();
  AA();
  return (fm.AAV * fm.XL - fm.BBV * fm.XG - 4 * fm.GSINB) / (fm.XL + fm.XG);
}

}  // namespace regmap
