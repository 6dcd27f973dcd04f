// Whole runs of the program on random but usable menu values: fluids, diameters, slopes
// from -89 to +89 degrees, windows and grids drawn from a fixed seed. Whatever the model
// cannot compute, every run must end normally and leave files of the specified shape with
// no number that has no value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "support/curve_file.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

// Four hundred runs take well under a second in the optimised build and a few seconds
// under the sanitizers. REGMAP_PROPERTY_RUNS asks for another count, for a deeper search.
constexpr int kDefaultRuns = 400;

int run_count() {
  if (const char* s = std::getenv("REGMAP_PROPERTY_RUNS")) {
    const int n = std::atoi(s);
    if (n > 0) return n;
  }
  return kDefaultRuns;
}

// Uniform draws from the raw 64-bit stream, so the cases do not depend on how a standard
// library implements its distributions.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : gen_(seed) {}
  double uniform(double lo, double hi) {
    const double u = static_cast<double>(gen_() >> 11) * 0x1.0p-53;
    return lo + (hi - lo) * u;
  }
  double log_uniform(double lo_exp, double hi_exp) {
    return std::pow(10.0, uniform(lo_exp, hi_exp));
  }
  bool chance(double p) { return uniform(0, 1) < p; }

 private:
  std::mt19937_64 gen_;
};

std::string reply(int item, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d,%.17g\n", item, value);
  return buf;
}

// Menu replies for one random run: the six fluid values, leave; the six map values, leave.
std::string random_replies(Draw& d) {
  const double rhog = d.log_uniform(-3, 3);
  // From nearly equal densities to a liquid 10^4 times denser than the gas.
  const double rhol = rhog * (1 + d.log_uniform(-4, 4));
  const double mug = d.log_uniform(-7, -2);
  const double mul = d.log_uniform(-6, 1);
  const double diameter_mm = d.log_uniform(-1, 4);
  double slope = d.uniform(-89, 89);
  if (d.chance(0.1)) slope = 0;
  if (d.chance(0.1)) slope = (d.chance(0.5) ? 1 : -1) * d.uniform(85, 89);
  double jgmin = d.log_uniform(-8, -2);
  double jgmax = d.log_uniform(1, 6);
  double jlmin = d.log_uniform(-8, -2);
  double jlmax = d.log_uniform(0, 5);
  if (d.chance(0.15)) {
    // A narrow window, from a thousandth to a tenth of a decade.
    jgmin = d.log_uniform(-3, 2);
    jgmax = jgmin * d.log_uniform(0.001, 0.1);
    jlmin = d.log_uniform(-3, 1);
    jlmax = jlmin * d.log_uniform(0.001, 0.1);
  }
  double n_gas = d.uniform(0.5, 20);
  double n_liquid = d.uniform(0.5, 20);
  if (d.chance(0.3)) n_gas = std::round(n_gas);
  if (d.chance(0.3)) n_liquid = std::round(n_liquid);

  std::string r;
  r += reply(1, rhog) + reply(2, rhol) + reply(3, mug) + reply(4, mul);
  r += reply(5, diameter_mm) + reply(6, slope) + "0,0\n";
  r += reply(1, jgmin) + reply(2, jgmax) + reply(3, jlmin) + reply(4, jlmax);
  r += reply(5, n_gas) + reply(6, n_liquid) + "0,0\n";
  return r;
}

// Everything wrong with one run, or an empty text.
std::string faults_of_run(const InProcessRun& run) {
  std::string faults;
  if (run.status != 0) faults += "exit status " + std::to_string(run.status) + "; ";
  if (!run.errors.empty()) faults += "error stream: " + run.errors + "; ";
  if (run.console.find("refuse") != std::string::npos) faults += "a usable value refused; ";

  const std::string prompt = "taper -1,0 pour arreter  --->";
  const std::size_t p = run.console.rfind(prompt);
  if (p == std::string::npos || has_meaningless_number(run.console.substr(p))) {
    faults += "the trace on the console shows a number without a value; ";
  }

  const std::string curve = read_file("Regmap24.out");
  if (has_meaningless_number(curve)) faults += "nan, inf or * in the curve file; ";
  const CurveFile file = parse_curve_file(curve);
  for (const std::string& f : file.faults) faults += f + "; ";
  if (file.blocks.size() != 5) {
    faults += std::to_string(file.blocks.size()) + " blocks in the curve file; ";
  }

  const std::string range = read_file("Regmap24.plp");
  const bool range_ok = range.size() == 72 && range.compare(0, 12, " set xrange[") == 0 &&
                        range.compare(34, 2, "\r\n") == 0 &&
                        range.compare(36, 12, " set yrange[") == 0 &&
                        range.compare(70, 2, "\r\n") == 0 && range.find('*') == std::string::npos;
  if (!range_ok) faults += "range file: [" + range + "]; ";
  return faults;
}

TEST(Property, RandomUsableValuesGiveCompleteFiniteMaps) {
  Draw draw(0x5eed2024u);
  const int runs = run_count();
  int failed = 0;
  for (int i = 0; i < runs; ++i) {
    const std::string replies = random_replies(draw);
    ScratchDir dir;
    const InProcessRun run = run_in_process(replies);
    const std::string faults = faults_of_run(run);
    if (!faults.empty()) {
      ++failed;
      ADD_FAILURE() << "run " << i << ": " << faults << "\nreplies:\n" << replies;
      if (failed == 5) break;  // enough to diagnose
    }
  }
}

}  // namespace
}  // namespace regmap::test
