// The number layouts: scientific, fixed and integer, right-justified, asterisks when the
// text does not fit, rounding half away from zero on the 17-digit decimal expansion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/number_layout.h"
#include "driver/program_flow.h"
#include "model/flow_state.h"
#include "support/test_support.h"
#include "transitions/map_tracing.h"

namespace regmap::test {
namespace {

using Kind = NumberLayout::Kind;

struct LayoutCase {
  const char* what;
  double value;
  NumberLayout layout;
  const char* expected;
};

// A scientific and a fixed layout of width 12 for the rounding cases that the program's
// own layouts do not reach.
constexpr NumberLayout kSci12x1{Kind::Scientific, 12, 1};
constexpr NumberLayout kFix12x2{Kind::Fixed, 12, 2};

// Expected texts are hand-written from the layout rules. For the rounding cases the
// comment gives the 17-digit expansion of the double (as printed by "%.16e"); where the
// exact binary value lies below the half and the expansion shows an exact 5 at the cut,
// the value is rounded up, unlike a correctly rounded printf of the binary value.
const std::vector<LayoutCase> kLayoutCases = {
    // Fluid menu defaults (scientific, 12 columns, 3 decimals).
    {"gas density default", 1.2, kFluidMenuLayout, "   1.200E+00"},
    {"liquid density default", 1000, kFluidMenuLayout, "   1.000E+03"},
    {"gas viscosity default", 1.812e-5, kFluidMenuLayout, "   1.812E-05"},
    {"liquid viscosity default", 0.001, kFluidMenuLayout, "   1.000E-03"},
    {"diameter default", 50, kFluidMenuLayout, "   5.000E+01"},
    {"inclination default", 0, kFluidMenuLayout, "   0.000E+00"},
    // Map menu defaults (fixed, 12 columns, 5 decimals): no zero before the point below 1.
    {"JG min default", 0.005, kMapMenuLayout, "      .00500"},
    {"JG max default", 500, kMapMenuLayout, "   500.00000"},
    {"JL max default", 50, kMapMenuLayout, "    50.00000"},
    {"points per decade default", 25, kMapMenuLayout, "    25.00000"},

    // Halves of point lines (scientific, 14 columns, 6 decimals).
    {"point 0.5", 0.5, kPointLayout, "  5.000000E-01"},
    {"point -0.01", -0.01, kPointLayout, " -1.000000E-02"},
    {"point 2", 2, kPointLayout, "  2.000000E+00"},
    {"point 0.0123456789", 0.0123456789, kPointLayout, "  1.234568E-02"},
    {"point zero", 0, kPointLayout, "  0.000000E+00"},
    {"point -1e-100", -1e-100, kPointLayout, " -1.000000-100"},

    // Range file (scientific, 10 columns, 3 decimals) and the exponent boundary.
    {"range 0.005", 0.005, kRangeLayout, " 5.000E-03"},
    {"range 1e99", 1e99, kRangeLayout, " 1.000E+99"},
    {"range 1e100", 1e100, kRangeLayout, " 1.000+100"},
    {"range 1e-99", 1e-99, kRangeLayout, " 1.000E-99"},
    {"range 1e-100", 1e-100, kRangeLayout, " 1.000-100"},
    {"range -1e100 fills the field", -1e100, kRangeLayout, "-1.000+100"},
    {"range -1e-5 fills the field", -1e-5, kRangeLayout, "-1.000E-05"},
    {"range 1e300", 1e300, kRangeLayout, " 1.000+300"},
    {"range carry across 99", 9.9996e99, kRangeLayout, " 1.000+100"},
    {"range carry across -100", 9.9996e-100, kRangeLayout, " 1.000E-99"},
    {"range zero", 0, kRangeLayout, " 0.000E+00"},

    // Regime line halves (scientific, 10 columns, 2 decimals).
    {"regime 0.3162", 0.3162, kRegimeLayout, "  3.16E-01"},
    {"regime carry 9.996", 9.996, kRegimeLayout, "  1.00E+01"},
    {"regime carry -9.996", -9.996, kRegimeLayout, " -1.00E+01"},
    {"regime 9.994 no carry", 9.994, kRegimeLayout, "  9.99E+00"},

    // Fixed layout: carries, magnitudes below 1, negatives, the width limit.
    {"fixed carry into the integer part", 0.999999, kMapMenuLayout, "     1.00000"},
    // 0.999995 -> 9.9999499999999997e-01: the first digit cut is 4, no carry.
    {"fixed 0.999995 stays below 1", 0.999995, kMapMenuLayout, "      .99999"},
    {"fixed 0.000006 rounds to the last decimal", 0.000006, kMapMenuLayout, "      .00001"},
    {"fixed 0.000004 rounds to zero", 0.000004, kMapMenuLayout, "      .00000"},
    {"fixed zero", 0, kMapMenuLayout, "      .00000"},
    {"fixed negative below 1", -0.25, kMapMenuLayout, "     -.25000"},
    {"fixed negative -0.000006", -0.000006, kMapMenuLayout, "     -.00001"},
    {"fixed negative", -1.5, kMapMenuLayout, "    -1.50000"},
    {"fixed 12.5 points per decade", 12.5, kMapMenuLayout, "    12.50000"},
    {"fixed widest positive", 999999.99999, kMapMenuLayout, "999999.99999"},
    {"fixed widest negative", -99999.99999, kMapMenuLayout, "-99999.99999"},
    {"fixed 1e6 does not fit", 1e6, kMapMenuLayout, "************"},
    {"fixed -1e5 does not fit", -1e5, kMapMenuLayout, "************"},
    {"fixed 1e300 does not fit", 1e300, kMapMenuLayout, "************"},
    // 99999.999995 -> 9.9999999995000006e+04: carry to 100000.00000, still 12 columns.
    {"fixed carry that still fits", 99999.999995, kMapMenuLayout, "100000.00000"},
    // The carry of 999999.999996 gives 1000000.00000: 13 columns.
    {"fixed carry out of the field", 999999.999996, kMapMenuLayout, "************"},
    {"fixed tiny value", 1e-300, kMapMenuLayout, "      .00000"},

    // Half away from zero on the expansion.
    // 0.125 is exact: the half rounds up (a round-half-even printf gives .12).
    {"exact half fixed", 0.125, kFix12x2, "         .13"},
    {"exact negative half fixed", -0.125, kFix12x2, "        -.13"},
    {"exact half scientific", 0.125, kSci12x1, "     1.3E-01"},
    {"exact half 0.0625 scientific", 0.0625, kSci12x1, "     6.3E-02"},
    // 123.45675 -> 1.2345675000000000e+02, binary value 123.456749999999999...
    {"expansion half, binary below, point", 123.45675, kPointLayout, "  1.234568E+02"},
    {"expansion half, negative", -123.45675, kPointLayout, " -1.234568E+02"},
    // 1.0000015 -> 1.0000015000000000e+00, binary value 1.00000149999999998...
    {"expansion half 1.0000015", 1.0000015, kPointLayout, "  1.000002E+00"},
    // 0.123455 -> 1.2345500000000000e-01, binary value 0.123454999999999995...
    {"expansion half fixed", 0.123455, kMapMenuLayout, "      .12346"},
    {"expansion half fixed negative", -0.123455, kMapMenuLayout, "     -.12346"},
    // 12.345675 -> 1.2345675000000000e+01, binary value 12.34567499999999995...
    {"expansion half fixed above 1", 12.345675, kMapMenuLayout, "    12.34568"},
    // 1.2345 -> 1.2344999999999999e+00: the shortest form "1.2345" would round up, the
    // 17-digit expansion does not.
    {"expansion below half", 1.2345, kRangeLayout, " 1.234E+00"},
    // 3.1415925 -> 3.1415924999999998e+00.
    {"expansion below half point", 3.1415925, kPointLayout, "  3.141592E+00"},
    // 2.0005 -> 2.0005000000000002e+00.
    {"expansion above half", 2.0005, kRangeLayout, " 2.001E+00"},

    // Any text longer than its field becomes asterisks.
    {"scientific too wide", 1.0, NumberLayout{Kind::Scientific, 8, 3}, "********"},
    {"negative scientific too wide", -1.0, NumberLayout{Kind::Scientific, 9, 3}, "*********"},
    {"negative three-digit exponent too wide", -1e100, NumberLayout{Kind::Scientific, 9, 3},
     "*********"},
    {"fixed too wide", 123.0, NumberLayout{Kind::Fixed, 5, 2}, "*****"},
    {"fixed exactly wide", 12.0, NumberLayout{Kind::Fixed, 5, 2}, "12.00"},

    // Values without a number give asterisks too.
    {"NaN", std::numeric_limits<double>::quiet_NaN(), kPointLayout, "**************"},
    {"infinity", std::numeric_limits<double>::infinity(), kRangeLayout, "**********"},
    {"minus infinity", -std::numeric_limits<double>::infinity(), kMapMenuLayout,
     "************"},
};

TEST(NumberLayout, RealLayouts) {
  for (const LayoutCase& c : kLayoutCases) {
    EXPECT_EQ(format_real(c.value, c.layout), c.expected) << c.what << " (" << c.value << ")";
  }
}

TEST(NumberLayout, BufferFormWritesExactlyTheFieldWidth) {
  for (const LayoutCase& c : kLayoutCases) {
    char buffer[kMaxFieldWidth + 1];
    buffer[c.layout.width] = '#';
    const std::size_t n = format_real(buffer, c.value, c.layout);
    EXPECT_EQ(n, static_cast<std::size_t>(c.layout.width)) << c.what;
    EXPECT_EQ(buffer[c.layout.width], '#') << c.what << ": wrote past the field";
    EXPECT_EQ(std::string(buffer, n), c.expected) << c.what;
  }
}

TEST(NumberLayout, MenuDefaultsInTheirMenuLayouts) {
  const char* const fluid[6] = {"   1.200E+00", "   1.000E+03", "   1.812E-05",
                                "   1.000E-03", "   5.000E+01", "   0.000E+00"};
  const char* const map[6] = {"      .00500", "   500.00000", "      .00500",
                              "    50.00000", "    25.00000", "    25.00000"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(format_real(kFluidDefaults[i], kFluidMenuLayout), fluid[i]) << "fluid item " << i + 1;
    EXPECT_EQ(format_real(kMapDefaults[i], kMapMenuLayout), map[i]) << "map item " << i + 1;
  }
}

TEST(NumberLayout, PointLinesAreTwentyEightColumns) {
  struct PointCase {
    double JG, JL;
    const char* expected;
  };
  const PointCase cases[] = {
      {0.5, -0.01, "  5.000000E-01 -1.000000E-02"},
      {2, 0.0123456789, "  2.000000E+00  1.234568E-02"},
      {0, 0, "  0.000000E+00  0.000000E+00"},
  };
  for (const PointCase& c : cases) {
    const std::string line = format_real(c.JG, kPointLayout) + format_real(c.JL, kPointLayout);
    EXPECT_EQ(line, c.expected);
    EXPECT_EQ(line.size(), 28u);
    EXPECT_EQ(line[0], ' ');
  }
}

TEST(NumberLayout, IntegerLayoutOfThePlotterStatus) {
  struct IntegerCase {
    long long value;
    const char* expected;
  };
  const IntegerCase cases[] = {
      {1, "  1"},   {-1, " -1"},   {0, "  0"},     {127, "127"},  {143, "143"},
      {999, "999"}, {-99, "-99"},  {1000, "***"},  {-100, "***"}, {-2147483647LL - 1, "***"},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(format_integer(c.value, kStatusWidth), c.expected) << c.value;
  }
  // The parameter numbers of the menus are 2 columns wide.
  EXPECT_EQ(format_integer(6, 2), " 6");
}

// The regime line of SORT: gas letter, liquid letter, " JG=", JG, " JL=", JL.
class RegimeLine : public ::testing::Test {
 protected:
  void SetUp() override { fm = FlowModelState{}; }
  void TearDown() override { fm = FlowModelState{}; }

