// The regime iteration of map tracing: repeated passes while the friction laws switch,
// with a cap on the passes.
#include <gtest/gtest.h>

#include "transitions/regime_iteration.h"

namespace regmap {
namespace {

// Counts the passes and the regime checks of one iteration.
struct Counts {
  int passes = 0;
  int checks = 0;
};

TEST(RegimeIteration, SettlesAfterThePassThatKeepsTheLaws) {
  // The switch stops after n - 1 changes; the result is the one of pass n, the last.
  for (int n : {1, 2, 3, 4, kMaxRegimePasses}) {
    Counts c;
    int result = 0;
    const RegimeOutcome o = iterate_regime(
        [&] {
          ++c.passes;
          result = 100 + c.passes;
          return true;
        },
        [&] { return ++c.checks < n; });
    EXPECT_EQ(o, RegimeOutcome::Settled) << n;
    EXPECT_EQ(c.passes, n);
    EXPECT_EQ(c.checks, n);
    EXPECT_EQ(result, 100 + n);
  }
}

TEST(RegimeIteration, ALawThatAlwaysSwitchesIsCapped) {
  Counts c;
  const RegimeOutcome o = iterate_regime(
      [&] {
        ++c.passes;
        return true;
      },
      [&] {
        ++c.checks;
        return true;
      });
  EXPECT_EQ(o, RegimeOutcome::Capped);
  EXPECT_EQ(c.passes, kMaxRegimePasses);
  EXPECT_EQ(c.checks, kMaxRegimePasses);
}

TEST(RegimeIteration, APointWithoutValueEndsAtOnce) {
  // No regime check follows the pass without a value, and no further pass is run.
  for (int failing_pass : {1, 3}) {
    Counts c;
    const RegimeOutcome o = iterate_regime([&] { return ++c.passes < failing_pass; },
                                           [&] {
                                             ++c.checks;
                                             return true;
                                           });
    EXPECT_EQ(o, RegimeOutcome::NoValue);
    EXPECT_EQ(c.passes, failing_pass);
    EXPECT_EQ(c.checks, failing_pass - 1);
  }
}

TEST(RegimeIteration, EveryLawSequenceThatSettlesDoesSoWithinTheCap) {
  // The laws of the two phases as a number 0..3. A pass computes the point from the laws
  // in force alone, and the check switches to the laws the point calls for, next[laws].
  // For every such rule and every starting laws, the iteration either ends on a fixed
  // point of the rule within four passes, or the laws cycle and the cap ends it.
  for (int rule = 0; rule < 256; ++rule) {
    int next[4];
    for (int i = 0; i < 4; ++i) next[i] = (rule >> (2 * i)) & 3;
    for (int start = 0; start < 4; ++start) {
      // Does the sequence of laws from `start` reach a fixed point?
      int settled_laws = -1;
      int x = start;
      for (int i = 0; i < 4; ++i) {
        if (next[x] == x) {
          settled_laws = x;
          break;
        }
        x = next[x];
      }

      int laws = start;
      int point = -1;
      int passes = 0;
      const RegimeOutcome o = iterate_regime(
          [&] {
            ++passes;
            point = laws;
            return true;
          },
          [&] {
            if (next[point] == laws) return false;
            laws = next[point];
            return true;
          });
      if (settled_laws >= 0) {
        EXPECT_EQ(o, RegimeOutcome::Settled) << "rule " << rule << " start " << start;
        EXPECT_LE(passes, 4);
        EXPECT_EQ(point, settled_laws);
        EXPECT_EQ(laws, settled_laws);
      } else {
        EXPECT_EQ(o, RegimeOutcome::Capped) << "rule " << rule << " start " << start;
        EXPECT_EQ(passes, kMaxRegimePasses);
      }
    }
  }
}

}  // namespace
}  // namespace regmap
