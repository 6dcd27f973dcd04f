#include "transitions/map_tracing.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "driver/console.h"
#include "driver/number_layout.h"
#include "driver/output_file.h"
#include "model/conversions.h"
#include "model/flow_state.h"
#include "model/geometry.h"
#include "model/groups.h"
#include "model/regime.h"
#include "transitions/criteria.h"
#include "transitions/grid.h"
#include "transitions/root_finder.h"

namespace regmap {

namespace {

// The root finder's search interval keeps the angle 0.01 rad away from the degenerate
// full pipe (0) and empty pipe (PI); the tolerance bounds the final bracket width.
constexpr double kAngleMargin = 0.01;
constexpr double kAngleTolerance = 1e-6;

// The regime iteration of the tracer, with CHREGM deciding whether a pass is repeated.
template <class Pass>
RegimeOutcome iterate_point(Pass pass) {
  return iterate_regime(pass, [] { return CHREGM(); });
}

// The regime line of SORT for the expanded velocities: gas and liquid law letters, " JG=",
// JG, " JL=", JL (scientific, width 10, 2 decimals); 30 columns.
void regime_line(char* line, const DecimalExpansion& jg, const DecimalExpansion& jl) {
  line[0] = fm.ITURBG == 1 ? 'T' : 'L';
  line[1] = fm.ITURBL == 1 ? 'T' : 'L';
  std::memcpy(line + 2, " JG=", 4);
  format_real(line + 6, jg, kRegimeLayout);
  std::memcpy(line + 16, " JL=", 4);
  format_real(line + 20, jl, kRegimeLayout);
}
constexpr std::size_t kRegimeLineLength = 30;

bool finite_pair(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

class Tracer {
 public:
  Tracer(const MapWindow& w, TriplePoints& t, Console& c, LineWriter& f)
      : w_(w), t_(t), console_(c), curve_(f) {}

  TraceSummary run() {
    const bool ab = triple_point_AB();
    if (ab) {
      summary_.points_B = curve_B();
      summary_.points_A_lower = curve_A_lower();
      summary_.points_A_upper = curve_A_upper();
    } else {
      console_.line("Point triple AB sans valeur : transitions B et A non tracees");
      curve_.write_line(kMissingPointLine);
      separator();
      curve_.write_line(kMissingPointLine);
      separator();
      curve_.write_line(kMissingPointLine);
    }
    if (triple_point_BD()) {
      summary_.points_D = curve_D();
    } else {
      // On a steep downward slope 4 GSINB exceeds AAV XL, the gas gradient is negative and
      // has no root under the turbulent gas law; other causes are overflows of the model.
      console_.line(fm.XG < 0 ? "Point triple BD sans valeur (gradient XG negatif) : "
                                "transition D non tracee"
                              : "Point triple BD sans valeur : transition D non tracee");
      separator();
      curve_.write_line(kMissingPointLine);
    }
    if (triple_point_AC()) {
      summary_.points_C = curve_C();
    } else {
      console_.line("Point triple AC sans valeur : transition C non tracee");
      separator();
      curve_.write_line(kMissingPointLine);
    }
    return summary_;
  }

 private:
  // A solve: the angle of the criterion's root, stored in DELTA. SV evaluates the
  // criterion last at the returned angle, so the state belongs to that angle.
  void solve(Criterion f) {
    const double a = kAngleMargin;
    const double b = fm.PI - kAngleMargin;
    const double eps = kAngleTolerance;
    fm.DELTA = SV(f, a, b, eps);
    ++summary_.solves;
  }

  void separator() {
    curve_.write_line("");
    curve_.write_line("");
  }

  void write_pair(const DecimalExpansion& jg, const DecimalExpansion& jl) {
    char line[28];
    format_real(line, jg, kPointLayout);
    format_real(line + 14, jl, kPointLayout);
    curve_.write_line(std::string_view(line, sizeof line));
  }
  void write_pair(double jg, double jl) { write_pair(expand_real(jg), expand_real(jl)); }

  // Writing a point: the regime line (SORT), then the pair (JG, JL). Each velocity is
  // expanded once for both texts.
  void write_point() {
    const DecimalExpansion jg = expand_real(fm.JG);
    const DecimalExpansion jl = expand_real(fm.JL);
    char line[kRegimeLineLength];
    regime_line(line, jg, jl);
    console_.line(std::string_view(line, sizeof line));
    write_pair(jg, jl);
  }

  void note_capped(RegimeOutcome o) {
    if (o == RegimeOutcome::Capped) console_.line("Regime de frottement instable : dernier calcul retenu");
  }

  // The window test after a written point: the JG limits belong to the window, the JL
  // limits do not.
  bool inside_window() const {
    return !(fm.JG < w_.JGMIN || fm.JG > w_.JGMAX || fm.JL <= w_.JLMIN || fm.JL >= w_.JLMAX);
  }

  // Steps a curve: computes each point with `pass` under the regime iteration, writes it
  // and steps the velocity `stepped` by `factor` until the point leaves the window.
  template <class Pass>
  int step_curve(double& stepped, double factor, bool divide, const char* name, Pass pass) {
    int points = 0;
    for (;;) {
      const RegimeOutcome o = iterate_point(pass);
      if (o == RegimeOutcome::NoValue) {
        console_.line(name);
        console_.append(" interrompue : point sans valeur");
        return points;
      }
      note_capped(o);
      write_point();
      ++points;
      if (!inside_window()) return points;
      if (points == kMaxCurvePoints) {
        console_.line(name);
        console_.append(" arretee : nombre de points maximal atteint");
        return points;
      }
      stepped = divide ? stepped / factor : stepped * factor;
    }
  }

  // Grid start: the first grid value R^k of a curve from the triple-point velocity v on
  // ratio r, into `stepped`. When it has none (a ratio of 1 or one so close to 1 that the
  // exponent leaves the integer range), a console line says the curve is not traced and
  // the block keeps only its head.
  bool start_curve(double v, double r, GridStart start, const char* name, double& stepped) {
    const std::optional<std::int32_t> k = grid_exponent(v, r, start);
    if (!k) {
      console_.line(name);
      console_.append(" non tracee : pas de premier point sur la grille");
      return false;
    }
    stepped = integer_power(r, *k);
    return true;
  }

  bool triple_point_AB() {
    const RegimeOutcome o = iterate_point([this] {
      fm.DELTA = fm.PI / 2;
      GEOM();
      AA();
      BB();
      CC();
      fm.FR2 = 1 / fm.CCV;
      FR2JG();
      t_.JGAB = fm.JG;
      JGXG();
      XGXL1();
      XLJL();
      t_.JLAB = fm.JL;
      return fm.JG > 0 && finite_pair(fm.JG, fm.JL);
    });
    console_.line("");
    console_.line("Point triple AB");
    if (o == RegimeOutcome::NoValue) return false;
    note_capped(o);
    SORT(console_);
    write_pair(t_.JGAB, t_.JLAB);
    return true;
  }

  int curve_B() {
    // The grid start writes nothing, so it may follow the heading.
    console_.line("");
    console_.line("Transition B");
    if (!start_curve(t_.JGAB, w_.RJG, GridStart::Upward, "Transition B", fm.JG)) return 0;
    // DELTA stays PI/2 with the geometry of the last pass at AB; AA and BB are rerun at
    // every pass so that they belong to the friction laws in force.
    return step_curve(fm.JG, w_.RJG, false, "Transition B", [] {
      liquid_from_momentum_balance();
      return finite_pair(fm.JG, fm.JL);
    });
  }

  // The liquid velocity that the momentum balance at the current angle gives for the gas
  // velocity JG, under the friction laws in force.
  static void liquid_from_momentum_balance() {
    AA();
    BB();
    JGXG();
    XGXL1();
    XLJL();
  }

  bool point_on_A() {
    JGFR2();
    solve(TA);
    liquid_from_momentum_balance();
    return finite_pair(fm.JG, fm.JL);
  }

  int curve_A_lower() {
    separator();
    write_pair(t_.JGAB, t_.JLAB);
    console_.line("");
    console_.line("Transition A");
    if (!start_curve(t_.JGAB, w_.RJG, GridStart::Downward, "Transition A", fm.JG)) return 0;
    return step_curve(fm.JG, w_.RJG, true, "Transition A", [this] { return point_on_A(); });
  }

  int curve_A_upper() {
    separator();
    write_pair(t_.JGAB, t_.JLAB);
    console_.line("");
    if (!start_curve(t_.JGAB, w_.RJG, GridStart::Upward, "Transition A", fm.JG)) return 0;
    return step_curve(fm.JG, w_.RJG, false, "Transition A", [this] { return point_on_A(); });
  }

  bool triple_point_BD() {
    fm.DELTA = fm.PI / 2;
    const RegimeOutcome o = iterate_point([this] {
      GEOM();
      DD();
      fm.XL = fm.GCOSBD * fm.DDV / fm.DIAM;
      XLJL();
      t_.JLBD = fm.JL;
      AA();
      BB();
      XLXG1();
      // With a steep downward slope 4 GSINB exceeds AAV XL: the gas gradient is negative
      // and has no root under the turbulent gas law.
      XGJG();
      t_.JGBD = fm.JG;
      return finite_pair(fm.JG, fm.JL);
    });
    console_.line("");
    console_.line("Point triple BD");
    if (o == RegimeOutcome::NoValue) return false;
    note_capped(o);
    SORT(console_);
    return true;
  }

  int curve_D() {
    console_.line("");
    console_.line("Transition D");
    // A negative JGBD (the laminar gas law at a steep downward slope) has no logarithm for
    // the grid start. The head of the block would come after the grid start, so the
    // placeholder stands in for it.
    bool started = false;
    if (!(t_.JGBD > 0)) {
      console_.line("Transition D non tracee : JG du point triple BD negatif ou nul");
    } else {
      started = start_curve(t_.JGBD, w_.RJG, GridStart::Downward, "Transition D", fm.JG);
    }
    if (!started) {
      separator();
      curve_.write_line(kMissingPointLine);
      return 0;
    }
    separator();
    write_pair(t_.JGBD, t_.JLBD);
    return step_curve(fm.JG, w_.RJG, true, "Transition D", [this] {
      JGXG();
      solve(TD);
      XLJL();
      return finite_pair(fm.JG, fm.JL);
    });
  }

  bool triple_point_AC() {
    const RegimeOutcome o = iterate_point([this] {
      solve(TAC);
      return finite_pair(fm.JG, fm.JL);
    });
    t_.JLAC = fm.JL;
    t_.JGAC = fm.JG;
    console_.line("");
    console_.line("Point triple AC");
    if (o == RegimeOutcome::NoValue) return false;
    note_capped(o);
    SORT(console_);
    separator();
    write_pair(t_.JGAC, t_.JLAC);
    return true;
  }

  int curve_C() {
    console_.line("");
    console_.line("Transition C");
    // The liquid flowing back at AC (an upward slope) leaves no logarithm for the grid
    // start; the block keeps its head AC.
    if (!(t_.JLAC > 0)) {
      console_.line("Transition C non tracee : JL du point triple AC negatif ou nul");
      return 0;
    }
    if (!start_curve(t_.JLAC, w_.RJL, GridStart::Liquid, "Transition C", fm.JL)) return 0;
    return step_curve(fm.JL, w_.RJL, true, "Transition C", [this] {
      JLREL();
      JLXL();
      solve(TC);
      return finite_pair(fm.JG, fm.JL);
    });
  }

  const MapWindow& w_;
  TriplePoints& t_;
  Console& console_;
  LineWriter& curve_;
  TraceSummary summary_;
};

}  // namespace

void SORT(Console& console) {
  char line[kRegimeLineLength];
  regime_line(line, expand_real(fm.JG), expand_real(fm.JL));
  console.line(std::string_view(line, sizeof line));
}

TraceSummary trace_map(const MapWindow& window, TriplePoints& triple, Console& console,
                       LineWriter& curve) {
  return Tracer(window, triple, console, curve).run();
}

}  // namespace regmap
