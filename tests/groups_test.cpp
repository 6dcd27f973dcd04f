// AA..EE: the groups of the momentum balance and of the transition criteria.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/flow_state.h"
#include "model/geometry.h"
#include "model/groups.h"
#include "support/flow_state_fields.h"

namespace regmap::test {
namespace {

class Groups : public ::testing::Test {
 protected:
  void SetUp() override {
    fm = FlowModelState{};
    fm.PI = 4 * std::atan(1.0);
  }
  // Geometry at the angle, then all five groups with the given friction exponents.
  static void at(double delta, double NL, double NG) {
    fm.DELTA = delta;
    fm.NL = NL;
    fm.NG = NG;
    GEOM();
    all_groups();
  }
  static void all_groups() {
    AA();
    BB();
    CC();
    DD();
    EE();
  }
};

void expect_relative(double actual, double expected, double tolerance, const char* what) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

constexpr double kTurbulentExp = 0.2;
constexpr double kLaminarExp = 1.0;

// Reference values to about nine digits, from a hand calculation of the five published
// expressions in the geometry of the angle, with both phases on the same law.
struct GroupCase {
  double delta;  // 0 stands for PI/2
  double n;      // NL = NG
  double AAV, BBV, CCV, DDV, EEV;
};

TEST_F(Groups, MatchesTheReferenceTable) {
  const GroupCase cases[] = {
      {1, kTurbulentExp, 4.47485336, 441.472233, 3876.90534, 0.955740915, 9.96111887},
      {1, kLaminarExp, 3.29342975, 287.948884, 3876.90534, 1.2985856, 9.96111887},
      {0, kTurbulentExp, 13.928809, 34.9420793, 40.7436654, 0.902185578, 50},
      {0, kLaminarExp, 8, 29.7634303, 40.7436654, 1.57079633, 50},
      {2, kTurbulentExp, 82.802366, 16.5948176, 5.32174113, 0.378010703, 55.6947287},
      {2, kLaminarExp, 36.8410315, 15.6056939, 5.32174113, 0.849601092, 55.6947287},
  };
  for (const GroupCase& c : cases) {
    const double delta = c.delta == 0 ? fm.PI / 2 : c.delta;
    SCOPED_TRACE(::testing::Message() << "DELTA = " << delta << ", n = " << c.n);
    at(delta, c.n, c.n);
    expect_relative(fm.AAV, c.AAV, 1e-8, "AAV");
    expect_relative(fm.BBV, c.BBV, 1e-8, "BBV");
    expect_relative(fm.CCV, c.CCV, 1e-8, "CCV");
    expect_relative(fm.DDV, c.DDV, 1e-8, "DDV");
    expect_relative(fm.EEV, c.EEV, 1e-8, "EEV");
  }
}

// Mixed laws: each group takes the exponent of its own phase (AA and DD the liquid's, BB
// the gas's), checked against the single-law values at the same angle.
TEST_F(Groups, EachGroupUsesItsOwnPhaseExponent) {
  at(1, kLaminarExp, kTurbulentExp);
  expect_relative(fm.AAV, 3.29342975, 1e-8, "AAV");
  expect_relative(fm.DDV, 1.2985856, 1e-8, "DDV");
  expect_relative(fm.BBV, 441.472233, 1e-8, "BBV");
  at(1, kTurbulentExp, kLaminarExp);
  expect_relative(fm.AAV, 4.47485336, 1e-8, "AAV");
  expect_relative(fm.DDV, 0.955740915, 1e-8, "DDV");
  expect_relative(fm.BBV, 287.948884, 1e-8, "BBV");
}

// Closed forms at the half-full pipe (ULT = UGT = 2, DLT = 1, DGT = PI/(2 + PI)), for the
// two laws and for an exponent between them.
TEST_F(Groups, HalfFullPipeHasClosedForms) {
  const double pi = fm.PI;
  for (const double n : {kTurbulentExp, 0.5, kLaminarExp}) {
    SCOPED_TRACE(::testing::Message() << "NL = NG = " << n);
    at(pi / 2, n, n);
    expect_relative(fm.AAV, 16 * std::pow(2.0, -n), 1e-13, "AAV");
    expect_relative(fm.BBV, 4 * (4 + 16 / pi) * std::pow(2 * pi / (2 + pi), -n), 1e-13, "BBV");
    expect_relative(fm.CCV, 128 / pi, 1e-13, "CCV");
    expect_relative(fm.DDV, (pi / 4) * std::pow(2.0, n), 1e-13, "DDV");
    expect_relative(fm.EEV, 50, 1e-13, "EEV");
    expect_relative(fm.DDV * fm.AAV, 4 * pi, 1e-13, "DDV AAV");
  }
  // The transition-A boundary of the half-full pipe, FR2 = 1/CCV = PI/128.
  EXPECT_NEAR(1 / fm.CCV, 0.0245437, 5e-8);
}

// DD opens with the inverse of the factor that opens AA, so their product is the same for
// every liquid law: 8 AGT SLT / (SIT ALT).
TEST_F(Groups, ProductOfAAndDDoesNotDependOnTheLiquidLaw) {
  for (const double delta : {0.01, 0.5, 1.0, 2.0, 2.8, 4 * std::atan(1.0) - 0.01}) {
    for (const double n : {kTurbulentExp, 0.37, kLaminarExp}) {
      SCOPED_TRACE(::testing::Message() << "DELTA = " << delta << ", NL = " << n);
      at(delta, n, kTurbulentExp);
      expect_relative(fm.DDV * fm.AAV, 8 * fm.AGT * fm.SLT / (fm.SIT * fm.ALT), 1e-12,
                      "DDV AAV");
    }
  }
}

// Changing one exponent and recomputing every group changes exactly the groups of that
// phase: NL moves AAV and DDV, NG moves BBV; CCV and EEV depend on the geometry alone.
TEST_F(Groups, EachExponentMovesOnlyItsOwnGroups) {
  struct Change {
    double FlowModelState::*exponent;
    std::vector<std::string> changed;
  };
  const Change changes[] = {
      {&FlowModelState::NL, {"NL", "AAV", "DDV"}},
      {&FlowModelState::NG, {"NG", "BBV"}},
  };
  for (const double delta : {1.0, fm.PI / 2, 2.0}) {
    for (const Change& change : changes) {
      SCOPED_TRACE(::testing::Message() << "DELTA = " << delta << ", " << change.changed[0]);
      at(delta, kTurbulentExp, kTurbulentExp);
      const FlowModelState before = fm;
      fm.*change.exponent = kLaminarExp;
      all_groups();
      EXPECT_EQ(changed_fields(before, fm), change.changed);
    }
  }
}

// At both ends of the root finder's interval every group is finite; the extremes are the
// Kelvin-Helmholtz group and the gas term of the nearly full pipe and the liquid term of
// the nearly empty one.
TEST_F(Groups, FiniteAtTheEndsOfTheInterval) {
  for (const double delta : {0.01, fm.PI - 0.01}) {
    for (const double n : {kTurbulentExp, kLaminarExp}) {
      SCOPED_TRACE(::testing::Message() << "DELTA = " << delta << ", n = " << n);
      at(delta, n, n);
      for (const double v : {fm.AAV, fm.BBV, fm.CCV, fm.DDV, fm.EEV}) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GT(v, 0.0);
      }
    }
  }
  at(0.01, kTurbulentExp, kTurbulentExp);
  EXPECT_NEAR(fm.CCV, 2.13e27, 0.005e27);
  EXPECT_NEAR(fm.BBV, 9.7e17, 0.05e17);
  at(fm.PI - 0.01, kTurbulentExp, kTurbulentExp);
  EXPECT_NEAR(fm.AAV, 4.2e17, 0.05e17);
}

}  // namespace
}  // namespace regmap::test
