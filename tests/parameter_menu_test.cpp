// Whole dialogues of the parameter menu, compared byte for byte with the screens built
// here from the menu layout: the title block once per call, parameter lines of 63 columns,
// the prompt left open for the reply, CR LF between lines. Then the menus inside a run
// (stop replies, the kept value across menus) and the program driven through a pipe.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/number_layout.h"
#include "driver/parameter_menu.h"
#include "driver/reply_reader.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

// ---- The expected screens ----

using Texts = std::array<const char*, 6>;

const char* const kFluidTitleText = "CARTE D'ECOULEMENT DE TAITEL ET DUKLER";
const Texts kFluidLabelTexts = {
    "MASSE VOLUMIQUE OU GAZ en kg/m3",    "MASSE VOLUMIQUE OU LIQ. en kg/m3",
    "VISCOSITE DYNAMIQUE DU GAZ en Pa s", "VISCOSITE DYNAMIQUE DU LIQ. en Pa s",
    "DIAMETRE OU TUBE en mm",             "PENTE (positive en ec.descend.) en deg",
};
const char* const kMapTitleText = "PARAMETRES DE LA CARTE";
const Texts kMapLabelTexts = {
    "VIT. superficielle GAZ. MINI en m/s", "VIT. superficielle GAZ MAXI en m/s",
    "VIT. superficielle LIQ. MINI en m/s", "VIT. superficielle LIQ. MAXI en m/s",
    "Nombre de points par decade (GAZ)",   "Nombre de points par decade (LIQ)",
};

// The values as the menus show their defaults (scientific 12.3 and fixed 12.5).
const Texts kFluidDefaultTexts = {"   1.200E+00", "   1.000E+03", "   1.812E-05",
                                  "   1.000E-03", "   5.000E+01", "   0.000E+00"};
const Texts kMapDefaultTexts = {"      .00500", "   500.00000", "      .00500",
                                "    50.00000", "    25.00000", "    25.00000"};

const std::string kCrLf = "\r\n";
const std::string kPromptLine = "taper -1,0 pour arreter  --->";

std::string pad40(const char* text) {
  std::string t(text);
  t.append(40 - t.size(), ' ');
  return t;
}

// 18 blanks, the title in columns 19-58, then an empty line.
std::string title_block(const char* title) {
  return std::string(18, ' ') + pad40(title) + kCrLf + kCrLf;
}

// One cycle: the six parameter lines, two empty lines and the prompt, left open.
std::string cycle(const Texts& labels, const Texts& values) {
  std::string s;
  for (int i = 0; i < 6; ++i) {
    s += ' ';
    s += static_cast<char>('1' + i);
    s += " ---> ";
    s += pad40(labels[i]);
    s += " : ";
    s += values[i];
    s += kCrLf;
  }
  s += kCrLf + kCrLf + "Entrer le numero du parametre,nouvelle valeur" + kCrLf +
       "taper 0,0 pour sortir du menu" + kCrLf + kPromptLine;
  return s;
}

Texts with(Texts values, int item, const char* text) {
  values[item - 1] = text;
  return values;
}

std::string fluid_cycle(const Texts& values = kFluidDefaultTexts) {
  return cycle(kFluidLabelTexts, values);
}
std::string map_cycle(const Texts& values = kMapDefaultTexts) {
  return cycle(kMapLabelTexts, values);
}

// ---- One call of LIRE on a captured console ----

struct Table {
  std::array<double, 6> values;
};
const Table kFluidDefaults{{1.2, 1000, 1.812e-5, 0.001, 50, 0}};
const Table kMapDefaults{{0.005, 500, 0.005, 50, 25, 25}};

