#include "driver/program_flow.h"

#include <cmath>
#include <exception>
#include <string>

#include "driver/console.h"
#include "driver/menu_checks.h"
#include "driver/number_layout.h"
#include "driver/output_file.h"
#include "driver/parameter_menu.h"
#include "driver/plotter.h"
#include "driver/reply_reader.h"
#include "model/flow_state.h"
#include "transitions/map_tracing.h"
#include "transitions/root_finder.h"

namespace regmap {

namespace {

// A menu shown until the user leaves it with values the model can use, or stops.
template <class Check>
MenuExit menu(Console& console, ReplyReader& reader, const char* title,
              const char* const labels[], double values[], NumberLayout layout, Check check) {
  for (;;) {
    if (LIRE(console, reader, title, 6, labels, values, layout) == MenuExit::Stop) {
      return MenuExit::Stop;
    }
    if (check(values, console)) return MenuExit::Leave;
  }
}

// " set xrange[", lo, ":", hi, "]" with both limits in the scientific layout (10, 3).
std::string range_line(const char* axis, double lo, double hi) {
  std::string line = " set ";
  line += axis;
  line += "range[";
  line += format_real(lo, kRangeLayout);
  line += ":";
  line += format_real(hi, kRangeLayout);
  line += "]";
  return line;
}

int run(ProgramEnvironment& env) {
  Console& console = env.console;
  double PFLU[6];
  double PMAP[6];
  for (int i = 0; i < 6; ++i) PFLU[i] = kFluidDefaults[i];
  for (int i = 0; i < 6; ++i) PMAP[i] = kMapDefaults[i];

  // Every field of the flow model state starts at zero, then PI is set.
  fm = FlowModelState{};
  sv_storage = RootFinderStorage{};
  fm.PI = 4 * std::atan(1.0);

  OutputFile curve(kCurveFileName, env.files);
  OutputFile range(kRangeFileName, env.files);

  ReplyReader reader(env.keyboard);
  if (menu(console, reader, kFluidTitle, kFluidLabels, PFLU, kFluidMenuLayout,
           check_fluid_values) == MenuExit::Stop) {
    return 0;
  }
  set_up_fluid(PFLU);

  if (menu(console, reader, kMapTitle, kMapLabels, PMAP, kMapMenuLayout, check_map_values) ==
      MenuExit::Stop) {
    return 0;
  }
  const MapWindow window = map_window(PMAP);

  range.write_line(range_line("x", window.JGMIN, window.JGMAX));
  range.write_line(range_line("y", window.JLMIN, window.JLMAX));
  // The range file is complete before map tracing starts: a failure to write it ends the
  // run before the curve file is touched, and a later failure of the curve file leaves
  // the range file whole.
  range.flush();

  set_up_gravity_and_laws();

  TriplePoints triple;
  trace_map(window, triple, console, curve);

  curve.close();
  range.close();

  console.flush();
  const int ISTAT = env.plotter.run(kPlotCommand);
  if (ISTAT != 0) {
    console.line("Gnuplot script launch was not successful :" + format_integer(ISTAT, kStatusWidth));
  }
  return 0;
}

}  // namespace

void set_up_fluid(const double PFLU[6], FlowModelState& s) {
  s.RHOG = PFLU[0];
  s.RHOL = PFLU[1];
  const double MUG = PFLU[2];
  const double MUL = PFLU[3];
  s.NUG = MUG / s.RHOG;
  s.NUL = MUL / s.RHOL;
  s.DIAM = PFLU[4] / 1000;
  s.BETA = (s.PI / 180) * PFLU[5];
}

MapWindow map_window(const double PMAP[6]) {
  MapWindow window;
  window.JGMIN = PMAP[0];
  window.JGMAX = PMAP[1];
  window.JLMIN = PMAP[2];
  window.JLMAX = PMAP[3];
  window.RJG = std::pow(10.0, 1 / PMAP[4]);
  window.RJL = std::pow(10.0, 1 / PMAP[5]);
  return window;
}

void set_up_gravity_and_laws(FlowModelState& s) {
  // The axial and the normal component of the weight difference per unit volume.
  s.GRAV = kGravity;
  s.GSINB = std::sin(s.BETA) * (s.RHOL - s.RHOG) * s.GRAV;
  s.GCOSBD = std::cos(s.BETA) * (s.RHOL - s.RHOG) * s.GRAV * s.DIAM;
  // Both phases start on the turbulent law.
  s.CL = kTurbulentC;
  s.CG = kTurbulentC;
  s.NL = kTurbulentN;
  s.NG = kTurbulentN;
  s.ITURBL = 1;
  s.ITURBG = 1;
}

int run_program(ProgramEnvironment& env) {
  int status = 1;
  std::string failure;
  try {
    status = run(env);
  } catch (const FileError& e) {
    failure = e.what();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  env.console.finish();
  if (!failure.empty()) {
    const std::string message = "Regmap24: " + failure + "\n";
    env.errors.write(message.data(), message.size());
    env.errors.flush();
    return 1;
  }
  return status;
}

}  // namespace regmap
