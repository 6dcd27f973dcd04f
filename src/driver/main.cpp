// Regmap24: the Taitel-Dukler flow-pattern map of gas-liquid flow in a horizontal or
// inclined pipe.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "driver/console.h"
#include "driver/output_file.h"
#include "driver/plotter.h"
#include "driver/program_flow.h"
#include "driver/reply_reader.h"

namespace {

class StderrSink final : public regmap::ByteSink {
 public:
  void write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t n = ::write(STDERR_FILENO, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
  }
};

}  // namespace

int main() {
  // A console piped into a reader that has gone away loses its text but does not end the
  // run: the map is still computed and written. The plotter gets the default back.
  ::signal(SIGPIPE, SIG_IGN);
  regmap::StdoutSink out;
  regmap::Console console(out);
  regmap::StdinLineSource keyboard;
  regmap::ShellPlotter plotter;
  StderrSink errors;
  regmap::ProgramEnvironment env{console, keyboard, regmap::real_file_system(), plotter, errors};
  return regmap::run_program(env);
}
