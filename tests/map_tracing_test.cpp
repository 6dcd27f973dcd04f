// Map tracing: the triple points, the five blocks of the curve file, the console headings
// and regime lines, the grid start of each curve and the window test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/number_layout.h"
#include "driver/output_file.h"
#include "driver/program_flow.h"
#include "model/flow_state.h"
#include "support/test_support.h"
#include "transitions/grid.h"
#include "transitions/map_tracing.h"
#include "transitions/root_finder.h"

namespace regmap {
namespace {

using test::split_crlf;
using test::StringSink;

// A line of the curve file with the velocities of the flow model state at the moment it
// was written. For a curve point those are the exact values behind the rounded text (the
// tracer writes the current JG and JL); for a block head they mean nothing.
struct WrittenLine {
  std::string text;
  double JG;
  double JL;
};

class CapturingWriter final : public LineWriter {
 public:
  void write_line(std::string_view text) override {
    lines.push_back({std::string(text), fm.JG, fm.JL});
  }
  std::vector<WrittenLine> lines;
};

// The blocks of the curve file in order, and each block's curve.
enum Block { kB, kALower, kAUpper, kD, kC, kBlocks };
const char* const kBlockNames[kBlocks] = {"B", "A lower", "A upper", "D", "C"};

struct Trace {
  TraceSummary summary;
  TriplePoints triple;
  std::vector<std::string> console;  // displayed lines
  std::vector<WrittenLine> lines;    // the curve file
  std::vector<std::vector<WrittenLine>> blocks;

  // The computed points of a curve: its block without the head.
  std::vector<WrittenLine> points(Block b) const {
    return std::vector<WrittenLine>(blocks[b].begin() + 1, blocks[b].end());
  }
};

// Map tracing alone, after the set-up of the run with the fluid menu defaults: the state
// that main hands over, with both phases turbulent.
Trace trace(const MapWindow& window) {
  test::set_up_model(kFluidDefaults);

  Trace t;
  StringSink sink;
  CapturingWriter curve;
  {
    Console console(sink);
    t.summary = trace_map(window, t.triple, console, curve);
    console.finish();
  }
  t.console = split_crlf(sink.text);
  t.lines = curve.lines;
  // Blocks are separated by two empty lines.
  t.blocks.emplace_back();
  for (std::size_t i = 0; i < t.lines.size(); ++i) {
    if (t.lines[i].text.empty() && i + 1 < t.lines.size() && t.lines[i + 1].text.empty()) {
      t.blocks.emplace_back();
      ++i;
    } else {
      t.blocks.back().push_back(t.lines[i]);
    }
  }
  return t;
}

MapWindow default_window() { return map_window(kMapDefaults); }

std::string point_line(double jg, double jl) {
  return format_real(jg, kPointLayout) + format_real(jl, kPointLayout);
}

// ---------------------------------------------------------------------------------------
// The reference run with all menu defaults.

class ReferenceTrace : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { reference_ = new Trace(trace(default_window())); }
  static void TearDownTestSuite() {
    delete reference_;
    reference_ = nullptr;
  }
  static const Trace& ref() { return *reference_; }

