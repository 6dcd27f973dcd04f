// GEOM: the stratified-layer geometry as a function of the interface angle DELTA.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "model/flow_state.h"
#include "model/geometry.h"

namespace regmap::test {
namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

class Geometry : public ::testing::Test {
 protected:
  void SetUp() override {
    fm = FlowModelState{};
    fm.PI = 4 * std::atan(1.0);
  }
  static void at(double delta) {
    fm.DELTA = delta;
    GEOM();
  }
  // 0.01 to PI - 0.01, the root finder's interval, with its two ends.
  static std::vector<double> sweep() {
    std::vector<double> angles;
    const double lo = 0.01;
    const double hi = fm.PI - 0.01;
    for (int i = 0; i <= 60; ++i) angles.push_back(lo + (hi - lo) * i / 60);
    return angles;
  }
};

void expect_relative(double actual, double expected, double tolerance, const char* what) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

// Reference values to nine digits, from a hand calculation of the segment formulas:
// AGT = (DELTA - cos DELTA sin DELTA)/4, ALT = PI/4 - AGT, U = (PI/4)/A,
// DLT = 4 ALT/(PI - DELTA), DGT = 4 AGT/(sin DELTA + DELTA).
struct GeometryCase {
  double delta;  // a negative value stands for PI minus its magnitude
  double AGT, ALT, UGT, ULT, DGT, DLT;
};

TEST_F(Geometry, MatchesTheReferenceTable) {
  const double half = fm.PI / 2;
  const GeometryCase cases[] = {
      {0.01, 1.66663333e-7, 0.785397997, 4712483.23, 1.00000021, 3.33329444e-5, 1.00319305},
      {1, 0.136337822, 0.649060342, 5.76067707, 1.21005416, 0.296149812, 1.21229467},
      {half, 0.392699082, 0.392699082, 2, 2, 0.61101547, 1},
      {2, 0.594600312, 0.190797851, 1.32088421, 4.11638893, 0.817517393, 0.668532163},
      {-0.01, 0.785397997, 1.66663333e-7, 1.00000021, 4712483.23, 0.999999841, 6.66653333e-5},
  };
  for (const GeometryCase& c : cases) {
    const double delta = c.delta < 0 ? fm.PI + c.delta : c.delta;
    SCOPED_TRACE(::testing::Message() << "DELTA = " << delta);
    at(delta);
    expect_relative(fm.AGT, c.AGT, 1e-8, "AGT");
    expect_relative(fm.ALT, c.ALT, 1e-8, "ALT");
    expect_relative(fm.UGT, c.UGT, 1e-8, "UGT");
    expect_relative(fm.ULT, c.ULT, 1e-8, "ULT");
    expect_relative(fm.DGT, c.DGT, 1e-8, "DGT");
    expect_relative(fm.DLT, c.DLT, 1e-8, "DLT");
    EXPECT_EQ(fm.COSD, std::cos(delta));
    EXPECT_EQ(fm.SIND, std::sin(delta));
  }
}

// The half-full pipe: every quantity has a closed form.
TEST_F(Geometry, HalfFullPipeHasClosedForms) {
  at(fm.PI / 2);
  EXPECT_DOUBLE_EQ(fm.SLT, fm.PI / 2);
  EXPECT_DOUBLE_EQ(fm.SIT, 1.0);
  EXPECT_DOUBLE_EQ(fm.SIND, 1.0);
  EXPECT_DOUBLE_EQ(fm.AGT, fm.PI / 8);
  EXPECT_DOUBLE_EQ(fm.ALT, fm.PI / 8);
  EXPECT_DOUBLE_EQ(fm.UGT, 2.0);
  EXPECT_DOUBLE_EQ(fm.ULT, 2.0);
  EXPECT_DOUBLE_EQ(fm.DLT, 1.0);
  EXPECT_DOUBLE_EQ(fm.DGT, fm.PI / (2 + fm.PI));
  // cos of the rounded PI/2 is about 6.1e-17, not zero.
  EXPECT_NE(fm.COSD, 0.0);
  EXPECT_NEAR(fm.COSD, 6.123233995736766e-17, 1e-30);
}

// Identities that hold at every angle up to a few roundings.
TEST_F(Geometry, InvariantsHoldOverTheWholeInterval) {
  const double quarter = fm.PI / 4;
  for (const double delta : sweep()) {
    SCOPED_TRACE(::testing::Message() << "DELTA = " << delta);
    at(delta);
    EXPECT_NEAR(fm.AGT + fm.ALT, quarter, 4 * kEps * quarter);
    EXPECT_NEAR(fm.SLT + fm.DELTA, fm.PI, 4 * kEps * fm.PI);
    EXPECT_EQ(fm.SIT, fm.SIND);
    EXPECT_NEAR(fm.AGT * fm.UGT, quarter, 4 * kEps * quarter);
    EXPECT_NEAR(fm.ALT * fm.ULT, quarter, 4 * kEps * quarter);
    EXPECT_NEAR(1 / fm.UGT + 1 / fm.ULT, 1.0, 8 * kEps);
    // The products that enter the friction laws, against their closed forms.
    const double liquid = fm.PI / (fm.PI - delta);
    const double gas = fm.PI / (fm.SIT + delta);
    EXPECT_NEAR(fm.ULT * fm.DLT, liquid, 8 * kEps * liquid);
    EXPECT_NEAR(fm.UGT * fm.DGT, gas, 8 * kEps * gas);
    EXPECT_GE(fm.ULT * fm.DLT, 1.0);
    EXPECT_GE(fm.UGT * fm.DGT, 1.0);
    // Fractions of the cross-section and hydraulic diameters stay inside the pipe.
    EXPECT_GT(fm.AGT, 0.0);
    EXPECT_GT(fm.ALT, 0.0);
    EXPECT_GT(fm.DGT, 0.0);
    EXPECT_GT(fm.DLT, 0.0);
  }
}

// Hand calculation at DELTA = 1: PI/(PI - 1) = 1.4669422 and PI/(1 + sin 1) = 1.7060234.
TEST_F(Geometry, FrictionProductsAtOneRadian) {
  at(1.0);
  EXPECT_NEAR(fm.ULT * fm.DLT, 1.4669422, 5e-8);
  EXPECT_NEAR(fm.UGT * fm.DGT, 1.7060234, 5e-8);
}

// The gas fills more of the pipe as the angle grows.
TEST_F(Geometry, GasSectionGrowsWithTheAngle) {
  double previous_agt = 0;
  for (const double delta : sweep()) {
    at(delta);
    EXPECT_GT(fm.AGT, previous_agt) << "DELTA = " << delta;
    previous_agt = fm.AGT;
  }
}

// Mirroring the angle exchanges the two cross-sections and velocity ratios, but not the
// hydraulic diameters: the liquid's counts only its wetted wall, the gas's also the
// interface.
TEST_F(Geometry, MirrorSwapsSectionsButNotHydraulicDiameters) {
  for (const double delta : {0.01, 0.3, 1.0, 1.3, 2.0}) {
    SCOPED_TRACE(::testing::Message() << "DELTA = " << delta);
    at(delta);
    const FlowModelState low = fm;
    at(fm.PI - delta);
    expect_relative(fm.ALT, low.AGT, 1e-8, "ALT");
    expect_relative(fm.AGT, low.ALT, 1e-8, "AGT");
    expect_relative(fm.ULT, low.UGT, 1e-8, "ULT");
    expect_relative(fm.UGT, low.ULT, 1e-8, "UGT");
    EXPECT_GT(std::abs(fm.DLT - low.DGT), 1e-3 * low.DGT);
    EXPECT_GT(std::abs(fm.DGT - low.DLT), 1e-3 * low.DLT);
  }
  // At the half-full pipe the mirror is the angle itself, and still DGT differs from DLT.
  at(fm.PI / 2);
  EXPECT_EQ(fm.AGT, fm.ALT);
  EXPECT_LT(fm.DGT, 0.62 * fm.DLT);
}

// Near the ends of the interval the results stay finite, with one velocity ratio in the
// millions.
TEST_F(Geometry, EndsOfTheIntervalAreFinite) {
  for (const double delta : {0.01, fm.PI - 0.01}) {
    at(delta);
    for (const double v : {fm.COSD, fm.SIND, fm.SLT, fm.SIT, fm.AGT, fm.ALT, fm.UGT, fm.ULT,
                           fm.DGT, fm.DLT}) {
      EXPECT_TRUE(std::isfinite(v)) << "DELTA = " << delta;
    }
    EXPECT_GT(std::max(fm.UGT, fm.ULT), 4.7e6);
  }
}

}  // namespace
}  // namespace regmap::test
