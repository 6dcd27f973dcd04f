// The console writer. Console texts are given as displayed lines; the line break that
// separates two lines (CR LF) is written when the second line begins, so the cursor stays
// at the end of the last line until the next output or keyboard read. The menu prompt thus
// leaves its line open for the reply, and the open line is ended when the program ends.
#pragma once

#include <cstddef>
#include <string_view>

namespace regmap {

// A destination of bytes: standard output, a capture buffer in tests, or nothing at all.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(const char* data, std::size_t size) = 0;
  virtual void flush() {}
};

// Standard output, written with write(2); errors on the console are not fatal.
class StdoutSink final : public ByteSink {
 public:
  void write(const char* data, std::size_t size) override;
};

// Discards everything (benchmarks).
class NullSink final : public ByteSink {
 public:
  void write(const char*, std::size_t) override {}
};

class Console {
 public:
  explicit Console(ByteSink& sink) : sink_(sink) {}
  ~Console() { flush(); }
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Begins a new displayed line holding `text` (ending the open line first) and leaves it
  // open. An empty text gives an empty line.
  void line(std::string_view text);
  // Appends to the open line.
  void append(std::string_view text);
  // The program is about to read a reply typed on the open prompt line: everything so far
  // is sent, and nothing of the console's own is written. The user's Enter (or, on a pipe,
  // nothing at all) separates the prompt from the next line, so after the read the next
  // line begins without a break of its own.
  void begin_read();
  void end_read() { open_ = false; }
  // Ends the open line (program end) and sends everything.
  void finish();
  void flush();

 private:
  void put(std::string_view bytes);

  ByteSink& sink_;
  bool open_ = false;
  static constexpr std::size_t kCapacity = 16384;
  char buffer_[kCapacity];
  std::size_t used_ = 0;
};

}  // namespace regmap
