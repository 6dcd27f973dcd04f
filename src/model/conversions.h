// Conversions between the map coordinates (JG, JL) and the model variables: the squared
// Froude number FR2, the superficial frictional pressure gradients XG and XL, and the
// liquid superficial Reynolds number REL. Each reads and writes fields of `fm` only.
#pragma once

namespace regmap {

// FR2JG: JG = sqrt(GCOSBD FR2 / RHOG). Reads FR2, GCOSBD, RHOG. Writes JG.
void FR2JG();

// JGFR2: FR2 = JG^2 RHOG / GCOSBD. Reads JG, RHOG, GCOSBD. Writes FR2.
void JGFR2();

// JGXG: gas gradient of the gas flowing alone at JG, XG = 4 f/D RHOG JG^2 / 2 with
// f = CG ReG^-NG, ReG = JG D / NUG:  XG = ReG^-NG (4 CG / D) RHOG JG JG / 2.
// Reads JG, DIAM, NUG, CG, NG, RHOG. Writes XG. Needs JG > 0.
void JGXG();

// XGJG: inverse of JGXG, B = (D XG / 2 / CG / RHOG) (D / NUG)^NG, JG = B^(1/(2 - NG)).
// No sign branch: a negative XG has no root under the turbulent law (exponent 1/1.8).
// Reads XG, DIAM, NUG, CG, NG, RHOG. Writes JG.
void XGJG();

// XGXL1: momentum balance AAV XL = BBV XG + 4 GSINB solved for XL.
// Reads XG, AAV, BBV, GSINB. Writes XL.
void XGXL1();

// XLXG1: the same balance solved for XG = (AAV XL - 4 GSINB) / BBV.
// Reads XL, AAV, BBV, GSINB. Writes XG.
void XLXG1();

// XLJL: inverse of the liquid law, Q = (XL D / 2 / CL / RHOL) (D / NUL)^NL,
// p = 1/(2 - NL); JL = Q^p for Q > 0, else JL = -((-Q)^p): a negative XL (liquid
// flowing back) gives a negative JL. Reads XL, DIAM, NUL, CL, NL, RHOL. Writes JL.
void XLJL();

// JLXL: JLREL, then XL = REL^-NL CL 2 / D JL^2 RHOL (depends on |JL| only).
// Reads JL, DIAM, NUL, CL, NL, RHOL. Writes REL, XL. Needs JL != 0.
void JLXL();

// JLREL: REL = |JL| D / NUL. Reads JL, DIAM, NUL. Writes REL.
void JLREL();

}  // namespace regmap
