#include "driver/console.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace regmap {

void StdoutSink::write(const char* data, std::size_t size) {
  // A reader that has gone away (standard output piped into a program that has ended) must
  // not end the run: SIGPIPE is held back while writing, and one raised by this write is
  // taken off again before the mask is restored. The plotter, started later, gets the
  // program's own mask and dispositions unchanged.
  sigset_t pipe_signal;
  sigset_t old_mask;
  sigset_t pending;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  sigprocmask(SIG_BLOCK, &pipe_signal, &old_mask);
  sigpending(&pending);
  const bool was_pending = sigismember(&pending, SIGPIPE) == 1;
  bool broken = false;
  while (size > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {  // a closed or broken console loses the text, nothing more
      broken = n < 0 && errno == EPIPE;
      break;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  if (broken && !was_pending) {
    const timespec no_wait{};
    while (sigtimedwait(&pipe_signal, nullptr, &no_wait) < 0 && errno == EINTR) {
    }
  }
  sigprocmask(SIG_SETMASK, &old_mask, nullptr);
}

void Console::put(std::string_view bytes) {
  if (bytes.size() > kCapacity - used_) {
    flush();
    if (bytes.size() > kCapacity) {
      sink_.write(bytes.data(), bytes.size());
      return;
    }
  }
  std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void Console::line(std::string_view text) {
  if (open_) put("\r\n");
  put(text);
  open_ = true;
}

void Console::append(std::string_view text) { put(text); }

void Console::begin_read() { flush(); }

void Console::finish() {
  if (open_) put("\r\n");
  open_ = false;
  flush();
}

void Console::flush() {
  if (used_ > 0) sink_.write(buffer_, used_);
  used_ = 0;
  sink_.flush();
}

}  // namespace regmap