class MenuDialogue : public testing::Test {
 protected:
  // Types `keys`; the reader stays for further calls, as it does between the two menus.
  void type(const std::string& keys) {
    source_ = std::make_unique<TextLineSource>(keys);
    reader_ = std::make_unique<ReplyReader>(*source_);
  }
  MenuExit fluid_menu(Table& t) {
    return LIRE(console_, *reader_, kFluidTitleText, 6, kFluidLabelTexts.data(), t.values.data(),
                kFluidMenuLayout);
  }
  MenuExit map_menu(Table& t) {
    return LIRE(console_, *reader_, kMapTitleText, 6, kMapLabelTexts.data(), t.values.data(),
                kMapMenuLayout);
  }
  // Everything on the console once the program has ended.
  std::string screen() {
    console_.finish();
    return out_.text;
  }

  StringSink out_;
  Console console_{out_};
  std::unique_ptr<TextLineSource> source_;
  std::unique_ptr<ReplyReader> reader_;
};

TEST_F(MenuDialogue, FluidMenuWithItsDefaults) {
  type("0,0\n");
  Table t = kFluidDefaults;
  EXPECT_EQ(fluid_menu(t), MenuExit::Leave);
  EXPECT_EQ(t.values, kFluidDefaults.values);
  const std::string s = screen();
  EXPECT_EQ(s, title_block(kFluidTitleText) + fluid_cycle());

  // The first parameter line, spelled out, and every parameter line 63 columns wide.
  const std::vector<std::string> lines = split_crlf(s);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[2], " 1 ---> MASSE VOLUMIQUE OU GAZ en kg/m3" + std::string(9, ' ') +
                          " : " + "   1.200E+00");
  for (int i = 2; i < 8; ++i) EXPECT_EQ(lines[i].size(), 63u) << lines[i];
  EXPECT_EQ(lines[0].size(), 58u);
  EXPECT_EQ(lines.back(), kPromptLine);  // left open: no line break after the arrow
}

TEST_F(MenuDialogue, MapMenuWithItsDefaults) {
  type("0,0\n");
  Table t = kMapDefaults;
  EXPECT_EQ(map_menu(t), MenuExit::Leave);
  EXPECT_EQ(t.values, kMapDefaults.values);
  EXPECT_EQ(screen(), title_block(kMapTitleText) + map_cycle());
}

// A change is shown at once; the list follows the reply directly, without the title block.
TEST_F(MenuDialogue, ChangedItemIsShownInTheNextCycle) {
  type("3,0.05\n0,0\n");
  Table t = kMapDefaults;
  EXPECT_EQ(map_menu(t), MenuExit::Leave);
  Table expected = kMapDefaults;
  expected.values[2] = 0.05;
  EXPECT_EQ(t.values, expected.values);
  EXPECT_EQ(screen(), title_block(kMapTitleText) + map_cycle() +
                          map_cycle(with(kMapDefaultTexts, 3, "      .05000")));
}

TEST_F(MenuDialogue, FluidRedrawShowsTheNewSlope) {
  type("6,10\n1,1.812D0\n0,0\n");
  Table t = kFluidDefaults;
  EXPECT_EQ(fluid_menu(t), MenuExit::Leave);
  EXPECT_EQ(t.values[5], 10);
  EXPECT_EQ(t.values[0], 1.812);
  const Texts slope = with(kFluidDefaultTexts, 6, "   1.000E+01");
  EXPECT_EQ(screen(), title_block(kFluidTitleText) + fluid_cycle() + fluid_cycle(slope) +
                          fluid_cycle(with(slope, 1, "   1.812E+00")));
}

// Replies that leave the menu at once, after one cycle, changing nothing.
TEST_F(MenuDialogue, LeavingRepliesChangeNothing) {
  for (const char* keys : {"0,5\n", "0\n5\n", "abc\n", "3,abc\n", "0/\n"}) {
    SCOPED_TRACE(keys);
    out_.text.clear();
    type(keys);
    Table t = kMapDefaults;
    EXPECT_EQ(map_menu(t), MenuExit::Leave);
    EXPECT_EQ(t.values, kMapDefaults.values);
    EXPECT_EQ(screen(), title_block(kMapTitleText) + map_cycle());
    // The reply used every line it was given, and no more.
    EXPECT_EQ(reader_->read().kind, Reply::Kind::EndOfInput);
  }
}

