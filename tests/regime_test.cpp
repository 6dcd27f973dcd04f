// CHREGM: the choice of the laminar or turbulent friction law of each phase.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/flow_state.h"
#include "model/geometry.h"
#include "model/regime.h"
#include "support/flow_state_fields.h"

namespace regmap::test {
namespace {

void set_liquid_flag(int turbulent) {
  fm.ITURBL = turbulent;
  fm.CL = turbulent ? kTurbulentC : kLaminarC;
  fm.NL = turbulent ? kTurbulentN : kLaminarN;
}

void set_gas_flag(int turbulent) {
  fm.ITURBG = turbulent;
  fm.CG = turbulent ? kTurbulentC : kLaminarC;
  fm.NG = turbulent ? kTurbulentN : kLaminarN;
}

// The flags and laws agree: (c, n) is the turbulent law exactly when the flag is 1.
void expect_consistent_laws() {
  EXPECT_EQ(fm.CL, fm.ITURBL ? kTurbulentC : kLaminarC);
  EXPECT_EQ(fm.NL, fm.ITURBL ? kTurbulentN : kLaminarN);
  EXPECT_EQ(fm.CG, fm.ITURBG ? kTurbulentC : kLaminarC);
  EXPECT_EQ(fm.NG, fm.ITURBG ? kTurbulentN : kLaminarN);
}

// Half-full pipe (ULT = 2, DLT = 1, UGT = 2, DGT = PI/(2 + PI)) in a 50 mm pipe with water
// (1e-6 m2/s) and air (1.51e-5 m2/s): REYL = 1e5 |JL|, REYG ~ 4046.46 JG.
class Regime : public ::testing::Test {
 protected:
  void SetUp() override {
    fm = FlowModelState{};
    fm.PI = 4 * std::atan(1.0);
    fm.DIAM = 0.05;
    fm.NUL = 1e-6;
    fm.NUG = 1.51e-5;
    fm.DELTA = fm.PI / 2;
    GEOM();
  }
};

struct RegimeCase {
  const char* what;
  double JL, JG;
  int start_liquid, start_gas;
  bool result;
  int end_liquid, end_gas;
};

TEST_F(Regime, SwitchesEachPhaseByItsReynoldsNumber) {
  const RegimeCase cases[] = {
      // REYL 1000 laminar, REYG 4046 turbulent: only the liquid switches.
      {"liquid to laminar", 0.01, 1, 1, 1, true, 0, 1},
      // REYL 10000 and REYG 4046: both back to turbulent in one call.
      {"both to turbulent", 0.1, 1, 0, 0, true, 1, 1},
      // A negative JL counts by its magnitude: 10000, turbulent.
      {"backflow is turbulent", -0.1, 1, 0, 1, true, 1, 1},
      // REYL 1000 and REYG 405: both to laminar in one call.
      {"both to laminar", 0.01, 0.1, 1, 1, true, 0, 0},
      // REYG 405: only the gas switches.
      {"gas to laminar", 0.1, 0.1, 1, 1, true, 1, 0},
      // A negative JG gives a negative REYG: laminar.
      {"negative gas velocity is laminar", 0.1, -1, 1, 1, true, 1, 0},
      {"gas to turbulent", 0.01, 1, 0, 0, true, 0, 1},
      // Flags that already agree with the Reynolds numbers.
      {"both stay turbulent", 0.1, 1, 1, 1, false, 1, 1},
      {"both stay laminar", 0.01, 0.1, 0, 0, false, 0, 0},
      {"backflow stays turbulent", -0.1, 1, 1, 1, false, 1, 1},
  };
  for (const RegimeCase& c : cases) {
    SCOPED_TRACE(c.what);
    fm.JL = c.JL;
    fm.JG = c.JG;
    set_liquid_flag(c.start_liquid);
    set_gas_flag(c.start_gas);
    const FlowModelState before = fm;

    EXPECT_EQ(CHREGM(), c.result);
    EXPECT_EQ(fm.ITURBL, c.end_liquid);
    EXPECT_EQ(fm.ITURBG, c.end_gas);
    expect_consistent_laws();

    // Only the three fields of a switched phase are written.
    std::vector<std::string> expected;
    if (c.start_liquid != c.end_liquid) expected.insert(expected.end(), {"CL", "NL", "ITURBL"});
    if (c.start_gas != c.end_gas) expected.insert(expected.end(), {"CG", "NG", "ITURBG"});
    std::vector<std::string> changed = changed_fields(before, fm);
    std::sort(changed.begin(), changed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(changed, expected);
  }
}

// The regime iteration settles: after a switch, the same point checks clean and nothing is
// written.
TEST_F(Regime, SecondCallAfterASwitchChangesNothing) {
  fm.JL = 0.01;
  fm.JG = 1;
  set_liquid_flag(1);
  set_gas_flag(1);
  ASSERT_TRUE(CHREGM());
  EXPECT_EQ(fm.ITURBL, 0);
  EXPECT_EQ(fm.CL, 16.0);
  EXPECT_EQ(fm.NL, 1.0);
  EXPECT_EQ(fm.ITURBG, 1);
  EXPECT_EQ(fm.CG, 0.046);
  EXPECT_EQ(fm.NG, 0.2);

  const FlowModelState after_switch = fm;
  EXPECT_FALSE(CHREGM());
  EXPECT_EQ(changed_fields(after_switch, fm), std::vector<std::string>{});
}

// The switching value itself: a Reynolds number of exactly 1502 is laminar, the next
// representable number above it turbulent. The inputs are powers of two times 1502, so
// the products are exact: D = 1/16 m, NUL = NUG = 2^-20 m2/s, ULT DLT = UGT DGT = 2 and 1.
TEST_F(Regime, ExactlyTheSwitchingValueIsLaminar) {
  fm.DIAM = 0.0625;
  fm.NUL = std::ldexp(1.0, -20);
  fm.NUG = std::ldexp(1.0, -20);
  fm.ULT = 2;
  fm.DLT = 1;
  fm.UGT = 2;
  fm.DGT = 0.5;
  fm.JL = std::ldexp(1502.0, -17);
  fm.JG = std::ldexp(1502.0, -16);
  // The two Reynolds numbers as the regime check forms them.
  const double reyl = std::abs(fm.JL) * fm.DLT * fm.ULT * fm.DIAM / fm.NUL;
  const double reyg = fm.DGT * fm.UGT * fm.JG * fm.DIAM / fm.NUG;
  ASSERT_EQ(reyl, 1502.0);
  ASSERT_EQ(reyg, 1502.0);

  set_liquid_flag(1);
  set_gas_flag(1);
  EXPECT_TRUE(CHREGM());
  EXPECT_EQ(fm.ITURBL, 0);
  EXPECT_EQ(fm.ITURBG, 0);
  EXPECT_FALSE(CHREGM());

  // One step up in the last place of each velocity: strictly above 1502, turbulent.
  fm.JL = std::nextafter(fm.JL, 1.0);
  fm.JG = std::nextafter(fm.JG, 1.0);
  EXPECT_TRUE(CHREGM());
  EXPECT_EQ(fm.ITURBL, 1);
  EXPECT_EQ(fm.ITURBG, 1);
  expect_consistent_laws();

  // The same at exactly 1502 with a negative liquid velocity.
  fm.JL = -std::ldexp(1502.0, -17);
  EXPECT_TRUE(CHREGM());
  EXPECT_EQ(fm.ITURBL, 0);
  EXPECT_EQ(fm.ITURBG, 1);
}

}  // namespace
}  // namespace regmap::test
