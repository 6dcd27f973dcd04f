// The hand-off to the plotter: "wgnuplot.exe Regmap24.plt" run through /bin/sh -c in the
// working directory after both files are closed, its status, and the console message for
// a status other than 0. The program's exit status stays 0 whatever the plotter does.
//
// The status is the child's exit code. When the shell cannot find the command it exits
// with 127. A child ended by a signal gives 128 + the signal number, as the shell itself
// reports it: a plotter killed by SIGTERM (15) gives 143, which fits the three columns
// of the message (":143"); only statuses outside -99 .. 999 become "***".
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/output_file.h"
#include "driver/plotter.h"
#include "driver/program_flow.h"
#include "driver/reply_reader.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

namespace fs = std::filesystem;

// The last regime line of the reference run with the menu defaults.
const std::string kLastRegimeLine = "TL JG=  4.73E+00 JL=  4.79E-03";
const std::string kFailure = "Gnuplot script launch was not successful :";

// The end of `text` as long as `expected`, to compare the two.
std::string ending(const std::string& text, const std::string& expected) {
  return text.size() < expected.size() ? text : text.substr(text.size() - expected.size());
}


TEST(ShellPlotter, StatusOfTheCommand) {
  struct StatusCase {
    const char* command;
    int status;
  };
  const StatusCase cases[] = {
      {"exit 0", 0},
      {"true", 0},
      {"exit 1", 1},
      {"exit 255", 255},
      {"no-such-plotter-regmap24 2>/dev/null", 127},  // the shell's "not found"
      {"kill -TERM $$", 128 + 15},
      {"kill -KILL $$", 128 + 9},
  };
  ShellPlotter plotter;
  for (const StatusCase& c : cases) {
    EXPECT_EQ(plotter.run(c.command), c.status) << c.command;
  }
}

TEST(ShellPlotter, InterpreterThatCannotBeStartedGivesMinusOne) {
  ShellPlotter missing("/nonexistent/regmap24-no-shell");
  EXPECT_EQ(missing.run("exit 0"), -1);
  ScratchDir dir;
  write_file("not-a-program", "plain text\n");  // exists, but is not executable
  ShellPlotter not_executable("not-a-program");
  EXPECT_EQ(not_executable.run("exit 0"), -1);
}

TEST(ShellPlotter, RunsInTheWorkingDirectoryAndWaits) {
  ScratchDir dir;
  ShellPlotter plotter;
  // The file exists when run() returns: the program waited for the child to end.
  EXPECT_EQ(plotter.run("sleep 0.2; pwd -P > here"), 0);
  EXPECT_EQ(read_file("here"), fs::canonical(dir.path()).string() + "\n");
}

// In-process runs with a plotter that returns a chosen status.
TEST(PlotterHandoff, MessageForEachStatus) {
  struct MessageCase {
    int status;
    const char* number;  // "" when no message is expected
  };
  const MessageCase cases[] = {
      {0, ""},      {1, "  1"},   {-1, " -1"},   {2, "  2"},      {127, "127"},
      {143, "143"}, {999, "999"}, {1000, "***"}, {-100, "***"},
  };
  for (const MessageCase& c : cases) {
    ScratchDir dir;
    const InProcessRun run = run_in_process(kDefaultReplies, c.status);
    EXPECT_EQ(run.status, 0) << c.status;
    EXPECT_EQ(run.errors, "") << c.status;
    ASSERT_EQ(run.plot_commands.size(), 1u);
    EXPECT_EQ(run.plot_commands[0], "wgnuplot.exe Regmap24.plt");
    std::string tail = kLastRegimeLine + "\r\n";
    if (*c.number != '\0') tail += kFailure + c.number + "\r\n";
    EXPECT_EQ(ending(run.console, tail), tail) << c.status;
  }
}

// A plotter that looks at the files at the moment it is started.
class InspectingPlotter final : public Plotter {
 public:
  int run(const char* command) override {
    command_ = command;
    curve_ = read_file("Regmap24.out");
    range_ = read_file("Regmap24.plp");
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
      std::error_code ec;
      const fs::path target = fs::read_symlink(entry.path(), ec);
      if (!ec) open_files_.push_back(target.filename().string());
    }
    return 0;
  }
  std::string command_, curve_, range_;
  std::vector<std::string> open_files_;
};

TEST(PlotterHandoff, FilesAreClosedAndCompleteWhenThePlotterStarts) {
  ScratchDir dir;
  StringSink out;
  StringSink err;
  InspectingPlotter plotter;
  TextLineSource keyboard(kDefaultReplies);
  int status = 0;
  {
    Console console(out);
    ProgramEnvironment env{console, keyboard, real_file_system(), plotter, err};
    status = run_program(env);
  }
  EXPECT_EQ(status, 0);
  EXPECT_EQ(plotter.command_, "wgnuplot.exe Regmap24.plt");
  EXPECT_EQ(split_crlf(plotter.curve_).size(), 318u);
  EXPECT_EQ(plotter.range_,
            " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 5.000E-03: 5.000E+01]\r\n");
  EXPECT_FALSE(plotter.open_files_.empty());
  for (const std::string& name : plotter.open_files_) {
    EXPECT_NE(name, "Regmap24.out");
    EXPECT_NE(name, "Regmap24.plp");
  }
}