 private:
  static Trace* reference_;
};
Trace* ReferenceTrace::reference_ = nullptr;

TEST_F(ReferenceTrace, TriplePoints) {
  // Reference run, six significant digits; tolerance half a unit of the last digit.
  const TriplePoints& t = ref().triple;
  EXPECT_NEAR(t.JGAB, 3.16547, 5e-6);
  EXPECT_NEAR(t.JLAB, 0.170085, 5e-7);
  EXPECT_NEAR(t.JGBD, 148.102, 5e-4);
  EXPECT_NEAR(t.JLBD, 7.95772, 5e-6);
  EXPECT_NEAR(t.JGAC, 1.15886, 5e-6);
  EXPECT_NEAR(t.JLAC, 0.167070, 5e-7);
}

TEST_F(ReferenceTrace, PointCountsAndSolves) {
  const TraceSummary& s = ref().summary;
  EXPECT_EQ(s.points_B, 56);
  EXPECT_EQ(s.points_A_lower, 71);
  EXPECT_EQ(s.points_A_upper, 26);
  EXPECT_EQ(s.points_D, 113);
  EXPECT_EQ(s.points_C, 39);
  // One solve per pass on A, D, AC and C: 249 points and the triple point AC, plus the
  // passes that CHREGM repeated where a law switched.
  EXPECT_EQ(s.solves, 255);
}

TEST_F(ReferenceTrace, CurveFileHasFiveBlocksHeadedByTheTriplePoints) {
  const Trace& r = ref();
  ASSERT_EQ(r.lines.size(), 318u);
  EXPECT_EQ(r.lines.front().text, "  3.165469E+00  1.700853E-01");

  // Separators: exactly four pairs of empty lines, none at the start or the end.
  EXPECT_FALSE(r.lines.front().text.empty());
  EXPECT_FALSE(r.lines.back().text.empty());
  int empty = 0;
  for (const WrittenLine& l : r.lines) empty += l.text.empty();
  EXPECT_EQ(empty, 8);
  ASSERT_EQ(r.blocks.size(), 5u);

  const std::size_t sizes[kBlocks] = {57, 72, 27, 114, 40};
  for (int b = 0; b < kBlocks; ++b) {
    EXPECT_EQ(r.blocks[b].size(), sizes[b]) << kBlockNames[b];
    for (const WrittenLine& l : r.blocks[b]) {
      EXPECT_EQ(l.text.size(), 28u) << kBlockNames[b];
      EXPECT_EQ(l.text[0], ' ');
    }
  }

  // Heads: AB for B and both branches of A, BD for D, AC for C.
  const std::string ab = point_line(r.triple.JGAB, r.triple.JLAB);
  const std::string bd = point_line(r.triple.JGBD, r.triple.JLBD);
  const std::string ac = point_line(r.triple.JGAC, r.triple.JLAC);
  EXPECT_EQ(r.blocks[kB][0].text, ab);
  EXPECT_EQ(r.blocks[kALower][0].text, ab);
  EXPECT_EQ(r.blocks[kAUpper][0].text, ab);
  EXPECT_EQ(r.blocks[kD][0].text, bd);
  EXPECT_EQ(r.blocks[kC][0].text, ac);
  int count_ab = 0, count_bd = 0, count_ac = 0;
  for (const WrittenLine& l : r.lines) {
    count_ab += l.text == ab;
    count_bd += l.text == bd;
    count_ac += l.text == ac;
  }
  EXPECT_EQ(count_ab, 3);
  EXPECT_EQ(count_bd, 1);
  EXPECT_EQ(count_ac, 1);
}

TEST_F(ReferenceTrace, CurvesStartOnTheGridAndStepByTheRatio) {
  const Trace& r = ref();
  const MapWindow w = default_window();
  struct Curve {
    Block block;
    double start;  // the triple-point velocity the grid start is taken from
    GridStart how;
    bool on_liquid_grid;
    bool upward;
  };
  const Curve curves[] = {
      {kB, r.triple.JGAB, GridStart::Upward, false, true},
      {kALower, r.triple.JGAB, GridStart::Downward, false, false},
      {kAUpper, r.triple.JGAB, GridStart::Upward, false, true},
      {kD, r.triple.JGBD, GridStart::Downward, false, false},
      {kC, r.triple.JLAC, GridStart::Liquid, true, false},
  };
  for (const Curve& c : curves) {
    SCOPED_TRACE(kBlockNames[c.block]);
    const double ratio = c.on_liquid_grid ? w.RJL : w.RJG;
    const std::optional<std::int32_t> k = grid_exponent(c.start, ratio, c.how);
    ASSERT_TRUE(k.has_value());
    const std::vector<WrittenLine> p = r.points(c.block);
    ASSERT_FALSE(p.empty());
    auto stepped = [&](const WrittenLine& l) { return c.on_liquid_grid ? l.JL : l.JG; };
    // The first point is R^k as an integer power, the next ones the previous value
    // multiplied or divided by R, with no new logarithm.
    EXPECT_EQ(stepped(p[0]), integer_power(ratio, *k));
    for (std::size_t i = 1; i < p.size(); ++i) {
      const double expected = c.upward ? stepped(p[i - 1]) * ratio : stepped(p[i - 1]) / ratio;
      ASSERT_EQ(stepped(p[i]), expected) << "point " << i;
    }
    // Every point but the last lies in the window; the last one has left it.
    auto inside = [&](const WrittenLine& l) {
      return l.JG >= w.JGMIN && l.JG <= w.JGMAX && l.JL > w.JLMIN && l.JL < w.JLMAX;
    };
    for (std::size_t i = 0; i + 1 < p.size(); ++i) EXPECT_TRUE(inside(p[i])) << "point " << i;
    EXPECT_FALSE(inside(p.back()));
    // The text is the state written.
    for (const WrittenLine& l : p) EXPECT_EQ(l.text, point_line(l.JG, l.JL));
  }
}

TEST_F(ReferenceTrace, ConsoleHeadingsInTracingOrder) {
  const Trace& r = ref();
  // Replace each regime line by a mark; the rest is the sequence of headings.
  const std::regex regime("[TL][TL] JG= [ -]\\d\\.\\d\\d(E[+-]\\d\\d|[+-]\\d{3})"
                          " JL= [ -]\\d\\.\\d\\d(E[+-]\\d\\d|[+-]\\d{3})");
  std::vector<std::string> shape;
  for (const std::string& line : r.console) {
    if (std::regex_match(line, regime)) {
      EXPECT_EQ(line.size(), 30u);
      if (shape.empty() || shape.back().rfind("regime x", 0) != 0) shape.push_back("regime x0");
      shape.back() = "regime x" + std::to_string(std::stoi(shape.back().substr(8)) + 1);
    } else {
      shape.push_back(line);
    }
  }
  const std::vector<std::string> expected = {
      "",  "Point triple AB", "regime x1", "", "Transition B",    "regime x56",
      "",  "Transition A",    "regime x71",
      "",  "regime x26",  // the upper branch of A has no heading of its own
      "",  "Point triple BD", "regime x1", "", "Transition D",    "regime x113",
      "",  "Point triple AC", "regime x1", "", "Transition C",    "regime x39",
  };
  EXPECT_EQ(shape, expected);
}

TEST_F(ReferenceTrace, RegimeLinesShowThePointsWrittenToTheFile) {
  const Trace& r = ref();
  std::vector<std::string> regime;
  for (const std::string& line : r.console) {
    if (line.size() == 30 && line.compare(2, 4, " JG=") == 0) regime.push_back(line);
  }
  ASSERT_EQ(regime.size(), 3u + 56 + 71 + 26 + 113 + 39);

  auto shown = [](double jg, double jl) {
    return " JG=" + format_real(jg, kRegimeLayout) + " JL=" + format_real(jl, kRegimeLayout);
  };
  // Console order: AB, B, A lower, A upper, BD, D, AC, C.
  std::vector<std::string> expected;
  const TriplePoints& t = r.triple;
  expected.push_back(shown(t.JGAB, t.JLAB));
  for (Block b : {kB, kALower, kAUpper}) {
    for (const WrittenLine& l : r.points(b)) expected.push_back(shown(l.JG, l.JL));
  }
  expected.push_back(shown(t.JGBD, t.JLBD));
  for (const WrittenLine& l : r.points(kD)) expected.push_back(shown(l.JG, l.JL));
  expected.push_back(shown(t.JGAC, t.JLAC));
  for (const WrittenLine& l : r.points(kC)) expected.push_back(shown(l.JG, l.JL));
  ASSERT_EQ(expected.size(), regime.size());
  for (std::size_t i = 0; i < regime.size(); ++i) {
    EXPECT_EQ(regime[i].substr(2), expected[i]) << "regime line " << i;
  }

  // The three triple points are reached with both phases turbulent; the low gas flows of
  // the lower branch of A give laminar gas, the low liquid flows at the end of C laminar
  // liquid.
  EXPECT_EQ(regime[0], "TT JG=  3.17E+00 JL=  1.70E-01");
  EXPECT_EQ(regime[1 + 56 + 71 + 26].substr(0, 2), "TT");
  EXPECT_EQ(regime[1 + 56 + 71 + 26 + 1 + 113].substr(0, 2), "TT");
  EXPECT_EQ(regime[1 + 56 + 70].substr(0, 2), "LT");
  EXPECT_EQ(regime.back().substr(0, 2), "TL");
}

// ---------------------------------------------------------------------------------------
// Grid start.

TEST(GridStart, ExponentsOfTheFirstPoints) {
  // 25 points per decade, as the map menu default sets the ratio. Hand calculation:
  // log10(V) / log10(R) = 25 log10(V).
  const double r = std::pow(10.0, 1 / 25.0);
  struct Case {
    double v;
    GridStart how;
    std::int32_t k;
    double first;  // R^k, to four significant digits
  };
  const Case cases[] = {
      // JGAB = 2: quotient 7.53; the lower branch of A below, B and the upper branch above.
      {2.0, GridStart::Downward, 7, 1.905},
      {2.0, GridStart::Upward, 8, 2.089},
      // JGAB = 0.05: quotient -32.53, truncated toward zero: the lower branch starts above
      // JGAB and descends through it; B and the upper branch start one point higher.
      {0.05, GridStart::Downward, -32, 0.05248},
      {0.05, GridStart::Upward, -31, 0.05754},
      // JGAB = 0.95: quotient -0.557; both directions start at 1 m/s.
      {0.95, GridStart::Downward, 0, 1.0},
      {0.95, GridStart::Upward, 0, 1.0},
      // JLAC = 0.05 on the liquid grid: INTHL(-32.53) = -33.
      {0.05, GridStart::Liquid, -33, 0.04786},
      // On a grid point (1 m/s, quotient exactly 0).
      {1.0, GridStart::Downward, 0, 1.0},
      {1.0, GridStart::Upward, 1, 1.096},
      {1.0, GridStart::Liquid, 0, 1.0},
  };
  for (const Case& c : cases) {
    const std::optional<std::int32_t> k = grid_exponent(c.v, r, c.how);
    ASSERT_TRUE(k.has_value()) << c.v;
    EXPECT_EQ(*k, c.k) << "v = " << c.v << ", start " << static_cast<int>(c.how);
    EXPECT_NEAR(integer_power(r, *k), c.first, 5e-4 * c.first) << "v = " << c.v;
  }
}

TEST(GridStart, NoExponentWithoutALogarithm) {
  const double r = std::pow(10.0, 1 / 25.0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (GridStart how : {GridStart::Downward, GridStart::Upward, GridStart::Liquid}) {
    for (double v : {0.0, -0.0, -0.05, nan, inf}) {
      EXPECT_FALSE(grid_exponent(v, r, how).has_value()) << "v = " << v;
    }
    // A ratio of exactly 1 (points per decade so large that 10^(1/N) rounds to 1).
    EXPECT_FALSE(grid_exponent(2.0, 1.0, how).has_value());
    // An exponent beyond the int32 range.
    EXPECT_FALSE(grid_exponent(1e300, 1.0 + 1e-15, how).has_value());
  }
}

TEST(GridStart, IntegerPower) {
  // Exact where the powers are.
  EXPECT_EQ(integer_power(2.0, 10), 1024.0);
  EXPECT_EQ(integer_power(2.0, -3), 0.125);
  EXPECT_EQ(integer_power(10.0, 3), 1000.0);
  EXPECT_EQ(integer_power(10.0, 0), 1.0);
  const double r = std::pow(10.0, 1 / 25.0);
  EXPECT_EQ(integer_power(r, 1), r);
  EXPECT_EQ(integer_power(r, -1), 1 / r);
  // Close to the real power across the exponents of a map.
  for (std::int32_t k = -150; k <= 150; ++k) {
    EXPECT_NEAR(integer_power(r, k), std::pow(10.0, k / 25.0), 1e-13 * std::pow(10.0, k / 25.0))
        << "k = " << k;
  }
  EXPECT_EQ(integer_power(r, std::numeric_limits<std::int32_t>::min()), 0.0);
}

// ---------------------------------------------------------------------------------------
// The window test, on windows made from computed points of the reference run.

TEST_F(ReferenceTrace, WindowEdges) {
  // The JG limits belong to the window: a point exactly on one is inside and the curve
  // goes on to the next point, which leaves. The JL limits do not: a point exactly on one
  // ends the curve. Each case moves one limit of the default window onto the point with
  // index `at` of a curve that no earlier curve reaches with that limit, so the curve's
  // points stay those of the reference run; a limit one double further out lets the
  // point through (JL) or leaves it outside (JG).
  enum Limit { kJGMIN, kJGMAX, kJLMIN, kJLMAX };
  struct Case {
    Block block;
    Limit limit;
    std::size_t at;
    std::size_t points_on_limit;  // computed points with the limit on the point
    std::size_t points_beside;    // with the limit one double beside it
  };
  const Case cases[] = {
      {kB, kJGMAX, 9, 11, 10},       // JG = JGMAX: inside, one more point follows
      {kALower, kJGMIN, 9, 11, 10},  // JG = JGMIN: inside
      {kB, kJLMAX, 9, 10, 11},       // JL = JLMAX: the curve ends on it
      {kAUpper, kJLMIN, 9, 10, 11},  // JL = JLMIN: the curve ends on it
  };
  const Trace& r = ref();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kBlockNames[c.block]) + ", limit " + std::to_string(c.limit));
    const WrittenLine p = r.points(c.block).at(c.at);
    for (bool on_limit : {true, false}) {
      MapWindow w = default_window();
      const double inf = std::numeric_limits<double>::infinity();
      switch (c.limit) {
        case kJGMIN: w.JGMIN = on_limit ? p.JG : std::nextafter(p.JG, inf); break;
        case kJGMAX: w.JGMAX = on_limit ? p.JG : std::nextafter(p.JG, -inf); break;
        case kJLMIN: w.JLMIN = on_limit ? p.JL : std::nextafter(p.JL, -inf); break;
        case kJLMAX: w.JLMAX = on_limit ? p.JL : std::nextafter(p.JL, inf); break;
      }
      const Trace t = trace(w);
      ASSERT_EQ(t.blocks.size(), 5u);
      const std::vector<WrittenLine> got = t.points(c.block);
      const std::vector<WrittenLine> want = r.points(c.block);
      EXPECT_EQ(got.size(), on_limit ? c.points_on_limit : c.points_beside)
          << (on_limit ? "on the limit" : "beside the limit");
      for (std::size_t i = 0; i < got.size() && i < want.size(); ++i) {
        ASSERT_EQ(got[i].text, want[i].text) << "point " << i;
        ASSERT_EQ(got[i].JG, want[i].JG) << "point " << i;
        ASSERT_EQ(got[i].JL, want[i].JL) << "point " << i;
      }
    }
  }
}

