#include "support/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "driver/output_file.h"
#include "driver/program_flow.h"
#include "driver/reply_reader.h"
#include "model/flow_state.h"
#include "transitions/root_finder.h"

namespace regmap::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  previous_ = fs::current_path().string();
  std::string templ = (fs::temp_directory_path() / "regmap24-test-XXXXXX").string();
  if (::mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = templ;
  fs::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(path_, ec);
}

void set_up_model(const double fluid[6]) {
  fm = FlowModelState{};
  sv_storage = RootFinderStorage{};
  fm.PI = 4 * std::atan(1.0);
  set_up_fluid(fluid);
  set_up_gravity_and_laws();
}

InProcessRun run_in_process(const std::string& keyboard, int plot_status) {
  StringSink out;
  StringSink err;
  InProcessRun result;
  {
    Console console(out);
    TextLineSource input(keyboard);
    FakePlotter plotter(plot_status);
    ProgramEnvironment env{console, input, real_file_system(), plotter, err};
    result.status = run_program(env);
    result.plot_commands = plotter.commands;
  }
  result.console = out.text;
  result.errors = err.text;
  return result;
}

ProcessRun run_process(const std::string& dir, const std::string& input,
                       const std::string& path_prefix) {
  const std::string in = dir + "/.stdin";
  const std::string out = dir + "/.stdout";
  const std::string err = dir + "/.stderr";
  write_file(in, input);
  std::string cmd = "cd '" + dir + "' && ";
  if (!path_prefix.empty()) cmd += "PATH='" + path_prefix + "':\"$PATH\" ";
  cmd += "'" REGMAP24_EXE "' <'" + in + "' >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  ProcessRun r;
  if (WIFEXITED(raw)) {
    r.status = WEXITSTATUS(raw);
  } else {
    r.status = 128 + WTERMSIG(raw);
  }
  r.out = read_file(out);
  r.err = read_file(err);
  fs::remove(in);
  fs::remove(out);
  fs::remove(err);
  return r;
}

std::string read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

bool file_exists(const std::string& path) { return fs::exists(path); }

std::vector<std::string> split_crlf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

}  // namespace regmap::test