// Runs the built program in `dir` with PATH set to exactly `path`.
ProcessRun run_with_path(const std::string& dir, const std::string& input,
                         const std::string& path) {
  write_file(dir + "/.stdin", input);
  const std::string cmd = "cd '" + dir + "' && PATH='" + path + "' '" REGMAP24_EXE
                          "' <.stdin >.stdout 2>.stderr";
  const int raw = std::system(cmd.c_str());
  ProcessRun r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  r.out = read_file(dir + "/.stdout");
  r.err = read_file(dir + "/.stderr");
  return r;
}

// A scratch directory with a stub wgnuplot.exe (a small sh script) in bin/. The stub
// records how it was called, copies the two files as it finds them and lists the open
// descriptors of the program, then does what the test asks.
class StubPlotter : public ::testing::Test {
 protected:
  void SetUp() override {
    bin = dir.path() + "/bin";
    record = dir.path() + "/record";
    fs::create_directory(bin);
    fs::create_directory(record);
  }

  void write_stub(const std::string& body) {
    const std::string stub =
        "#!/bin/sh\n"
        "rec='" + record + "'\n"
        "printf '%s\\n' \"${0##*/}\" \"$#\" \"$*\" \"$(pwd -P)\" > \"$rec/call\"\n"
        "cp Regmap24.out \"$rec/curve\"\n"
        "cp Regmap24.plp \"$rec/range\"\n"
        // The program is the parent, or the parent's parent when the shell did not
        // replace itself by the stub.
        "for p in $PPID $(sed -n 's/^PPid:[[:space:]]*//p' /proc/$PPID/status); do\n"
        "  ls -l /proc/$p/fd\n"
        "done > \"$rec/fds\" 2>&1\n" +
        body + "\n";
    write_file(bin + "/wgnuplot.exe", stub);
    fs::permissions(bin + "/wgnuplot.exe", fs::perms::owner_all);
  }

  ProcessRun run_with_stub() {
    return run_with_path(dir.path(), kDefaultReplies, bin + ":/usr/bin:/bin");
  }

  // Checks what the stub recorded: the command line, the working directory, and both
  // files closed and complete.
  void expect_called_on_complete_files() {
    EXPECT_EQ(read_file(record + "/call"), "wgnuplot.exe\n1\nRegmap24.plt\n" +
                                               fs::canonical(dir.path()).string() + "\n");
    const std::string curve = read_file(record + "/curve");
    EXPECT_EQ(split_crlf(curve).size(), 318u);
    EXPECT_EQ(curve.substr(0, 28), "  3.165469E+00  1.700853E-01");
    EXPECT_EQ(read_file(record + "/range"),
              " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 5.000E-03: 5.000E+01]\r\n");
    const std::string fds = read_file(record + "/fds");
    // The listing reached the program: its standard output is there.
    EXPECT_NE(fds.find(".stdout"), std::string::npos) << fds;
    EXPECT_EQ(fds.find("Regmap24.out"), std::string::npos) << fds;
    EXPECT_EQ(fds.find("Regmap24.plp"), std::string::npos) << fds;
  }

  ScratchDir dir;
  std::string bin;
  std::string record;
};

TEST_F(StubPlotter, SuccessWritesNoMessage) {
  write_stub("exit 0");
  const ProcessRun r = run_with_stub();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.find("Gnuplot"), std::string::npos);
  EXPECT_EQ(ending(r.out, kLastRegimeLine + "\r\n"), kLastRegimeLine + "\r\n");
  expect_called_on_complete_files();
}

TEST_F(StubPlotter, FailureStatusOne) {
  write_stub("exit 1");
  const ProcessRun r = run_with_stub();
  EXPECT_EQ(r.status, 0);
  const std::string tail = kLastRegimeLine + "\r\n" + kFailure + "  1\r\n";
  EXPECT_EQ(ending(r.out, tail), tail);
  expect_called_on_complete_files();
}

TEST_F(StubPlotter, KilledBySignal) {
  // SIGTERM: status 128 + 15 = 143.
  write_stub("kill -TERM $$");
  const ProcessRun r = run_with_stub();
  EXPECT_EQ(r.status, 0);
  const std::string tail = kLastRegimeLine + "\r\n" + kFailure + "143\r\n";
  EXPECT_EQ(ending(r.out, tail), tail);
  expect_called_on_complete_files();
}

TEST_F(StubPlotter, ConsoleIsSentBeforeThePlotterWrites) {
  // The plotter shares the console: everything the program wrote is out before it starts,
  // and its output continues the open last line, which the end of the run then ends.
  write_stub("printf STUB");
  const ProcessRun r = run_with_stub();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ending(r.out, kLastRegimeLine + "STUB\r\n"), kLastRegimeLine + "STUB\r\n");
  EXPECT_EQ(r.out.find("STUB"), r.out.size() - 6);
}

TEST_F(StubPlotter, NoPlotterOnThePath) {
  // Nothing named wgnuplot.exe in bin/, /usr/bin or /bin: the shell's 127.
  const ProcessRun r = run_with_path(dir.path(), kDefaultReplies, bin + ":/usr/bin:/bin");
  EXPECT_EQ(r.status, 0);
  const std::string tail = kLastRegimeLine + "\r\n" + kFailure + "127\r\n";
  EXPECT_EQ(ending(r.out, tail), tail);
  // The shell's own report reaches the inherited standard error.
  EXPECT_NE(r.err.find("wgnuplot.exe"), std::string::npos);
  EXPECT_EQ(split_crlf(read_file(dir.path() + "/Regmap24.out")).size(), 318u);
}

}  // namespace
}  // namespace regmap::test
