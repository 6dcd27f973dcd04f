// The transition criteria TA, TD, TAC and TC as functions of the interface angle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "driver/program_flow.h"
#include "model/conversions.h"
#include "model/flow_state.h"
#include "transitions/criteria.h"
#include "transitions/root_finder.h"
#include "support/test_support.h"

namespace regmap {
namespace {

// The flow model state of the reference run (menu defaults) after the set-up, with both
// phases turbulent, and the inputs each criterion expects: FR2 and XG for JG = 1 m/s,
// REL and XL for JL = 0.05 m/s.
class CriteriaTest : public ::testing::Test {
 protected:
  void SetUp() override { set_up(0.0); }

  void set_up(double inclination_deg) {
    double fluid[6];
    for (int i = 0; i < 6; ++i) fluid[i] = kFluidDefaults[i];
    fluid[5] = inclination_deg;
    test::set_up_model(fluid);
    fm.JG = 1.0;
    JGFR2();
    JGXG();
    fm.JL = 0.05;
    JLREL();
    JLXL();
  }

  // Puts each phase on the turbulent (true) or laminar (false) law, as CHREGM would.
  static void set_laws(bool gas_turbulent, bool liquid_turbulent) {
    fm.ITURBG = gas_turbulent ? 1 : 0;
    fm.CG = gas_turbulent ? kTurbulentC : kLaminarC;
    fm.NG = gas_turbulent ? kTurbulentN : kLaminarN;
    fm.ITURBL = liquid_turbulent ? 1 : 0;
    fm.CL = liquid_turbulent ? kTurbulentC : kLaminarC;
    fm.NL = liquid_turbulent ? kTurbulentN : kLaminarN;
  }

  struct Named {
    const char* name;
    Criterion f;
  };
  static constexpr Named kAll[] = {{"TA", TA}, {"TD", TD}, {"TAC", TAC}, {"TC", TC}};

  // Angles across the interval of the solves, ends included.
  const double angles_[6] = {0.01, 0.3, 1.0, 4 * std::atan(1.0) / 2, 2.5,
                             4 * std::atan(1.0) - 0.01};
};

TEST_F(CriteriaTest, TAIsMinusOneWithoutGasFlow) {
  fm.FR2 = 0;
  for (double angle : angles_) {
    EXPECT_EQ(TA(angle), -1.0) << "angle " << angle;
    EXPECT_EQ(fm.DELTA, angle);
  }
}

TEST_F(CriteriaTest, TADoesNotDependOnTheFrictionLaws) {
  // GEOM and CC use the geometry only.
  for (double angle : angles_) {
    set_laws(true, true);
    const double reference = TA(angle);
    for (int laws = 0; laws < 3; ++laws) {
      set_laws(laws == 1, laws == 2);
      EXPECT_EQ(TA(angle), reference) << "angle " << angle << ", laws " << laws;
    }
  }
}

TEST_F(CriteriaTest, TDTACAndTCDependOnEachFrictionLaw) {
  // Through AA, BB, DD and the conversions; the inputs FR2, XG, REL and XL stay fixed.
  for (const Named& c : {kAll[1], kAll[2], kAll[3]}) {
    for (double angle : {0.3, 1.0, 2.5}) {
      set_laws(true, true);
      const double turbulent = c.f(angle);
      ASSERT_TRUE(std::isfinite(turbulent)) << c.name;
      set_laws(false, true);
      EXPECT_NE(c.f(angle), turbulent) << c.name << " gas laminar, angle " << angle;
      set_laws(true, false);
      EXPECT_NE(c.f(angle), turbulent) << c.name << " liquid laminar, angle " << angle;
    }
  }
}

TEST_F(CriteriaTest, TCHasTheSignOfTheMomentumBalance) {
  // With XL + XG > 0 the division keeps the sign of AAV XL - BBV XG - 4 GSINB. Both signs
  // occur across the interval, on a level pipe and on both slopes.
  int positive = 0;
  int negative = 0;
  for (double inclination : {0.0, 5.0, -5.0}) {
    set_up(inclination);
    for (int i = 0; i <= 60; ++i) {
      const double angle = 0.01 + i * (fm.PI - 0.02) / 60;
      const double r = TC(angle);
      ASSERT_GT(fm.XL + fm.XG, 0);
      const double balance = fm.AAV * fm.XL - fm.BBV * fm.XG - 4 * fm.GSINB;
      EXPECT_EQ(std::signbit(r), std::signbit(balance)) << "angle " << angle;
      EXPECT_EQ(r == 0, balance == 0);
      (r > 0 ? positive : negative) += 1;
    }
  }
  EXPECT_GT(positive, 0);
  EXPECT_GT(negative, 0);
}

TEST_F(CriteriaTest, TACPutsThePointOnTransitionA) {
  // FR2 = 1/CCV at the angle, so TA at the same angle with the FR2 that TAC left is zero
  // up to the rounding of the reciprocal.
  for (double angle : angles_) {
    TAC(angle);
    EXPECT_NEAR(TA(angle), 0.0, 4e-16) << "angle " << angle;
  }
}

// The whole record, byte for byte (the padding is never written field by field).
struct StateBytes {
  unsigned char bytes[sizeof(FlowModelState)];
  static StateBytes take() {
    StateBytes s;
    std::memcpy(s.bytes, &fm, sizeof fm);
    return s;
  }
  bool operator==(const StateBytes& o) const {
    return std::memcmp(bytes, o.bytes, sizeof bytes) == 0;
  }
};

TEST_F(CriteriaTest, SameAngleGivesTheSameResidualAndTheSameState) {
  // The state after a call belongs to that call's angle alone: not to an earlier call at
  // another angle. None of the criteria overwrites its own inputs.
  for (const Named& c : kAll) {
    for (bool gas_turbulent : {true, false}) {
      set_up(0.0);
      set_laws(gas_turbulent, true);
      const double r1 = c.f(1.0);
      const StateBytes s1 = StateBytes::take();
      const double r2 = c.f(1.0);
      EXPECT_EQ(std::memcmp(&r1, &r2, sizeof r1), 0) << c.name;
      EXPECT_TRUE(StateBytes::take() == s1) << c.name;
      c.f(2.5);
      const double r3 = c.f(1.0);
      EXPECT_EQ(std::memcmp(&r1, &r3, sizeof r1), 0) << c.name << " after another angle";
      EXPECT_TRUE(StateBytes::take() == s1) << c.name << " after another angle";
    }
  }
}

}  // namespace
}  // namespace regmap
