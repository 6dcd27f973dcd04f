// Friction regime selection of both phases.
#pragma once

namespace regmap {

// CHREGM: re-selects the friction law of each phase from its Reynolds number in the
// stratified layer,
//   REYL = |JL| DLT ULT DIAM / NUL   (actual liquid velocity, liquid hydraulic diameter),
//   REYG = DGT UGT JG DIAM / NUG     (actual gas velocity, gas hydraulic diameter);
// a phase is turbulent when its number exceeds 1502 strictly, laminar otherwise.
// Both decisions are made before anything is written. A phase whose regime disagrees with
// its flag is switched: turbulent (ITURB 1, c 0.046, n 0.2) or laminar (ITURB 0, c 16, n 1).
// Returns true when at least one phase was switched; false means nothing was written.
// Reads JL, JG, ULT, DLT, UGT, DGT, DIAM, NUL, NUG, ITURBL, ITURBG.
// Writes ITURBL, CL, NL and/or ITURBG, CG, NG.
bool CHREGM();

}  // namespace regmap