TEST_F(ReferenceTrace, CurvesWhoseFirstPointIsOutsideTheWindow) {
  const Trace& r = ref();
  const double rjg = default_window().RJG;
  const std::string ab = point_line(r.triple.JGAB, r.triple.JLAB);
  {
    // JGMAX between JGAB (3.165) and the first point above it (3.311): B and the upper
    // branch of A are their triple point and that one computed point.
    MapWindow w = default_window();
    w.JGMAX = 3.2;
    const Trace t = trace(w);
    ASSERT_EQ(t.blocks.size(), 5u);
    for (Block b : {kB, kAUpper}) {
      SCOPED_TRACE(kBlockNames[b]);
      ASSERT_EQ(t.blocks[b].size(), 2u);
      EXPECT_EQ(t.blocks[b][0].text, ab);
      EXPECT_EQ(t.blocks[b][1].JG, integer_power(rjg, 13));
    }
    EXPECT_EQ(t.summary.points_B, 1);
    EXPECT_EQ(t.summary.points_A_upper, 1);
    EXPECT_EQ(t.summary.points_A_lower, 71);
  }
  {
    // JGAB below the window: B and both branches of A still start from it, on the grid
    // points next to it, and each ends with that first point, B and the upper branch
    // although their later points would have come into the window.
    MapWindow w = default_window();
    w.JGMIN = 5.0;
    const Trace t = trace(w);
    ASSERT_EQ(t.blocks.size(), 5u);
    const double first[3] = {integer_power(rjg, 13), integer_power(rjg, 12),
                             integer_power(rjg, 13)};
    for (Block b : {kB, kALower, kAUpper}) {
      SCOPED_TRACE(kBlockNames[b]);
      ASSERT_EQ(t.blocks[b].size(), 2u);
      EXPECT_EQ(t.blocks[b][0].text, ab);
      EXPECT_EQ(t.blocks[b][1].JG, first[b]);
      EXPECT_EQ(t.blocks[b][1].text, r.blocks[b][1].text);
    }
    EXPECT_EQ(t.triple.JGAB, r.triple.JGAB);
    EXPECT_EQ(t.triple.JLAB, r.triple.JLAB);
  }
}

}  // namespace
}  // namespace regmap
