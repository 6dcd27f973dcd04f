#include "driver/console.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace regmap {

void StdoutSink::write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a closed or broken console loses the text, nothing more
    data += n;
    size -= static_cast<std::size_t>(n);
  }
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