  std::string sort_line() {
    StringSink sink;
    {
      Console console(sink);
      SORT(console);
    }
    return sink.text;
  }
};

TEST_F(RegimeLine, LettersAndValues) {
  struct RegimeCase {
    int ITURBG, ITURBL;
    double JG, JL;
    const char* expected;
  };
  const RegimeCase cases[] = {
      {1, 1, 0.3162, 0.01, "TT JG=  3.16E-01 JL=  1.00E-02"},
      {0, 1, 0.3162, 0.01, "LT JG=  3.16E-01 JL=  1.00E-02"},
      {1, 0, 4.7315, 4.79e-3, "TL JG=  4.73E+00 JL=  4.79E-03"},
      {0, 0, 9.996, -0.0123, "LL JG=  1.00E+01 JL= -1.23E-02"},
      {1, 1, 1e100, 1e-100, "TT JG=  1.00+100 JL=  1.00-100"},
  };
  for (const RegimeCase& c : cases) {
    fm.ITURBG = c.ITURBG;
    fm.ITURBL = c.ITURBL;
    fm.JG = c.JG;
    fm.JL = c.JL;
    const std::string line = sort_line();
    EXPECT_EQ(line, c.expected);
    EXPECT_EQ(line.size(), 30u);
  }
}

TEST_F(RegimeLine, SortChangesNothingInTheState) {
  fm.ITURBG = 1;
  fm.ITURBL = 0;
  fm.JG = 0.3162;
  fm.JL = 0.01;
  fm.DELTA = 1.25;
  sort_line();
  EXPECT_EQ(fm.ITURBG, 1);
  EXPECT_EQ(fm.ITURBL, 0);
  EXPECT_EQ(fm.JG, 0.3162);
  EXPECT_EQ(fm.JL, 0.01);
  EXPECT_EQ(fm.DELTA, 1.25);
}

}  // namespace
}  // namespace regmap::test
