// Geometry of the stratified layer as a function of the interface angle.
#pragma once

namespace regmap {

// GEOM: from DELTA (0 < DELTA < PI) computes, in this order,
//   COSD = cos DELTA, SIND = sin DELTA, SLT = PI - DELTA, SIT = SIND,
//   AGT = 0.25 (DELTA - COSD SIND)         (circular segment above the chord),
//   ALT = PI/4 - AGT,  ULT = (PI/4)/ALT,  UGT = (PI/4)/AGT,
//   DLT = 4 ALT / SLT                      (open channel: liquid-wetted wall only),
//   DGT = 4 AGT / (SIT + DELTA)            (closed duct: wall plus interface).
// Reads PI, DELTA. Writes COSD, SIND, SLT, SIT, AGT, ALT, ULT, UGT, DLT, DGT.
void GEOM();

}  // namespace regmap
