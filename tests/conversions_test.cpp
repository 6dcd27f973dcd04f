// The conversions between the map coordinates (JG, JL) and FR2, XG, XL, REL.
#include <gtest/gtest.h>

#include <cmath>

#include "model/conversions.h"
#include "model/flow_state.h"
#include "model/geometry.h"
#include "model/groups.h"

namespace regmap::test {
namespace {

enum class Law { Turbulent, Laminar };

void set_gas_law(Law law) {
  const bool turbulent = law == Law::Turbulent;
  fm.CG = turbulent ? kTurbulentC : kLaminarC;
  fm.NG = turbulent ? kTurbulentN : kLaminarN;
  fm.ITURBG = turbulent ? 1 : 0;
}

void set_liquid_law(Law law) {
  const bool turbulent = law == Law::Turbulent;
  fm.CL = turbulent ? kTurbulentC : kLaminarC;
  fm.NL = turbulent ? kTurbulentN : kLaminarN;
  fm.ITURBL = turbulent ? 1 : 0;
}

const char* name(Law law) { return law == Law::Turbulent ? "turbulent" : "laminar"; }

// Air and water in a horizontal 50 mm pipe, as the set-up leaves them with the menu
// defaults: gas 1.2 kg/m3 and 1.812e-5 Pa s, liquid 1000 kg/m3 and 0.001 Pa s.
class Conversions : public ::testing::Test {
 protected:
  void SetUp() override {
    fm = FlowModelState{};
    fm.PI = 4 * std::atan(1.0);
    fm.RHOG = 1.2;
    fm.RHOL = 1000;
    fm.NUG = 1.812e-5 / fm.RHOG;
    fm.NUL = 0.001 / fm.RHOL;
    fm.DIAM = 50.0 / 1000;
    fm.BETA = 0;
    fm.GRAV = kGravity;
    fm.GSINB = 0;
    fm.GCOSBD = std::cos(fm.BETA) * (fm.RHOL - fm.RHOG) * fm.GRAV * fm.DIAM;
    set_gas_law(Law::Turbulent);
    set_liquid_law(Law::Turbulent);
  }
  // The momentum-balance groups of a stratified layer at the angle.
  static void groups_at(double delta) {
    fm.DELTA = delta;
    GEOM();
    AA();
    BB();
  }
};

void expect_relative(double actual, double expected, double tolerance) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected));
}

// Hand calculation: turbulent XG = 2 CG ReG^-0.2 RHOG JG^2 / D with ReG = 3311.26; the
// laminar law gives the Hagen-Poiseuille gradient 32 RHOG NUG JG / D^2.
TEST_F(Conversions, GasGradientAtOneMetrePerSecond) {
  fm.JG = 1;
  JGXG();
  EXPECT_NEAR(fm.XG, 0.436516, 5e-7);

  set_gas_law(Law::Laminar);
  JGXG();
  EXPECT_NEAR(fm.XG, 0.231936, 5e-7);
  expect_relative(fm.XG, 32 * fm.RHOG * fm.NUG * fm.JG / (fm.DIAM * fm.DIAM), 1e-14);
}

// Hand calculation at JL = 0.1 m/s: REL = 5000; turbulent XL = 2 CL REL^-0.2 RHOL JL^2/D,
// laminar XL = 32 RHOL NUL JL / D^2 = 1.28 Pa/m.
TEST_F(Conversions, LiquidGradientAtOneDecimetrePerSecond) {
  fm.JL = 0.1;
  JLXL();
  expect_relative(fm.REL, 5000, 1e-14);
  EXPECT_NEAR(fm.XL, 3.349838, 5e-7);

  set_liquid_law(Law::Laminar);
  JLXL();
  expect_relative(fm.REL, 5000, 1e-14);
  expect_relative(fm.XL, 1.28, 1e-14);

  JLREL();
  expect_relative(fm.REL, 5000, 1e-14);
}

// FR2 = RHOG JG^2 / GCOSBD with GCOSBD = 489.9114 Pa.
TEST_F(Conversions, FroudeNumber) {
  fm.JG = 1;
  JGFR2();
  EXPECT_NEAR(fm.FR2, 0.00244942, 5e-9);
  fm.FR2 = 1;
  FR2JG();
  EXPECT_NEAR(fm.JG, 20.2054, 5e-5);
}

// Each inverse pair returns its input under unchanged laws, over the whole default map
// window and under both laws.
TEST_F(Conversions, FrictionLawPairsRoundTrip) {
  for (const Law law : {Law::Turbulent, Law::Laminar}) {
    set_gas_law(law);
    set_liquid_law(law);
    for (const double j : {0.005, 0.1, 1.0, 37.5, 500.0}) {
      SCOPED_TRACE(::testing::Message() << name(law) << ", J = " << j);
      fm.JG = j;
      JGXG();
      fm.JG = 0;
      XGJG();
      expect_relative(fm.JG, j, 1e-13);

      fm.JL = j;
      JLXL();
      fm.JL = 0;
      XLJL();
      expect_relative(fm.JL, j, 1e-13);
    }
  }
}

