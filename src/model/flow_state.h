// The flow model state: the one record through which every routine of the stratified-flow
// model and of the map tracing communicates. Routines take no arguments; each reads named
// fields of `fm` and overwrites its own result fields. Units are SI; geometry and group
// fields are dimensionless (lengths over D, areas over D^2, phase velocities over the
// phase's superficial velocity).
#pragma once

#include <cstdint>

namespace regmap {

struct FlowModelState {
  // Fluid and pipe: constants of the run, written by the set-up only.
  double PI = 0;      // pi, as 4*atan(1)
  double GRAV = 0;    // gravitational acceleration, m/s^2
  double RHOL = 0;    // liquid density, kg/m^3
  double RHOG = 0;    // gas density, kg/m^3
  double NUL = 0;     // liquid kinematic viscosity, m^2/s
  double NUG = 0;     // gas kinematic viscosity, m^2/s
  double DIAM = 0;    // pipe diameter, m
  double BETA = 0;    // inclination, rad; positive for downward flow
  double GSINB = 0;   // (RHOL - RHOG) g sin(BETA): axial weight difference, Pa/m
  double GCOSBD = 0;  // (RHOL - RHOG) g cos(BETA) D: normal weight difference times D, Pa

  // Friction laws f = c Re^-n of each phase and the regime flags (1 turbulent, 0 laminar).
  double CL = 0;
  double CG = 0;
  double NL = 0;
  double NG = 0;
  std::int32_t ITURBL = 0;
  std::int32_t ITURBG = 0;

  // Stratified geometry at the interface angle DELTA (written by GEOM).
  double DELTA = 0;  // half the angle of the gas-wetted arc, rad; PI/2 is a half-full pipe
  double COSD = 0;
  double SIND = 0;
  double SLT = 0;    // liquid-wetted perimeter / D
  double SIT = 0;    // interface width / D
  double AGT = 0;    // gas cross-section / D^2
  double ALT = 0;    // liquid cross-section / D^2
  double UGT = 0;    // gas velocity / JG
  double ULT = 0;    // liquid velocity / JL
  double DGT = 0;    // gas hydraulic diameter / D
  double DLT = 0;    // liquid hydraulic diameter / D

  // Groups of the momentum balance and of the transition criteria.
  double AAV = 0;  // liquid wall-shear term
  double BBV = 0;  // gas wall- and interface-shear term
  double CCV = 0;  // transition A (Kelvin-Helmholtz)
  double DDV = 0;  // transition D (dispersed bubble)
  double EEV = 0;  // transition C (stratified smooth to wavy)

  // Map coordinates and the variables between them.
  double XL = 0;   // liquid superficial frictional pressure gradient, Pa/m (may be negative)
  double XG = 0;   // gas superficial frictional pressure gradient, Pa/m
  double FR2 = 0;  // squared modified Froude number RHOG JG^2 / GCOSBD
  double REL = 0;  // liquid superficial Reynolds number |JL| D / NUL
  double JL = 0;   // superficial liquid velocity, m/s
  double JG = 0;   // superficial gas velocity, m/s
};

// The process-wide instance; zero at program start. Tests reset it with `fm = {};`.
extern FlowModelState fm;

// Friction-law constants (Fanning factor f = c Re^-n).
inline constexpr double kTurbulentC = 0.046;  // Blasius-type turbulent law
inline constexpr double kTurbulentN = 0.2;
inline constexpr double kLaminarC = 16.0;     // Hagen-Poiseuille, f = 16/Re
inline constexpr double kLaminarN = 1.0;
// Switching Reynolds number, the same for both phases: turbulent strictly above it.
// The two laws meet at (16/0.046)^(1/0.8) ~ 1502.1, just above this value.
inline constexpr double kSwitchReynolds = 1502.0;
inline constexpr double kGravity = 9.81;  // m/s^2

}  // namespace regmap