// Replies that show the menu again unchanged: a number above n, no number at all.
TEST_F(MenuDialogue, RepliesThatShowTheMenuAgainUnchanged) {
  for (const char* keys : {"7,1\n0,0\n", "/\n0,0\n", ",5\n0,0\n", "2147483647,1\n0,0\n"}) {
    SCOPED_TRACE(keys);
    out_.text.clear();
    type(keys);
    Table t = kFluidDefaults;
    EXPECT_EQ(fluid_menu(t), MenuExit::Leave);
    EXPECT_EQ(t.values, kFluidDefaults.values);
    EXPECT_EQ(screen(), title_block(kFluidTitleText) + fluid_cycle() + fluid_cycle());
  }
}

// ",5" changes nothing itself, but its value is the one that "3/" then takes.
TEST_F(MenuDialogue, ValueAfterALeadingCommaIsKeptForTheNextReply) {
  type(",5\n3/\n0/\n");
  Table t = kMapDefaults;
  EXPECT_EQ(map_menu(t), MenuExit::Leave);
  EXPECT_EQ(t.values[2], 5);
  EXPECT_EQ(screen(), title_block(kMapTitleText) + map_cycle() + map_cycle() +
                          map_cycle(with(kMapDefaultTexts, 3, "     5.00000")));
}

// Before any reply has given a value, "3/" sets item 3 to 0.
TEST_F(MenuDialogue, NumberWithoutValueAtProgramStartGivesZero) {
  type("3/\n0/\n");
  Table t = kMapDefaults;
  EXPECT_EQ(map_menu(t), MenuExit::Leave);
  EXPECT_EQ(t.values[2], 0);
  EXPECT_EQ(screen(), title_block(kMapTitleText) + map_cycle() +
                          map_cycle(with(kMapDefaultTexts, 3, "      .00000")));
}

// The kept value crosses from the fluid menu to the map menu; each call shows its title once.
TEST_F(MenuDialogue, NumberWithoutValueTakesTheLastValueOfEitherMenu) {
  type("6,10\n0/\n3/\n3,,9\n0/\n");
  Table fluid = kFluidDefaults;
  Table map = kMapDefaults;
  EXPECT_EQ(fluid_menu(fluid), MenuExit::Leave);
  EXPECT_EQ(map_menu(map), MenuExit::Leave);
  EXPECT_EQ(fluid.values[5], 10);
  EXPECT_EQ(map.values[2], 10);
  const Texts ten = with(kMapDefaultTexts, 3, "    10.00000");
  EXPECT_EQ(screen(), title_block(kFluidTitleText) + fluid_cycle() +
                          fluid_cycle(with(kFluidDefaultTexts, 6, "   1.000E+01")) +
                          title_block(kMapTitleText) + map_cycle() + map_cycle(ten) +
                          map_cycle(ten));
}

// Stop replies write "Retour DOS" on the line that follows the reply.
TEST_F(MenuDialogue, StopRepliesWriteRetourDos) {
  for (const char* keys : {"-1,0\n", "-7,3\n", "", "3\n", "-2147483648\n1\n"}) {
    SCOPED_TRACE(keys);
    out_.text.clear();
    type(keys);
    Table t = kFluidDefaults;
    EXPECT_EQ(fluid_menu(t), MenuExit::Stop);
    EXPECT_EQ(t.values, kFluidDefaults.values);
    EXPECT_EQ(screen(), title_block(kFluidTitleText) + fluid_cycle() + "Retour DOS" + kCrLf);
  }
}

// ---- The menus inside a run ----

const char* const kOldCurve = "old curve file\r\n  1.000000E+00  2.000000E+00\r\n";
const char* const kOldRange = " set xrange[ 1.000E+00: 2.000E+00]\n";

