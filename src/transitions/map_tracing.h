// Map tracing: the triple points AB, BD, AC and the transitions B, A (two branches), D
// and C of the Taitel-Dukler map, on logarithmic grids in JG (JL for curve C).
#pragma once

#include <cstdint>

#include "transitions/regime_iteration.h"

namespace regmap {

class Console;
class LineWriter;

// Map window (m/s) and grid ratios 10^(1/points per decade), set from the map menu.
struct MapWindow {
  double JGMIN = 0;
  double JGMAX = 0;
  double JLMIN = 0;
  double JLMAX = 0;
  double RJG = 0;
  double RJL = 0;
};

// Triple points (m/s), each set by the final pass of its regime iteration.
struct TriplePoints {
  double JGAB = 0;
  double JLAB = 0;
  double JGBD = 0;
  double JLBD = 0;
  double JGAC = 0;
  double JLAC = 0;
};

// What one trace did: computed points per curve (block heads not counted) and the solves
// of the root finder (24 criterion evaluations each).
struct TraceSummary {
  int points_B = 0;
  int points_A_lower = 0;
  int points_A_upper = 0;
  int points_D = 0;
  int points_C = 0;
  std::int64_t solves = 0;
};

// Most points one curve may write. The map menu admits at most 1e5 grid steps across the
// window (points per decade x decades), so a curve started from the program never comes
// near it; it keeps a trace called with a ratio of 1, or one barely above 1, from stepping
// without end. A curve that reaches it ends there with a console line.
inline constexpr int kMaxCurvePoints = 100010;

// The line that stands for a triple point without a value at the head of its block in the
// curve file, so the later blocks keep their index; the plot script reads "?" as missing.
inline constexpr const char* kMissingPointLine = "             ?             ?";

// SORT: writes the regime line of the current point to the console:
// gas and liquid law letters (T/L), " JG=", JG, " JL=", JL (scientific, width 10, 2 dec.).
void SORT(Console& console);

// Traces the whole map. Needs the fluid, pipe and gravity fields of the flow model state
// and both friction laws set. Writes headings and regime lines to `console` and the five
// blocks to `curve`. A triple point or a curve that cannot be computed (a value without
// meaning, such as a negative gas gradient at BD on a steep downward slope, or a negative
// JL at AC on an upward slope) is reported by a console line and skipped; the rest of
// the map is still traced.
TraceSummary trace_map(const MapWindow& window, TriplePoints& triple, Console& console,
                       LineWriter& curve);

}  // namespace regmap
