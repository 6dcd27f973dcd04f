// The bisection root finder SV and the integer part INTHL.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "transitions/root_finder.h"

namespace regmap {
namespace {

// SV takes a plain function pointer, as the criterion functions are passed to it. The
// test functions are captureless and record their calls here.
struct CallLog {
  int calls = 0;
  double first = 0;
  double second = 0;
  double last = 0;
  const double* last_address = nullptr;
};
CallLog call_log;

void record(const double& x) {
  if (call_log.calls == 0) call_log.first = x;
  if (call_log.calls == 1) call_log.second = x;
  call_log.last = x;
  call_log.last_address = &x;
  ++call_log.calls;
}

double root_at_one(const double& x) {
  record(x);
  return x - 1;
}
double always_positive(const double& x) {
  record(x);
  return 1;
}
double always_negative(const double& x) {
  record(x);
  return -3.5;
}

// The interval and tolerance of every solve in map tracing.
const double kPi = 4 * std::atan(1.0);
const double kA = 0.01;
const double kB = kPi - 0.01;
const double kEps = 1e-6;
// Width of the final bracket: 22 halvings of PI - 0.02.
const double kFinalWidth = (kB - kA) / 4194304.0;  // 2^22

// Zero exactly at a chosen midpoint and negative everywhere else, so the sign of f(a)
// holds below that midpoint.
double zero_midpoint = 0;
double zero_at_midpoint(const double& x) {
  record(x);
  return x == zero_midpoint ? 0.0 : -1.0;
}

double zero_at_a(const double& x) {
  record(x);
  return x == kA ? 0.0 : 2.0;
}

class SvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    call_log = CallLog{};
    sv_storage = RootFinderStorage{};
  }
};

TEST_F(SvTest, FindsTheRootOfALineIn24CallsEndingAtTheResult) {
  const double x = SV(root_at_one, kA, kB, kEps);
  EXPECT_NEAR(x, 1.0, 7.5e-7);
  // f(a), f(b), then one call for each of the 22 halvings.
  EXPECT_EQ(call_log.calls, 24);
  EXPECT_EQ(call_log.first, kA);
  EXPECT_EQ(call_log.second, kB);
  // The last call was at the returned angle, so a criterion's side effects belong to it.
  EXPECT_EQ(call_log.last, x);
  // The criterion is handed the finder's own storage, not a temporary.
  EXPECT_EQ(call_log.last_address, &sv_storage.xm);
}

TEST_F(SvTest, ConstantSignEndsOneFinalWidthBelowTheUpperEnd) {
  // Without a sign change every midpoint moves the lower end up, whatever f(b) is.
  for (Criterion f : {always_positive, always_negative}) {
    call_log = CallLog{};
    const double x = SV(f, kA, kB, kEps);
    EXPECT_NEAR(x, kB - kFinalWidth, 1e-15);
    EXPECT_LT(x, kB);
    EXPECT_EQ(call_log.calls, 24);
  }
}

TEST_F(SvTest, ZeroAtTheLowerEndMovesOnlyTheUpperEnd) {
  // Every product fm fa is 0, so the result is one final width above a, not a itself.
  const double x = SV(zero_at_a, kA, kB, kEps);
  EXPECT_NEAR(x, kA + kFinalWidth, 1e-15);
  EXPECT_GT(x, kA);
  EXPECT_EQ(call_log.calls, 24);
}

TEST_F(SvTest, ZeroAtAMidpointBecomesTheUpperEnd) {
  // The first midpoint, and the third one: f is exactly zero there and negative, like
  // f(a), everywhere else, so before reaching it the lower end climbs toward b.
  const double first = (kB + kA) / 2;
  const double second = (kB + first) / 2;
  const double third = (kB + second) / 2;
  for (double m : {first, third}) {
    call_log = CallLog{};
    zero_midpoint = m;
    const double x = SV(zero_at_midpoint, kA, kB, kEps);
    EXPECT_LE(x, m);
    EXPECT_LE(m - x, kFinalWidth + 1e-15) << "midpoint " << m;  // up to rounding
    EXPECT_EQ(sv_storage.xb, m);
    EXPECT_EQ(call_log.calls, 24);
  }
}

TEST_F(SvTest, ReturnsWhenTheBracketCannotBeHalvedAnyFurther) {
  // A tolerance of zero, a negative one, or one below the spacing of doubles near the
  // root: the search ends when the midpoint equals an end of the bracket.
  for (double eps : {0.0, -1.0, 1e-300, std::numeric_limits<double>::denorm_min()}) {
    call_log = CallLog{};
    const double x = SV(root_at_one, kA, kB, eps);
    EXPECT_NEAR(x, 1.0, 2.3e-16) << "eps " << eps;
    EXPECT_LT(call_log.calls, 2 + 64) << "eps " << eps;
    EXPECT_EQ(call_log.last, x);
  }
  // The same with no sign change at all: the bracket closes on b.
  call_log = CallLog{};
  const double x = SV(always_positive, kA, kB, 0.0);
  EXPECT_NEAR(x, kB, 4.5e-16);
  EXPECT_LT(call_log.calls, 2 + 64);
}

TEST_F(SvTest, SuccessiveCallsDoNotInfluenceEachOther) {
  const double first = SV(root_at_one, kA, kB, kEps);
  SV(always_negative, kA, kB, kEps);
  sv_storage.fa = 123;
  sv_storage.xa = -7;
  call_log = CallLog{};
  EXPECT_EQ(SV(root_at_one, kA, kB, kEps), first);
  EXPECT_EQ(call_log.calls, 24);
}

// INTHL: truncation toward zero, minus one for every negative argument; a hand table.
TEST(INTHL, TruncatesThenStepsDownBelowZero) {
  struct Case {
    double x;
    std::int32_t expected;
  };
  const Case cases[] = {
      {2.5, 2},   {2.0, 2},   {0.0, 0},   {-0.0, 0},   {0.7, 0},      {-0.3, -1},
      {-2.5, -3}, {-2.0, -3},  // a negative whole number gives one less than the floor
      {-32.53, -33}, {7.53, 7}, {2147483647.0, 2147483647}, {-2147483647.0, -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(INTHL(c.x), c.expected) << "x = " << c.x;
}

TEST(INTHL, SaturatesAtTheInt32Range) {
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(INTHL(2147483648.0), hi);
  EXPECT_EQ(INTHL(1e300), hi);
  EXPECT_EQ(INTHL(inf), hi);
  EXPECT_EQ(INTHL(-2147483648.0), lo);
  EXPECT_EQ(INTHL(-1e300), lo);
  EXPECT_EQ(INTHL(-inf), lo);
  EXPECT_EQ(INTHL(std::numeric_limits<double>::quiet_NaN()), lo);
}

}  // namespace
}  // namespace regmap