// A stop reply ends the run with status 0 and leaves both files exactly as they were,
// in either menu; files that did not exist are left empty.
TEST(MenuInRun, StopLeavesTheFilesUntouched) {
  struct Case {
    const char* keys;
    std::string screen;
  };
  const std::string fluid = title_block(kFluidTitleText) + fluid_cycle();
  const std::string both = fluid + title_block(kMapTitleText) + map_cycle();
  const Case cases[] = {
      {"-1,0\n", fluid + "Retour DOS" + kCrLf},
      {"-7,3\n", fluid + "Retour DOS" + kCrLf},
      {"", fluid + "Retour DOS" + kCrLf},
      {"0,0\n-1,0\n", both + "Retour DOS" + kCrLf},
      {"0,0\n3,0.05\n", both + map_cycle(with(kMapDefaultTexts, 3, "      .05000")) +
                            "Retour DOS" + kCrLf},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.keys)));
    {
      ScratchDir dir;
      write_file("Regmap24.out", kOldCurve);
      write_file("Regmap24.plp", kOldRange);
      const InProcessRun run = run_in_process(c.keys);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.errors, "");
      EXPECT_EQ(run.console, c.screen);
      EXPECT_TRUE(run.plot_commands.empty());
      EXPECT_EQ(read_file("Regmap24.out"), kOldCurve);
      EXPECT_EQ(read_file("Regmap24.plp"), kOldRange);
    }
    {
      ScratchDir dir;
      EXPECT_EQ(run_in_process(c.keys).status, 0);
      EXPECT_TRUE(file_exists("Regmap24.out"));
      EXPECT_EQ(read_file("Regmap24.out"), "");
      EXPECT_EQ(read_file("Regmap24.plp"), "");
    }
  }
}

// A value typed in the fluid menu is reused by "3/" in the map menu, and the run uses it.
TEST(MenuInRun, KeptValueReachesTheMapWindow) {
  ScratchDir dir;
  const InProcessRun run = run_in_process("6,10\n0/\n3/\n0,0\n");
  EXPECT_EQ(run.status, 0);
  const std::string menus =
      title_block(kFluidTitleText) + fluid_cycle() +
      fluid_cycle(with(kFluidDefaultTexts, 6, "   1.000E+01")) + title_block(kMapTitleText) +
      map_cycle() + map_cycle(with(kMapDefaultTexts, 3, "    10.00000"));
  EXPECT_EQ(run.console.substr(0, menus.size()), menus);
  EXPECT_EQ(read_file("Regmap24.plp"),
            " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 1.000E+01: 5.000E+01]\r\n");
}

// ---- The program driven through a pipe ----

// A scratch directory with a stand-in plotter on the PATH that saves whatever is left on
// its standard input, so a test can see what the program did not read.
class PipedProgram : public testing::Test {
 protected:
  void SetUp() override {
    bin_ = dir_.path() + "/bin";
    ASSERT_EQ(::mkdir(bin_.c_str(), 0755), 0);
    write_file(bin_ + "/wgnuplot.exe", "#!/bin/sh\ncat > stdin_left.txt\nexit 0\n");
    ASSERT_EQ(::chmod((bin_ + "/wgnuplot.exe").c_str(), 0755), 0);
  }
  ProcessRun run(const std::string& input) { return run_process(dir_.path(), input, bin_); }
  std::string file(const char* name) { return read_file(dir_.path() + "/" + name); }

  ScratchDir dir_;
  std::string bin_;
};

// Lines of the curve file and its blocks (separated by two empty lines).
struct CurveFile {
  std::size_t lines = 0;
  int blocks = 0;
};
CurveFile count(const std::string& out) {
  CurveFile c;
  const std::vector<std::string> lines = split_crlf(out);
  c.lines = lines.size();
  c.blocks = lines.empty() ? 0 : 1;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].empty() && lines[i + 1].empty()) ++c.blocks;
  }
  return c;
}

