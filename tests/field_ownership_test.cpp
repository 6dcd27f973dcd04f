// Each model routine writes its declared result fields and no other field of the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/conversions.h"
#include "model/flow_state.h"
#include "model/geometry.h"
#include "model/groups.h"
#include "model/regime.h"
#include "support/flow_state_fields.h"

namespace regmap::test {
namespace {

// A plausible record in which no two fields hold the same value and no field already
// holds what a routine computes from the others: air-water in a 50.8 mm pipe inclined 2
// degrees downward, a geometry near DELTA = 1.3, the liquid on the turbulent law and the
// gas on the laminar law, with velocities that make CHREGM switch both phases.
FlowModelState distinct_record() {
  FlowModelState s;
  s.PI = 4 * std::atan(1.0);
  s.GRAV = 9.81;
  s.RHOL = 998.2;
  s.RHOG = 1.25;
  s.NUL = 1.004e-6;
  s.NUG = 1.46e-5;
  s.DIAM = 0.0508;
  s.BETA = 0.0349;
  s.GSINB = 341.6;
  s.GCOSBD = 496.8;
  s.CL = 0.046;
  s.CG = 16;
  s.NL = 0.2;
  s.NG = 1;
  s.ITURBL = 1;
  s.ITURBG = 0;
  s.DELTA = 1.3;
  s.COSD = 0.27;
  s.SIND = 0.96;
  s.SLT = 1.84;
  s.SIT = 0.95;
  s.AGT = 0.21;
  s.ALT = 0.57;
  s.UGT = 3.7;
  s.ULT = 1.37;
  s.DGT = 0.41;
  s.DLT = 1.24;
  s.AAV = 6.1;
  s.BBV = 120.5;
  s.CCV = 640.2;
  s.DDV = 0.93;
  s.EEV = 23.4;
  s.XL = 2.7;
  s.XG = 0.52;
  s.FR2 = 0.0031;
  s.REL = 4100;
  s.JL = 0.005;
  s.JG = 1.15;
  return s;
}

struct Routine {
  const char* name;
  std::function<void()> run;
  std::vector<std::string> outputs;
};

class FieldOwnership : public ::testing::Test {
 protected:
  void SetUp() override { fm = FlowModelState{}; }
};

TEST_F(FieldOwnership, EachRoutineWritesOnlyItsResults) {
  const Routine routines[] = {
      {"GEOM", GEOM, {"COSD", "SIND", "SLT", "SIT", "AGT", "ALT", "ULT", "UGT", "DLT", "DGT"}},
      {"AA", AA, {"AAV"}},
      {"BB", BB, {"BBV"}},
      {"CC", CC, {"CCV"}},
      {"DD", DD, {"DDV"}},
      {"EE", EE, {"EEV"}},
      {"FR2JG", FR2JG, {"JG"}},
      {"JGFR2", JGFR2, {"FR2"}},
      {"JGXG", JGXG, {"XG"}},
      {"XGJG", XGJG, {"JG"}},
      {"XGXL1", XGXL1, {"XL"}},
      {"XLXG1", XLXG1, {"XG"}},
      {"XLJL", XLJL, {"JL"}},
      {"JLXL", JLXL, {"REL", "XL"}},
      {"JLREL", JLREL, {"REL"}},
      {"CHREGM (switching both phases)", [] { ASSERT_TRUE(CHREGM()); },
       {"ITURBL", "CL", "NL", "ITURBG", "CG", "NG"}},
  };
  const FlowModelState before = distinct_record();
  for (std::size_t i = 0; i < kStateFields.size(); ++i) {
    for (std::size_t k = i + 1; k < kStateFields.size(); ++k) {
      ASSERT_NE(field_bits(before, kStateFields[i]), field_bits(before, kStateFields[k]))
          << kStateFields[i].name << " and " << kStateFields[k].name << " share a value";
    }
  }
  for (const Routine& r : routines) {
    SCOPED_TRACE(r.name);
    fm = before;
    r.run();
    const std::vector<std::string> changed = changed_fields(before, fm);
    for (const std::string& field : changed) {
      EXPECT_NE(std::find(r.outputs.begin(), r.outputs.end(), field), r.outputs.end())
          << field << " is not a result of " << r.name;
    }
    for (const std::string& field : r.outputs) {
      EXPECT_NE(std::find(changed.begin(), changed.end(), field), changed.end())
          << field << " was not written by " << r.name;
    }
  }
}

}  // namespace
}  // namespace regmap::test
