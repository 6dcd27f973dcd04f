// The reference run with all menu defaults, in-process.
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace regmap::test {
namespace {

TEST(DefaultRun, ReproducesTheReferenceMap) {
  ScratchDir dir;
  const InProcessRun run = run_in_process(kDefaultReplies);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  const std::string out = read_file("Regmap24.out");
  const std::vector<std::string> lines = split_crlf(out);
  ASSERT_EQ(lines.size(), 318u);
  EXPECT_EQ(lines.front(), "  3.165469E+00  1.700853E-01");
  EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
  EXPECT_EQ(read_file("Regmap24.plp"),
            " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 5.000E-03: 5.000E+01]\r\n");
  ASSERT_EQ(run.plot_commands.size(), 1u);
  EXPECT_EQ(run.plot_commands[0], "wgnuplot.exe Regmap24.plt");
}

}  // namespace
}  // namespace regmap::test