// Nothing is written between the prompt and the next line: on a pipe the user's Enter is
// not there, so the next text follows the arrow directly.
TEST_F(PipedProgram, DefaultRepliesComputeTheDefaultMap) {
  const ProcessRun r = run("0,0\n0,0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string menus =
      title_block(kFluidTitleText) + fluid_cycle() + title_block(kMapTitleText) + map_cycle();
  EXPECT_EQ(r.out.substr(0, menus.size() + 17), menus + kCrLf + "Point triple AB");
  const std::string curve = file("Regmap24.out");
  EXPECT_EQ(count(curve).lines, 318u);
  EXPECT_EQ(count(curve).blocks, 5);
  EXPECT_EQ(split_crlf(curve).front(), "  3.165469E+00  1.700853E-01");
  EXPECT_EQ(file("stdin_left.txt"), "");
}

TEST_F(PipedProgram, LastReplyWithoutLineFeedIsComplete) {
  const ProcessRun r = run("0,0\n0,0");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(count(file("Regmap24.out")).lines, 318u);
}

// The program reads only the lines its replies need; the rest is left to the plotter.
TEST_F(PipedProgram, ReadsNoFurtherThanTheLastReply) {
  const ProcessRun r = run("0,0 rest of line\n0\n0\nleft for the plotter\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(count(file("Regmap24.out")).lines, 318u);
  EXPECT_EQ(file("stdin_left.txt"), "left for the plotter\n");
}

TEST_F(PipedProgram, DownwardSlopeOfTenDegrees) {
  const ProcessRun r = run("6,10\n0,0\n0,0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string menus = title_block(kFluidTitleText) + fluid_cycle() +
                            fluid_cycle(with(kFluidDefaultTexts, 6, "   1.000E+01")) +
                            title_block(kMapTitleText) + map_cycle();
  EXPECT_EQ(r.out.substr(0, menus.size()), menus);
  const CurveFile c = count(file("Regmap24.out"));
  EXPECT_EQ(c.blocks, 5);
  EXPECT_GT(c.lines, 5u);
  EXPECT_EQ(file("Regmap24.plp"),
            " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 5.000E-03: 5.000E+01]\r\n");
  EXPECT_NE(file("Regmap24.out"), "");
}

// Standard output is a pipe that nobody reads any more (as in "Regmap24 | head -1"): the
// console text is lost, but the run goes on to the end and writes its files.
TEST_F(PipedProgram, ConsoleWithoutReaderDoesNotEndTheRun) {
  const std::string replies = dir_.path() + "/replies";
  write_file(replies, "0,0\n0,0\n");
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ::close(fds[0]);  // no reader at all: every write to the pipe fails with EPIPE
  const std::string path = bin_ + ":" + std::getenv("PATH");
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const int in = ::open(replies.c_str(), O_RDONLY);
    if (in < 0 || ::chdir(dir_.path().c_str()) != 0) ::_exit(120);
    ::dup2(in, STDIN_FILENO);
    ::dup2(fds[1], STDOUT_FILENO);
    ::setenv("PATH", path.c_str(), 1);
    ::execl(REGMAP24_EXE, "Regmap24", static_cast<char*>(nullptr));
    ::_exit(121);
  }
  ::close(fds[1]);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(count(file("Regmap24.out")).lines, 318u);
}

TEST_F(PipedProgram, EmptyInputStopsWithRetourDos) {
  write_file(dir_.path() + "/Regmap24.out", kOldCurve);
  const ProcessRun r = run("");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, title_block(kFluidTitleText) + fluid_cycle() + "Retour DOS" + kCrLf);
  EXPECT_EQ(file("Regmap24.out"), kOldCurve);
  EXPECT_FALSE(file_exists(dir_.path() + "/stdin_left.txt"));
}

}  // namespace
}  // namespace regmap::test
