// The guards of map tracing against grids that the map menu never lets through, for
// callers of the trace itself: a grid ratio of exactly 1 gives no first grid point, and a
// ratio barely above 1 would step for ever inside the window. Both must end, with a console
// line for each curve concerned and the five blocks of the curve file kept.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "driver/console.h"
#include "driver/output_file.h"
#include "driver/program_flow.h"
#include "model/flow_state.h"
#include "support/curve_file.h"
#include "support/test_support.h"
#include "transitions/map_tracing.h"
#include "transitions/root_finder.h"

namespace regmap::test {
namespace {

class TextLineWriter final : public LineWriter {
 public:
  void write_line(std::string_view text) override {
    bytes.append(text);
    bytes += "\r\n";
  }
  std::string bytes;
};

struct Trace {
  TraceSummary summary;
  TriplePoints triple;
  std::string console;
  std::string curve;
};

// The set-up of the run with the menu defaults, then the trace on `window`.
Trace trace_with_defaults(const MapWindow& window) {
  test::set_up_model(kFluidDefaults);
  Trace t;
  StringSink out;
  TextLineWriter curve;
  {
    Console console(out);
    t.summary = trace_map(window, t.triple, console, curve);
    console.finish();
  }
  t.console = out.text;
  t.curve = curve.bytes;
  return t;
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST(TraceGuards, RatioOfOneGivesNoFirstGridPoint) {
  MapWindow w = map_window(kMapDefaults);
  w.RJG = 1;
  w.RJL = 1;
  const Trace t = trace_with_defaults(w);

  // Every curve is reported once and traces no point; the triple points are still found.
  const std::string no_start = " non tracee : pas de premier point sur la grille\r\n";
  EXPECT_EQ(count(t.console, "\r\nTransition B" + no_start), 1u);
  EXPECT_EQ(count(t.console, "\r\nTransition A" + no_start), 2u);
  EXPECT_EQ(count(t.console, "\r\nTransition D" + no_start), 1u);
  EXPECT_EQ(count(t.console, "\r\nTransition C" + no_start), 1u);
  EXPECT_EQ(t.summary.points_B + t.summary.points_A_lower + t.summary.points_A_upper +
                t.summary.points_D + t.summary.points_C,
            0);

  // B and both branches of A keep their head AB, D the placeholder in place of its head
  // (written after the grid start), C its head AC.
  const CurveFile file = parse_curve_file(t.curve);
  EXPECT_TRUE(file.faults.empty());
  ASSERT_EQ(file.blocks.size(), 5u);
  for (int b = 0; b < 5; ++b) EXPECT_EQ(file.blocks[b].size(), 1u) << b;
  EXPECT_EQ(file.blocks[0][0], "  3.165469E+00  1.700853E-01");  // reference run
  EXPECT_EQ(file.blocks[1][0], file.blocks[0][0]);
  EXPECT_EQ(file.blocks[2][0], file.blocks[0][0]);
  EXPECT_EQ(file.blocks[3][0], kMissingPointLine);
  EXPECT_FALSE(has_meaningless_number(t.curve));
}

TEST(TraceGuards, RatioBarelyAboveOneEndsAtTheCap) {
  // The window starts at the triple point AB and stops below BD, so only B and the upper
  // branch of A step upward inside it, by a ten-millionth per point.
  MapWindow w = map_window(kMapDefaults);
  w.JGMIN = trace_with_defaults(map_window(kMapDefaults)).triple.JGAB;
  w.JGMAX = 100;
  w.RJG = 1 + 1e-7;
  const Trace t = trace_with_defaults(w);

  EXPECT_EQ(t.summary.points_B, kMaxCurvePoints);
  EXPECT_EQ(t.summary.points_A_upper, kMaxCurvePoints);
  EXPECT_LT(t.summary.points_A_lower, 3);
  EXPECT_EQ(t.summary.points_D, 1);  // BD lies above the window
  const std::string capped = " arretee : nombre de points maximal atteint\r\n";
  EXPECT_EQ(count(t.console, "\r\nTransition B" + capped), 1u);
  EXPECT_EQ(count(t.console, "\r\nTransition A" + capped), 1u);
  EXPECT_EQ(count(t.console, capped), 2u);

  const CurveFile file = parse_curve_file(t.curve);
  EXPECT_TRUE(file.faults.empty());
  ASSERT_EQ(file.blocks.size(), 5u);
  EXPECT_EQ(file.blocks[0].size(), 1u + kMaxCurvePoints);
  EXPECT_EQ(file.blocks[2].size(), 1u + kMaxCurvePoints);
}

}  // namespace
}  // namespace regmap::test
