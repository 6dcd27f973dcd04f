// The checks made when the user leaves a menu: a value the model cannot use is refused by
// one console line and the same menu is shown again, title block included, with the
// user's other edits kept; usable values, extreme ones included, pass without a word.
#include <gtest/gtest.h>

#include <string>

#include "driver/number_layout.h"
#include "driver/program_flow.h"
#include "support/curve_file.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

constexpr const char* kPrompt = "taper -1,0 pour arreter  --->";

std::string text40(const char* s) {
  std::string t(s);
  t.resize(40, ' ');
  return t;
}

std::string title_line(const char* title) { return std::string(18, ' ') + text40(title); }

// The parameter line of item i (1-based) as the menu shows it.
std::string parameter_line(int i, const char* label, double value, NumberLayout layout) {
  return format_integer(i, 2) + " ---> " + text40(label) + " : " + format_real(value, layout);
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// The console from the end of the last menu prompt on: the trace of the map.
std::string after_menus(const std::string& console) {
  const std::size_t p = console.rfind(kPrompt);
  return p == std::string::npos ? std::string() : console.substr(p + std::string(kPrompt).size());
}

// A run that got through both menus and traced a whole map: exit 0, nothing on the error
// stream, five well-formed blocks, and no number without a value anywhere after the menus.
void expect_complete_run(const InProcessRun& run, const std::string& replies) {
  SCOPED_TRACE("replies: " + replies);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(run.plot_commands.size(), 1u);
  const std::string curve = read_file("Regmap24.out");
  const CurveFile file = parse_curve_file(curve);
  EXPECT_EQ(file.blocks.size(), 5u);
  EXPECT_TRUE(file.faults.empty()) << file.faults.front();
  EXPECT_FALSE(has_meaningless_number(curve));
  EXPECT_FALSE(has_meaningless_number(read_file("Regmap24.plp")));
  EXPECT_FALSE(has_meaningless_number(after_menus(run.console)));
}

struct Refusal {
  const char* kept;   // an edit made before the refused value, which must survive
  const char* bad;    // the reply (or replies) giving the refused value
  const char* lines;  // the console lines of the refusal, joined by CR LF
  const char* fix;    // the reply that puts a usable value back
};

// Leaves the menu with the refused value, reads the refusal and the menu shown again, then
// fixes the value and checks that the run equals one given the final values at once.
void check_refusal(const Refusal& r, bool fluid_menu) {
  const std::string kept = std::string(r.kept) + "\n";
  const std::string bad = std::string(r.bad) + "\n";
  const std::string fix = std::string(r.fix) + "\n";
  const std::string before = fluid_menu ? "" : "0,0\n";
  const std::string after = fluid_menu ? "0,0\n" : "";
  const std::string refused_replies = before + kept + bad + "0,0\n" + fix + "0,0\n" + after;
  const std::string direct_replies = before + kept + fix + "0,0\n" + after;
  SCOPED_TRACE("replies: " + refused_replies);

  std::string direct_curve;
  std::string direct_trace;
  {
    ScratchDir dir;
    const InProcessRun direct = run_in_process(direct_replies);
    ASSERT_EQ(count(direct.console, "refuse"), 0u) << direct.console;
    direct_curve = read_file("Regmap24.out");
    direct_trace = after_menus(direct.console);
  }

  ScratchDir dir;
  const InProcessRun run = run_in_process(refused_replies);
  const char* title = fluid_menu ? kFluidTitle : kMapTitle;
  const char* other = fluid_menu ? kMapTitle : kFluidTitle;
  // The refusal follows the reply "0,0" typed on the prompt line; then the menu starts
  // again from its title block.
  const std::string shown_again = std::string(kPrompt) + r.lines + "\r\n" + title_line(title) +
                                  "\r\n\r\n 1 ---> ";
  const std::size_t p = run.console.find(shown_again);
  ASSERT_NE(p, std::string::npos) << run.console;
  EXPECT_EQ(count(run.console, title_line(title)), 2u);
  EXPECT_EQ(count(run.console, title_line(other)), 1u);
  EXPECT_EQ(count(run.console, "refuse"), count(r.lines, "refuse"));

  // The edit made before the refusal is still shown in the menu shown again.
  const int kept_item = r.kept[0] - '0';
  const double kept_value = std::stod(std::string(r.kept + 2));
  const std::string kept_line =
      fluid_menu ? parameter_line(kept_item, kFluidLabels[kept_item - 1], kept_value,
                                  kFluidMenuLayout)
                 : parameter_line(kept_item, kMapLabels[kept_item - 1], kept_value,
                                  kMapMenuLayout);
  EXPECT_NE(run.console.find(kept_line, p), std::string::npos) << kept_line;

  expect_complete_run(run, refused_replies);
  EXPECT_EQ(read_file("Regmap24.out"), direct_curve);
  EXPECT_EQ(after_menus(run.console), direct_trace);
}

constexpr const char* kGasDensity = "Parametre 1 refuse : la masse volumique du gaz doit etre positive";
constexpr const char* kLiquidDensity =
    "Parametre 2 refuse : la masse volumique du liquide doit etre superieure a celle du gaz";
constexpr const char* kGasViscosity =
    "Parametre 3 refuse : la viscosite dynamique du gaz doit etre positive";
constexpr const char* kLiquidViscosity =
    "Parametre 4 refuse : la viscosite dynamique du liquide doit etre positive";
constexpr const char* kDiameter = "Parametre 5 refuse : le diametre doit etre positif";
constexpr const char* kSlope =
    "Parametre 6 refuse : la pente doit etre comprise entre -90 et +90 degres (bornes exclues)";

TEST(MenuChecks, RefusedFluidValuesAreAskedForAgain) {
  const Refusal cases[] = {
      {"6,2", "1,0", kGasDensity, "1,1.2"},
      {"6,2", "1,-1.2", kGasDensity, "1,1.2"},
      {"6,2", "2,1.2", kLiquidDensity, "2,1000"},  // equal densities
      {"6,2", "1,2000", kLiquidDensity, "1,1.2"},  // a gas heavier than the liquid
      {"6,2", "3,0", kGasViscosity, "3,1.812e-5"},
      {"6,2", "3,-1.812e-5", kGasViscosity, "3,1.812e-5"},
      {"6,2", "4,0", kLiquidViscosity, "4,0.001"},
      {"6,2", "5,0", kDiameter, "5,50"},
      {"6,2", "5,-50", kDiameter, "5,50"},
      {"5,40", "6,90", kSlope, "6,0"},
      {"5,40", "6,-90", kSlope, "6,0"},
      {"5,40", "6,135", kSlope, "6,0"},
      // Two bad values at once: one line each, in item order.
      {"6,2", "3,0\n1,0", "Parametre 1 refuse : la masse volumique du gaz doit etre positive\r\n"
                          "Parametre 3 refuse : la viscosite dynamique du gaz doit etre positive",
       "1,1.2\n3,1.812e-5"},
      // Each value usable alone, but a constant of the run derived from them is zero or
      // infinite in double precision.
      {"6,2", "5,1e-322", "Parametre 5 refuse : le diametre est trop petit : nul une fois "
                          "converti en m", "5,50"},
      {"6,2", "3,1e300\n1,1e-300",
       "Parametre 3 refuse : la viscosite cinematique du gaz (viscosite / masse volumique) est "
       "nulle ou infinie", "1,1.2\n3,1.812e-5"},
      {"6,2", "4,1e-300\n2,1e300",
       "Parametre 4 refuse : la viscosite cinematique du liquide (viscosite / masse volumique) "
       "est nulle ou infinie", "2,1000\n4,0.001"},
      {"6,2", "2,1e308",
       "Parametre 2 refuse : le terme de pesanteur (masse vol. liquide - masse vol. gaz) x g x "
       "diametre est nul ou infini", "2,1000"},
  };
  for (const Refusal& r : cases) check_refusal(r, true);
}

constexpr const char* kTooFew = "le nombre de points par decade doit etre positif";
constexpr const char* kTooMany = "le nombre de points par decade doit etre au plus 1000000";
constexpr const char* kTooSmall =
    "le nombre de points par decade est trop petit : 10 puissance 1/N depasse les reels";
constexpr const char* kTooLong =
    "trop de points : points par decade x decades de la fenetre doit etre au plus 100000";

std::string map_refusal(int item, const char* what) {
  return "Parametre " + std::to_string(item) + " refuse : " + what;
}

TEST(MenuChecks, RefusedMapValuesAreAskedForAgain) {
  const std::string gas_min = map_refusal(1, "la vitesse JG mini doit etre positive");
  const std::string gas_max =
      map_refusal(2, "la vitesse JG maxi doit etre superieure a la vitesse JG mini");
  const std::string liquid_min = map_refusal(3, "la vitesse JL mini doit etre positive");
  const std::string liquid_max =
      map_refusal(4, "la vitesse JL maxi doit etre superieure a la vitesse JL mini");
  const std::string gas_n_few = map_refusal(5, kTooFew);
  const std::string gas_n_many = map_refusal(5, kTooMany);
  const std::string gas_n_small = map_refusal(5, kTooSmall);
  const std::string gas_n_long = map_refusal(5, kTooLong);
  const std::string liquid_n_few = map_refusal(6, kTooFew);
  const std::string liquid_n_many = map_refusal(6, kTooMany);
  const std::string two = gas_min + "\r\n" + liquid_min;
  const Refusal cases[] = {
      {"6,10", "1,0", gas_min.c_str(), "1,0.005"},
      {"6,10", "1,-0.005", gas_min.c_str(), "1,0.005"},
      {"6,10", "2,0.005", gas_max.c_str(), "2,500"},  // maximum equal to the minimum
      {"6,10", "1,600", gas_max.c_str(), "1,0.005"},  // minimum above the maximum
      {"6,10", "3,0", liquid_min.c_str(), "3,0.005"},
      {"6,10", "4,0.001", liquid_max.c_str(), "4,50"},
      {"6,10", "1,-1\n3,-1", two.c_str(), "1,0.005\n3,0.005"},
      // Points per decade: none, negative, so many that the ratio 10^(1/N) is 1 or nearly,
      // so few that it overflows, or more grid steps across the window than a curve may
      // have (20001 x 5 decades).
      {"6,10", "5,0", gas_n_few.c_str(), "5,25"},
      {"6,10", "5,-5", gas_n_few.c_str(), "5,25"},
      {"6,10", "5,1e300", gas_n_many.c_str(), "5,25"},
      {"6,10", "5,1000001", gas_n_many.c_str(), "5,25"},
      {"6,10", "5,0.001", gas_n_small.c_str(), "5,25"},
      {"6,10", "5,20001", gas_n_long.c_str(), "5,25"},
      {"5,20", "6,0", liquid_n_few.c_str(), "6,25"},
      {"5,20", "6,-5", liquid_n_few.c_str(), "6,25"},
      {"5,20", "6,1e300", liquid_n_many.c_str(), "6,25"},
  };
  for (const Refusal& r : cases) check_refusal(r, false);
}

TEST(MenuChecks, StopAfterARefusalEndsTheRunWithoutWritingFiles) {
  ScratchDir dir;
  const InProcessRun run = run_in_process("0,0\n5,0\n0,0\n-1,0\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.console.find(map_refusal(5, kTooFew)), std::string::npos);
  EXPECT_EQ(run.console.substr(run.console.size() - 12), "Retour DOS\r\n");
  EXPECT_EQ(read_file("Regmap24.out"), "");
  EXPECT_EQ(read_file("Regmap24.plp"), "");
  EXPECT_TRUE(run.plot_commands.empty());
}

TEST(MenuChecks, EndOfInputAfterARefusalStops) {
  ScratchDir dir;
  const InProcessRun run = run_in_process("6,90\n0,0\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.console.find(kSlope), std::string::npos);
  EXPECT_EQ(run.console.substr(run.console.size() - 12), "Retour DOS\r\n");
  EXPECT_TRUE(run.plot_commands.empty());
}

// Values at the edge of what the model can use, and extreme values that it can still use:
// no refusal, one title block per menu, and a complete run without a number that has no
// value. Where the model overflows inside a curve, the trace skips it (checked in detail in
// the failure tests).
TEST(MenuChecks, UsableValuesAreAccepted) {
  const char* cases[] = {
      "6,89.9\n0,0\n0,0\n",
      "6,-89.9\n0,0\n0,0\n",
      "0,0\n5,12.5\n6,12.5\n0,0\n",
      // A window of a thousandth of a decade with few points per decade.
      "0,0\n1,1\n2,1.0023\n3,0.1\n4,0.10023\n5,3\n6,2\n0,0\n",
      // The most points per decade, on a window narrow enough for them.
      "0,0\n1,1\n2,1.12\n3,0.1\n4,0.112\n5,1000000\n6,1000000\n0,0\n",
      // So few points per decade that the ratio is 10^250.
      "0,0\n5,0.004\n6,0.004\n0,0\n",
      // Extreme fluids and pipes.
      "1,1e-300\n0,0\n0,0\n",
      "2,1e300\n0,0\n0,0\n",
      "1,1e300\n2,1e301\n0,0\n0,0\n",
      "5,1e-300\n0,0\n0,0\n",
      "5,1e300\n0,0\n0,0\n",
      "3,1e300\n0,0\n0,0\n",
      "4,1e300\n0,0\n0,0\n",
      "3,1e-300\n4,1e-300\n0,0\n0,0\n",
      "6,89.9999999\n0,0\n0,0\n",
      "6,-89.9999999\n0,0\n0,0\n",
      // The widest window with few points.
      "0,0\n1,1e-300\n2,1e300\n3,1e-300\n4,1e300\n5,1\n6,1\n0,0\n",
      "1,1e-300\n2,1e300\n3,1e-300\n4,1e300\n5,1e-300\n6,89.9999999\n0,0\n"
      "1,1e-300\n2,1e300\n3,1e-300\n4,1e300\n5,3\n6,3\n0,0\n",
  };
  for (const char* replies : cases) {
    ScratchDir dir;
    const InProcessRun run = run_in_process(replies);
    EXPECT_EQ(count(run.console, "refuse"), 0u) << replies;
    EXPECT_EQ(count(run.console, title_line(kFluidTitle)), 1u) << replies;
    EXPECT_EQ(count(run.console, title_line(kMapTitle)), 1u) << replies;
    expect_complete_run(run, replies);
  }
}

}  // namespace
}  // namespace regmap::test
