// Whole runs of the program and what they leave on disk: the two output files after a
// normal run, after a stop in a menu and after a file failure, with the exit status and
// the error report of each.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/output_file.h"
#include "driver/program_flow.h"
#include "driver/reply_reader.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

namespace fs = std::filesystem;

const char* const kDefaultRange =
    " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 5.000E-03: 5.000E+01]\r\n";
const char* const kFirstPoint = "  3.165469E+00  1.700853E-01";
// Bytes of an earlier run, with no line end at the end, that a short run must not touch.
const std::string kOldCurve = std::string("old curve\r\n\0\xff tail", 18);
const std::string kOldRange = " set xrange[ 1.000E+00: 2.000E+00]\r\n(old)";

// The end of `text` as long as `expected`, to compare the two.
std::string ending(const std::string& text, const std::string& expected) {
  return text.size() < expected.size() ? text : text.substr(text.size() - expected.size());
}


// A scratch directory with a plotter stub on the PATH that only leaves a mark that it
// was started, so that runs do not depend on a real gnuplot.
class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string bin = dir.path() + "/bin";
    fs::create_directory(bin);
    mark = dir.path() + "/bin/started";
    write_file(bin + "/wgnuplot.exe", "#!/bin/sh\n: > '" + mark + "'\n");
    fs::permissions(bin + "/wgnuplot.exe", fs::perms::owner_all);
  }

  ProcessRun run(const std::string& input) {
    return run_process(dir.path(), input, dir.path() + "/bin");
  }
  bool plotter_started() const { return file_exists(mark); }

  ScratchDir dir;
  std::string mark;
};

TEST_F(ProgramRun, EmptyDirectoryGivesBothFiles) {
  const ProcessRun r = run(kDefaultReplies);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(read_file("Regmap24.plp"), kDefaultRange);
  const std::string curve = read_file("Regmap24.out");
  const std::vector<std::string> lines = split_crlf(curve);
  ASSERT_EQ(lines.size(), 318u);
  EXPECT_EQ(lines.front(), kFirstPoint);
  EXPECT_EQ(ending(curve, "\r\n"), "\r\n");
  EXPECT_TRUE(plotter_started());
  // A successful plotter leaves no message; the console ends with the last regime line.
  EXPECT_EQ(r.out.find("Gnuplot"), std::string::npos);
  const std::string last = "TL JG=  4.73E+00 JL=  4.79E-03\r\n";
  EXPECT_EQ(ending(r.out, last), last);
}

TEST_F(ProgramRun, FullRunReplacesOldFiles) {
  write_file("Regmap24.out", kOldCurve + std::string(20000, 'x'));
  write_file("Regmap24.plp", kOldRange + std::string(100, 'y'));
  const ProcessRun r = run(kDefaultReplies);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read_file("Regmap24.plp"), kDefaultRange);
  EXPECT_EQ(split_crlf(read_file("Regmap24.out")).size(), 318u);
  EXPECT_EQ(read_file("Regmap24.out").find('x'), std::string::npos);
}

// A stop reply, or the end of the input, in either menu: "Retour DOS", exit status 0,
// and both files exactly as they were (nothing has been written to either yet).
struct StopCase {
  const char* what;
  const char* input;
  bool map_menu_shown;
};
const StopCase kStopCases[] = {
    {"stop in the fluid menu", "-1,0\n", false},
    {"other negative number in the fluid menu", "-7,2.5\n", false},
    {"end of input in the fluid menu", "", false},
    {"stop in the map menu", "0,0\n-1,0\n", true},
    {"stop in the map menu after an edit", "0,0\n2,100\n-1,0\n", true},
    {"end of input in the map menu", "0,0\n", true},
};

TEST_F(ProgramRun, StopKeepsExistingFiles) {
  for (const StopCase& c : kStopCases) {
    write_file("Regmap24.out", kOldCurve);
    write_file("Regmap24.plp", kOldRange);
    const ProcessRun r = run(c.input);
    EXPECT_EQ(r.status, 0) << c.what;
    EXPECT_EQ(r.err, "") << c.what;
    EXPECT_EQ(ending(r.out, "Retour DOS\r\n"), "Retour DOS\r\n") << c.what;
    EXPECT_EQ(r.out.find("PARAMETRES DE LA CARTE") != std::string::npos, c.map_menu_shown)
        << c.what;
    EXPECT_EQ(r.out.find("Point triple"), std::string::npos) << c.what;
    EXPECT_EQ(read_file("Regmap24.out"), kOldCurve) << c.what;
    EXPECT_EQ(read_file("Regmap24.plp"), kOldRange) << c.what;
    EXPECT_FALSE(plotter_started()) << c.what;
  }
}