TEST_F(Conversions, FroudePairRoundTripsToTheMagnitude) {
  for (const double jg : {0.005, 1.0, 20.0, 500.0, -3.0}) {
    SCOPED_TRACE(::testing::Message() << "JG = " << jg);
    fm.JG = jg;
    JGFR2();
    FR2JG();
    expect_relative(fm.JG, std::abs(jg), 1e-14);
  }
}

// XGXL1 and XLXG1 solve the same momentum balance AAV XL = BBV XG + 4 GSINB, downward and
// upward.
TEST_F(Conversions, MomentumBalancePairRoundTrips) {
  for (const double gsinb : {0.0, 1701.444, -1701.444}) {
    for (const double delta : {0.5, 1.5, 2.5}) {
      SCOPED_TRACE(::testing::Message() << "GSINB = " << gsinb << ", DELTA = " << delta);
      fm.GSINB = gsinb;
      groups_at(delta);
      const double xg = 7.25;
      fm.XG = xg;
      XGXL1();
      EXPECT_NEAR(fm.AAV * fm.XL - fm.BBV * fm.XG - 4 * fm.GSINB, 0.0,
                  1e-12 * (fm.BBV * xg + 4 * std::abs(gsinb)));
      const double xl = fm.XL;
      fm.XG = 0;
      XLXG1();
      expect_relative(fm.XG, xg, 1e-12);
      fm.XL = 0;
      XGXL1();
      expect_relative(fm.XL, xl, 1e-12);
    }
  }
}

// Horizontal pipe: the balance is a plain proportion.
TEST_F(Conversions, HorizontalBalanceIsAProportion) {
  groups_at(1.2);
  fm.XG = 0.436516;
  XGXL1();
  expect_relative(fm.XL, fm.BBV * fm.XG / fm.AAV, 1e-15);
}

// A negative XL (liquid flowing back) gives the negative of the JL of the positive XL.
TEST_F(Conversions, NegatedLiquidGradientGivesNegatedVelocity) {
  for (const Law law : {Law::Turbulent, Law::Laminar}) {
    SCOPED_TRACE(name(law));
    set_liquid_law(law);
    fm.JL = 0.1;
    JLXL();
    const double xl = fm.XL;
    fm.XL = -xl;
    XLJL();
    expect_relative(fm.JL, -0.1, 1e-13);
    const double back = fm.JL;
    fm.XL = xl;
    XLJL();
    EXPECT_EQ(back, -fm.JL);
  }
}

// The liquid gradient depends on the magnitude of JL only.
TEST_F(Conversions, LiquidGradientIsEvenInVelocity) {
  for (const Law law : {Law::Turbulent, Law::Laminar}) {
    for (const double jl : {0.005, 0.1, 50.0}) {
      SCOPED_TRACE(::testing::Message() << name(law) << ", JL = " << jl);
      set_liquid_law(law);
      fm.JL = jl;
      JLXL();
      const double xl = fm.XL;
      const double rel = fm.REL;
      fm.JL = -jl;
      JLXL();
      EXPECT_EQ(fm.XL, xl);
      EXPECT_EQ(fm.REL, rel);
      EXPECT_GT(fm.XL, 0.0);
    }
  }
}

// Upward flow (GSINB < 0) with too little gas drag: the balance demands a negative XL, and
// the liquid velocity comes out negative with the magnitude of the positive gradient's.
TEST_F(Conversions, UpwardFlowWithWeakGasDragGivesBackflow) {
  fm.BETA = -(fm.PI / 180) * 10;
  fm.GSINB = std::sin(fm.BETA) * (fm.RHOL - fm.RHOG) * fm.GRAV;
  groups_at(fm.PI / 2);
  fm.JG = 1;
  JGXG();
  ASSERT_LT(fm.BBV * fm.XG, -4 * fm.GSINB);
  XGXL1();
  ASSERT_LT(fm.XL, 0.0);
  const double xl = fm.XL;
  XLJL();
  EXPECT_LT(fm.JL, 0.0);
  const double jl = fm.JL;
  fm.XL = -xl;
  XLJL();
  EXPECT_EQ(jl, -fm.JL);
}

// No gradient, no flow: XL = 0 takes the non-positive branch and gives a negative zero.
TEST_F(Conversions, ZeroGradientGivesZeroVelocity) {
  for (const Law law : {Law::Turbulent, Law::Laminar}) {
    SCOPED_TRACE(name(law));
    set_liquid_law(law);
    set_gas_law(law);
    fm.XL = 0;
    fm.JL = 1;
    XLJL();
    EXPECT_EQ(fm.JL, 0.0);
    EXPECT_TRUE(std::signbit(fm.JL));
    fm.XG = 0;
    fm.JG = 1;
    XGJG();
    EXPECT_EQ(fm.JG, 0.0);
  }
}

}  // namespace
}  // namespace regmap::test
