// Helpers shared by the tests: running the program in-process or as a process inside a
// scratch directory, capturing the console, and reading files byte for byte.
#pragma once

#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/plotter.h"

namespace regmap::test {

// Collects everything written to it.
class StringSink final : public ByteSink {
 public:
  void write(const char* data, std::size_t size) override { text.append(data, size); }
  std::string text;
};

// A plotter that records the command and returns a fixed status.
class FakePlotter final : public Plotter {
 public:
  explicit FakePlotter(int status = 0) : status_(status) {}
  int run(const char* command) override {
    commands.emplace_back(command);
    return status_;
  }
  std::vector<std::string> commands;

 private:
  int status_;
};

// A fresh empty directory that becomes the working directory for the scope, and is
// removed afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// The flow model state that the run hands to map tracing: a fresh record and root-finder
// storage, PI, the fluid set-up from `fluid` (the fluid menu values) and the gravity terms,
// with both phases on the turbulent law.
void set_up_model(const double fluid[6]);

struct InProcessRun {
  int status = 0;
  std::string console;  // everything written to standard output
  std::string errors;   // everything written to standard error
  std::vector<std::string> plot_commands;
};

// Runs the whole program in-process in the current directory with `keyboard` as the
// typed input and a fake plotter returning `plot_status`.
InProcessRun run_in_process(const std::string& keyboard, int plot_status = 0);

struct ProcessRun {
  int status = 0;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

// Runs the built Regmap24 as a child process in the directory `dir` with `input` on its
// standard input. `path_prefix`, when given, is put in front of PATH (for a stub plotter).
ProcessRun run_process(const std::string& dir, const std::string& input,
                       const std::string& path_prefix = "");

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);

// Lines of a text split at CR LF (the ends removed); a final piece without CR LF is kept.
std::vector<std::string> split_crlf(const std::string& text);

inline constexpr const char* kDefaultReplies = "0,0\n0,0\n";

}  // namespace regmap::test
