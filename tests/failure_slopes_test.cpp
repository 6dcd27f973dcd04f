// Runs in which the model leaves a triple point or a curve without a value: an upward
// slope, where the triple point AC has the liquid flowing back (negative JL, no logarithm
// for the grid start of curve C); a steep downward slope, where the gas gradient at BD is
// negative and has no root under the turbulent gas law; and a pipe so thin that no triple
// point has a value. Each such curve is reported by one console line and skipped; the
// curve file keeps its five blocks, with a placeholder line where a head is missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/curve_file.h"
#include "support/test_support.h"
#include "transitions/map_tracing.h"

namespace regmap::test {
namespace {

constexpr const char* kPrompt = "taper -1,0 pour arreter  --->";

// The console lines of the trace: everything after the reply to the last menu prompt.
std::vector<std::string> trace_lines(const std::string& console) {
  const std::size_t p = console.rfind(kPrompt);
  if (p == std::string::npos) return {};
  return split_crlf(console.substr(p + std::string(kPrompt).size()));
}

// The lines by which the trace reports a point or a curve that it could not compute.
std::vector<std::string> failure_lines(const std::vector<std::string>& lines) {
  std::vector<std::string> found;
  for (const std::string& l : lines) {
    if (l.find("sans valeur") != std::string::npos || l.find("non trace") != std::string::npos ||
        l.find("interrompue") != std::string::npos || l.find("arretee") != std::string::npos ||
        l.find("instable") != std::string::npos) {
      found.push_back(l);
    }
  }
  return found;
}

// Index of the first line equal to `text`, or lines.size().
std::size_t find_line(const std::vector<std::string>& lines, const std::string& text) {
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != text) ++i;
  return i;
}

struct Pair {
  double jg;
  double jl;
};

// The two velocities of a point line (two fields of 14 columns).
Pair point_of(const std::string& line) {
  return {std::strtod(line.substr(0, 14).c_str(), nullptr),
          std::strtod(line.substr(14, 14).c_str(), nullptr)};
}

// The two velocities of a regime line ("TT JG=  3.16E-01 JL=  1.00E-02").
Pair regime_of(const std::string& line) {
  return {std::strtod(line.substr(6, 10).c_str(), nullptr),
          std::strtod(line.substr(20, 10).c_str(), nullptr)};
}

// The regime line rounds to three significant digits.
void expect_same_point(const Pair& file, const Pair& console) {
  EXPECT_NEAR(file.jg, console.jg, 5e-3 * std::abs(file.jg));
  EXPECT_NEAR(file.jl, console.jl, 5e-3 * std::abs(file.jl));
}

struct TracedRun {
  InProcessRun process;
  std::string curve;
  CurveFile file;
  std::vector<std::string> trace;
};

TracedRun run_map(const std::string& replies) {
  ScratchDir dir;
  TracedRun r;
  r.process = run_in_process(replies);
  r.curve = read_file("Regmap24.out");
  r.file = parse_curve_file(r.curve);
  r.trace = trace_lines(r.process.console);
  return r;
}

// What every run must be, whatever it could not trace.
void expect_complete(const TracedRun& r) {
  EXPECT_EQ(r.process.status, 0);
  EXPECT_EQ(r.process.errors, "");
  EXPECT_EQ(r.process.plot_commands.size(), 1u);
  ASSERT_EQ(r.file.blocks.size(), 5u);
  EXPECT_TRUE(r.file.faults.empty()) << r.file.faults.front();
  EXPECT_FALSE(has_meaningless_number(r.curve));
  EXPECT_FALSE(has_meaningless_number(read_file("Regmap24.plp")));
  for (const std::string& l : r.trace) EXPECT_FALSE(has_meaningless_number(l)) << l;
}

TEST(FailureSlopes, UpwardSlopeSkipsCurveCAfterItsHead) {
  const TracedRun r = run_map("6,-5\n0,0\n0,0\n");
  expect_complete(r);

  // The triple point AC is reported, its head written, and the heading of C shown; then
  // one line says why C is not traced, and nothing else of the trace follows.
  const std::vector<std::string> expected_failures = {
      "Transition C non tracee : JL du point triple AC negatif ou nul"};
  EXPECT_EQ(failure_lines(r.trace), expected_failures);
  const std::size_t ac = find_line(r.trace, "Point triple AC");
  ASSERT_EQ(ac + 5, r.trace.size());
  EXPECT_EQ(r.trace[ac - 1], "");
  EXPECT_EQ(r.trace[ac + 2], "");
  EXPECT_EQ(r.trace[ac + 3], "Transition C");
  EXPECT_EQ(r.trace[ac + 4], expected_failures[0]);

  // The C block is the head AC alone: the point of the regime line, the liquid flowing
  // back.
  ASSERT_EQ(r.file.blocks[4].size(), 1u);
  const Pair head = point_of(r.file.blocks[4][0]);
  EXPECT_LT(head.jl, 0);
  EXPECT_GT(head.jg, 0);
  expect_same_point(head, regime_of(r.trace[ac + 1]));

  // The other blocks are traced: B and both branches of A from the head AB, D from BD.
  for (int b = 0; b < 3; ++b) {
    ASSERT_GE(r.file.blocks[b].size(), 2u) << b;
    EXPECT_EQ(r.file.blocks[b][0], r.file.blocks[0][0]);
  }
  EXPECT_GE(r.file.blocks[3].size(), 2u);
  const std::size_t bd = find_line(r.trace, "Point triple BD");
  ASSERT_LT(bd + 1, r.trace.size());
  expect_same_point(point_of(r.file.blocks[3][0]), regime_of(r.trace[bd + 1]));
}

TEST(FailureSlopes, SteepDownwardSlopeSkipsTriplePointBDAndCurveD) {
  const TracedRun r = run_map("6,80\n0,0\n0,0\n");
  expect_complete(r);

  // BD has its heading, then the line that says why it has no value; the heading of D is
  // not shown, and AC follows.
  const std::vector<std::string> expected_failures = {
      "Point triple BD sans valeur (gradient XG negatif) : transition D non tracee"};
  EXPECT_EQ(failure_lines(r.trace), expected_failures);
  const std::size_t bd = find_line(r.trace, "Point triple BD");
  ASSERT_LT(bd + 3, r.trace.size());
  EXPECT_EQ(r.trace[bd - 1], "");
  EXPECT_EQ(r.trace[bd + 1], expected_failures[0]);
  EXPECT_EQ(r.trace[bd + 2], "");
  EXPECT_EQ(r.trace[bd + 3], "Point triple AC");
  EXPECT_EQ(find_line(r.trace, "Transition D"), r.trace.size());

  // The D block holds only the placeholder that keeps the C block fifth.
  const std::vector<std::string> placeholder_only = {kMissingPointLine};
  EXPECT_EQ(r.file.blocks[3], placeholder_only);
  EXPECT_EQ(std::string(kMissingPointLine).size(), 28u);

  // B, both branches of A and C are traced from their heads.
  for (int b = 0; b < 3; ++b) {
    ASSERT_GE(r.file.blocks[b].size(), 2u) << b;
    EXPECT_EQ(r.file.blocks[b][0], r.file.blocks[0][0]);
  }
  ASSERT_GE(r.file.blocks[4].size(), 2u);
  const std::size_t ac = find_line(r.trace, "Point triple AC");
  ASSERT_LT(ac + 1, r.trace.size());
  expect_same_point(point_of(r.file.blocks[4][0]), regime_of(r.trace[ac + 1]));
}

TEST(FailureSlopes, PipeTooThinForAnyTriplePointLeavesFivePlaceholders) {
  // A diameter of 1e-300 mm is accepted by the menu, but the triple points AB and AC have
  // no value and BD has JG = 0, without a logarithm for the grid start of D.
  const TracedRun r = run_map("5,1e-300\n0,0\n0,0\n");
  expect_complete(r);
  const std::vector<std::string> expected_failures = {
      "Point triple AB sans valeur : transitions B et A non tracees",
      "Transition D non tracee : JG du point triple BD negatif ou nul",
      "Point triple AC sans valeur : transition C non tracee",
  };
  EXPECT_EQ(failure_lines(r.trace), expected_failures);
  const std::size_t ab = find_line(r.trace, "Point triple AB");
  ASSERT_LT(ab + 1, r.trace.size());
  EXPECT_EQ(r.trace[ab + 1], expected_failures[0]);
  const std::size_t d = find_line(r.trace, "Transition D");
  ASSERT_LT(d + 1, r.trace.size());
  EXPECT_EQ(r.trace[d + 1], expected_failures[1]);
  EXPECT_EQ(find_line(r.trace, "Transition B"), r.trace.size());
  EXPECT_EQ(find_line(r.trace, "Transition A"), r.trace.size());
  EXPECT_EQ(find_line(r.trace, "Transition C"), r.trace.size());

  const std::string p = std::string(kMissingPointLine) + "\r\n";
  EXPECT_EQ(r.curve, p + "\r\n\r\n" + p + "\r\n\r\n" + p + "\r\n\r\n" + p + "\r\n\r\n" + p);
}

}  // namespace
}  // namespace regmap::test
