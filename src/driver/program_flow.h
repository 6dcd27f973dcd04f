// The run of the program: files, the two menus, the set-up of the flow model state, the
// range file, map tracing, and the hand-off to the plotter.
#pragma once

#include "model/flow_state.h"
#include "transitions/map_tracing.h"

namespace regmap {

class Console;
class LineSource;
class Plotter;
class ByteSink;
struct FileSystem;

// The menu tables, in menu order, with their defaults.
inline constexpr const char* kFluidTitle = "CARTE D'ECOULEMENT DE TAITEL ET DUKLER";
inline constexpr const char* kFluidLabels[6] = {
    "MASSE VOLUMIQUE OU GAZ en kg/m3",     "MASSE VOLUMIQUE OU LIQ. en kg/m3",
    "VISCOSITE DYNAMIQUE DU GAZ en Pa s",  "VISCOSITE DYNAMIQUE DU LIQ. en Pa s",
    "DIAMETRE OU TUBE en mm",              "PENTE (positive en ec.descend.) en deg",
};
inline constexpr double kFluidDefaults[6] = {1.2, 1000, 1.812e-5, 0.001, 50, 0};

inline constexpr const char* kMapTitle = "PARAMETRES DE LA CARTE";
inline constexpr const char* kMapLabels[6] = {
    "VIT. superficielle GAZ. MINI en m/s", "VIT. superficielle GAZ MAXI en m/s",
    "VIT. superficielle LIQ. MINI en m/s", "VIT. superficielle LIQ. MAXI en m/s",
    "Nombre de points par decade (GAZ)",   "Nombre de points par decade (LIQ)",
};
inline constexpr double kMapDefaults[6] = {0.005, 500, 0.005, 50, 25, 25};

// Everything the run touches outside the process, so tests can stand in for it.
struct ProgramEnvironment {
  Console& console;
  LineSource& keyboard;
  FileSystem& files;
  Plotter& plotter;
  ByteSink& errors;  // the standard error stream
};

// Set-up after the fluid menu (needs PI): RHOG, RHOL, NUG = MUG/RHOG, NUL = MUL/RHOL,
// DIAM = mm / 1000, BETA = (PI/180) degrees. Writes the run's record unless given another.
void set_up_fluid(const double PFLU[6], FlowModelState& s = fm);

// The map window and the grid ratios 10^(1/N) from the map menu values.
MapWindow map_window(const double PMAP[6]);

// Set-up after the map menu: GRAV = 9.81, GSINB = sin(BETA) (RHOL - RHOG) GRAV,
// GCOSBD = cos(BETA) (RHOL - RHOG) GRAV DIAM, and both phases on the turbulent law.
void set_up_gravity_and_laws(FlowModelState& s = fm);

// One run of the program; returns the exit status: 0 at the normal end (also after a
// failed plotter launch and after "Retour DOS"), 1 when an output file cannot be opened
// or written (reported on the error stream).
int run_program(ProgramEnvironment& env);

}  // namespace regmap
