// The hand-off to the plotter: a command line run through the command interpreter as a
// child process in the same console, waited for without a time limit.
#pragma once

namespace regmap {

// The fixed command that draws the map from the files of the run.
inline constexpr const char* kPlotCommand = "wgnuplot.exe Regmap24.plt";

class Plotter {
 public:
  virtual ~Plotter() = default;
  // Runs `command` and returns its status: the child's exit code, -1 when the command
  // interpreter cannot be started.
  virtual int run(const char* command) = 0;
};

// On Linux the command goes to /bin/sh -c, with the standard streams inherited. A child
// ended by a signal gives 128 + the signal number, as the shell reports it.
class ShellPlotter final : public Plotter {
 public:
  explicit ShellPlotter(const char* shell = "/bin/sh") : shell_(shell) {}
  int run(const char* command) override;

 private:
  const char* shell_;
};

}  // namespace regmap