TEST_F(ProgramRun, StopWithoutOldFilesLeavesThemEmpty) {
  for (const StopCase& c : kStopCases) {
    fs::remove("Regmap24.out");
    fs::remove("Regmap24.plp");
    const ProcessRun r = run(c.input);
    EXPECT_EQ(r.status, 0) << c.what;
    EXPECT_TRUE(file_exists("Regmap24.out")) << c.what;
    EXPECT_TRUE(file_exists("Regmap24.plp")) << c.what;
    EXPECT_EQ(read_file("Regmap24.out"), "") << c.what;
    EXPECT_EQ(read_file("Regmap24.plp"), "") << c.what;
  }
}

TEST_F(ProgramRun, CurveFileThatCannotBeOpened) {
  fs::create_directory("Regmap24.out");
  const ProcessRun r = run(kDefaultReplies);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Regmap24: cannot open file Regmap24.out: Is a directory\n");
  // No menu is shown, and the range file, opened after the curve file, is not created.
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(file_exists("Regmap24.plp"));
  EXPECT_FALSE(plotter_started());
}

TEST_F(ProgramRun, RangeFileThatCannotBeOpened) {
  write_file("Regmap24.out", kOldCurve);
  fs::create_directory("Regmap24.plp");
  const ProcessRun r = run(kDefaultReplies);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Regmap24: cannot open file Regmap24.plp: Is a directory\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(read_file("Regmap24.out"), kOldCurve);
  EXPECT_FALSE(plotter_started());
}

TEST_F(ProgramRun, CurveFileOnAFullDisk) {
  fs::create_symlink("/dev/full", "Regmap24.out");
  const ProcessRun r = run(kDefaultReplies);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Regmap24: cannot write file Regmap24.out: No space left on device\n");
  EXPECT_FALSE(plotter_started());
  // The range file was complete before map tracing began.
  EXPECT_EQ(read_file("Regmap24.plp"), kDefaultRange);
}

TEST_F(ProgramRun, RangeFileOnAFullDisk) {
  write_file("Regmap24.out", kOldCurve);
  fs::create_symlink("/dev/full", "Regmap24.plp");
  const ProcessRun r = run(kDefaultReplies);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Regmap24: cannot write file Regmap24.plp: No space left on device\n");
  EXPECT_FALSE(plotter_started());
  // The range file is written before map tracing: its failure ends the run before the
  // first point, so the curve file keeps the bytes of the earlier run.
  EXPECT_EQ(r.out.find("Point triple AB"), std::string::npos);
  EXPECT_EQ(read_file("Regmap24.out"), kOldCurve);
}

// In-process runs on the real file system with chosen calls made to fail: a failure that
// shows only when a file is closed.
class FailingClose final : public FileSystem {
 public:
  FailingClose(std::string path, int error) : path_(std::move(path)), error_(error) {}
  int open_for_writing(const char* path) override {
    const int fd = FileSystem::open_for_writing(path);
    if (fd >= 0) names_[fd] = path;
    return fd;
  }
  int close(int fd) override {
    const std::string name = names_[fd];
    const int result = FileSystem::close(fd);
    if (name != path_) return result;
    errno = error_;
    return -1;
  }

 private:
  std::string path_;
  int error_;
  std::map<int, std::string> names_;
};

struct SeamRun {
  int status = 0;
  std::string console;
  std::string errors;
  std::size_t plots = 0;
};

SeamRun run_with(FileSystem& files) {
  StringSink out;
  StringSink err;
  FakePlotter plotter;
  SeamRun r;
  {
    Console console(out);
    TextLineSource keyboard(kDefaultReplies);
    ProgramEnvironment env{console, keyboard, files, plotter, err};
    r.status = run_program(env);
  }
  r.console = out.text;
  r.errors = err.text;
  r.plots = plotter.commands.size();
  return r;
}

TEST(ProgramFileSeam, CloseFailureOfEitherFileEndsTheRunWithStatusOne) {
  struct CloseCase {
    const char* path;
    int error;
    const char* message;
  };
  const CloseCase cases[] = {
      {"Regmap24.out", EIO, "Regmap24: cannot close file Regmap24.out: Input/output error\n"},
      {"Regmap24.plp", EDQUOT, "Regmap24: cannot close file Regmap24.plp: Disk quota exceeded\n"},
  };
  for (const CloseCase& c : cases) {
    ScratchDir dir;
    FailingClose files(c.path, c.error);
    const SeamRun r = run_with(files);
    EXPECT_EQ(r.status, 1) << c.path;
    EXPECT_EQ(r.errors, c.message);
    // The plotter is not started on files that may be incomplete.
    EXPECT_EQ(r.plots, 0u) << c.path;
    // The console's open line is still ended.
    EXPECT_EQ(ending(r.console, "\r\n"), "\r\n") << c.path;
  }
}

}  // namespace
}  // namespace regmap::test
