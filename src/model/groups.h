// Dimensionless groups of the Taitel-Dukler momentum balance and transition criteria,
// computed from the geometry of the last GEOM call and the current friction exponents.
#pragma once

namespace regmap {

// AA: AAV = (DLT ULT)^-NL SLT ULT ULT / ALT
// Liquid wall shear in units of that of the liquid flowing alone, times the liquid-wetted
// perimeter over the liquid cross-section. Reads DLT, ULT, NL, SLT, ALT. Writes AAV.
void AA();

// BB: BBV = (SIT/AGT + DELTA/AGT + SIT/ALT) (DGT UGT)^-NG UGT UGT
// Gas shear on the wall and on both sides of the interface, in units of the wall shear of
// the gas flowing alone. Reads SIT, AGT, DELTA, ALT, DGT, UGT, NG. Writes BBV.
void BB();

// CC: HGT = (1 - COSD) 0.5 (gas-space height over D), CCV = UGT UGT / HGT / HGT SIND / AGT
// Kelvin-Helmholtz group of transition A: boundary at FR2 CCV = 1.
// Reads COSD, SIND, UGT, AGT. Writes CCV.
void CC();

// DD: DDV = AGT 8 / SIT / ULT / ULT (DLT ULT)^NL
// Dispersed-bubble group of transition D: boundary at XL D / GCOSBD = DDV.
// Reads AGT, SIT, ULT, DLT, NL. Writes DDV.
void DD();

// EE: EEV = 4 / ULT / UGT / UGT / SHELT, sheltering coefficient SHELT = 0.01
// Square of the wavy criterion of transition C: boundary at FR2 REL = EEV.
// Reads ULT, UGT. Writes EEV.
void EE();

}  // namespace regmap
