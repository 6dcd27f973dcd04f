// End to end with the real gnuplot: the built program runs in a scratch directory holding
// the plot script, with the launcher plot/wgnuplot.exe at the front of PATH, and must leave
// a picture of the map without any word from gnuplot on the error stream.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace regmap::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLauncherDir = REGMAP24_SOURCE_DIR "/plot";
constexpr const char* kFailure = "Gnuplot script launch was not successful :";
const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);

bool gnuplot_installed() { return std::system("command -v gnuplot >/dev/null 2>&1") == 0; }

// Sets an environment variable (or removes it, for a null value) for the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      had_ = true;
      old_ = old;
    }
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      ::setenv(name_.c_str(), old_.c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_ = false;
  std::string old_;
};

// The blocks of the curve file, each as its lines.
std::vector<std::vector<std::string>> blocks_of(const std::string& curve_file) {
  std::vector<std::vector<std::string>> blocks(1);
  int empty = 0;
  for (const std::string& line : split_crlf(curve_file)) {
    if (line.empty()) {
      if (++empty == 2) blocks.emplace_back();
      continue;
    }
    empty = 0;
    blocks.back().push_back(line);
  }
  return blocks;
}

// A scratch directory with the plot script, and no display: the map goes to the file only,
// whatever terminals the installed gnuplot has.
class PlotRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gnuplot_installed()) {
      GTEST_SKIP() << "gnuplot is not installed: install it (apt-get install gnuplot-nox) "
                      "to run the end-to-end tests of the map picture";
    }
    fs::copy_file(REGMAP24_SOURCE_DIR "/plot/Regmap24.plt", dir_.path() + "/Regmap24.plt");
  }

  ProcessRun run(const std::string& replies) {
    return run_process(dir_.path(), replies, kLauncherDir);
  }
  std::string file(const char* name) const { return read_file(dir_.path() + "/" + name); }

  // The picture is there, is a PNG, and gnuplot had nothing to say.
  void expect_map_drawn(const ProcessRun& r) {
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find(kFailure), std::string::npos) << r.out.substr(r.out.size() - 200);
    EXPECT_EQ(r.err, "") << "gnuplot wrote to the error stream";
    const std::string png = file("Regmap24.png");
    ASSERT_GT(png.size(), kPngSignature.size());
    EXPECT_EQ(png.substr(0, kPngSignature.size()), kPngSignature);
  }

  ScratchDir dir_;
  ScopedEnv no_display_{"DISPLAY", nullptr};
  ScopedEnv no_wayland_{"WAYLAND_DISPLAY", nullptr};
};

struct MapCase {
  const char* name;
  const char* replies;
};

void PrintTo(const MapCase& c, std::ostream* os) { *os << c.name; }

class PlotRunCases : public PlotRun, public ::testing::WithParamInterface<MapCase> {};

// The default map, and maps of a downward slope in two other windows: in the narrower one
// curve D starts beyond the right edge and has no point inside.
TEST_P(PlotRunCases, DrawsTheMapWithoutComplaint) {
  expect_map_drawn(run(GetParam().replies));
}

INSTANTIATE_TEST_SUITE_P(
    Maps, PlotRunCases,
    ::testing::Values(MapCase{"Defaults", "0,0\n0,0\n"},
                      MapCase{"Downward10DegreesWindowTo100", "6,10\n0,0\n2,100\n0,0\n"},
                      MapCase{"Downward10DegreesWindowTo200", "6,10\n0,0\n2,200\n0,0\n"}),
    [](const ::testing::TestParamInfo<MapCase>& info) { return std::string(info.param.name); });

// The two runs whose curve file holds a block with nothing a logarithmic map can show:
// the picture is drawn all the same, and the file really holds such a block (otherwise
// these runs would prove nothing about it).
TEST_F(PlotRun, SteepDownwardSlopeLeavesThePlaceholderForCurveD) {
  expect_map_drawn(run("6,80\n0,0\n0,0\n"));
  const auto blocks = blocks_of(file("Regmap24.out"));
  ASSERT_EQ(blocks.size(), 5u);
  ASSERT_EQ(blocks[3].size(), 1u);
  EXPECT_EQ(blocks[3][0], "             ?             ?");
  EXPECT_GT(blocks[4].size(), 1u);  // curve C still follows, in its own block
}

TEST_F(PlotRun, UpwardSlopeLeavesCurveCWithItsTriplePointOnly) {
  expect_map_drawn(run("6,-5\n0,0\n0,0\n"));
  const auto blocks = blocks_of(file("Regmap24.out"));
  ASSERT_EQ(blocks.size(), 5u);
  ASSERT_EQ(blocks[4].size(), 1u);
  EXPECT_LT(std::stod(blocks[4][0].substr(14)), 0.0) << "AC: " << blocks[4][0];
}

// Without the script in the working directory gnuplot fails, and the launcher hands its
// status on to the program, which reports it and still ends normally.
TEST_F(PlotRun, MissingScriptIsReportedWithGnuplotsStatus) {
  fs::remove(dir_.path() + "/Regmap24.plt");
  const ProcessRun r = run("0,0\n0,0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(std::string(kFailure) + "  1"), std::string::npos);
  EXPECT_NE(r.err.find("Regmap24.plt"), std::string::npos) << r.err;
  EXPECT_FALSE(file_exists(dir_.path() + "/Regmap24.png"));
}

// A display without an interactive terminal in gnuplot (gnuplot-nox) must not stop the
// picture. Run only where the installed gnuplot has no window terminal, so that no window
// opens during the tests.
TEST_F(PlotRun, DisplayWithoutWindowTerminalStillDrawsTheFile) {
  if (std::system("gnuplot -e 'print GPVAL_TERMINALS' 2>&1 | grep -qwE 'qt|wxt|x11'") == 0) {
    GTEST_SKIP() << "this gnuplot has a window terminal";
  }
  ScopedEnv display("DISPLAY", ":99");
  expect_map_drawn(run("0,0\n0,0\n"));
}

// Without gnuplot the launcher says how to install it, returns 127, and the run still ends
// with status 0 after the failure message. PATH holds only the launcher directory (the
// launcher uses shell built-ins only). Needs no gnuplot, so it always runs.
TEST(PlotWithoutGnuplot, RunEndsNormallyWithTheFailureMessage) {
  ScratchDir dir;
  fs::copy_file(REGMAP24_SOURCE_DIR "/plot/Regmap24.plt", dir.path() + "/Regmap24.plt");
  ProcessRun r;
  {
    ScopedEnv path("PATH", "/nonexistent");
    r = run_process(dir.path(), "0,0\n0,0\n", kLauncherDir);
  }
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(std::string(kFailure) + "127"), std::string::npos);
  EXPECT_NE(r.err.find("gnuplot is not installed"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("apt-get install gnuplot-nox"), std::string::npos) << r.err;
  EXPECT_EQ(split_crlf(read_file(dir.path() + "/Regmap24.out")).size(), 318u);
  EXPECT_FALSE(file_exists(dir.path() + "/Regmap24.png"));
}

}  // namespace
}  // namespace regmap::test
