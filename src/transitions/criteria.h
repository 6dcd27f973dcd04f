// The transition criteria as functions of the interface angle, in the form f(angle) = 0
// for the root finder. Each stores its argument in DELTA, recomputes the geometry, the
// groups and the conversions it needs, and leaves the flow model state belonging to that
// angle.
#pragma once

namespace regmap {

// TA, transition A (Kelvin-Helmholtz): needs FR2. Calls GEOM, CC.
// Residual CCV FR2 - 1.
double TA(const double& angle);

// TD, transition D (dispersed bubble): needs XG. Calls GEOM, AA, BB, XGXL1, DD.
// Residual XL / GCOSBD DIAM - DDV  (T^2 - DDV).
double TD(const double& angle);

// TAC, triple point of A and C: puts the point on A at this angle (FR2 = 1/CCV) and
// returns the residual of C there. Calls GEOM, CC, FR2JG, JGXG, BB, AA, XGXL1, XLJL,
// JLREL, EE. Residual FR2 REL - EEV  (K^2 - EEV).
double TAC(const double& angle);

// TC, transition C: needs REL and XL. Calls GEOM, EE, then FR2 = EEV/REL, FR2JG, JGXG,
// BB, AA. Residual (AAV XL - BBV XG - 4 GSINB) / (XL + XG): the momentum balance of the
// gas flow that criterion C demands against the given liquid flow.
double TC(const double& angle);

}  // namespace regmap
