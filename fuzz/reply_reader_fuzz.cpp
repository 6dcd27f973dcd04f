// libFuzzer target of the menu reply reader: the input bytes are the typed text, read
// reply by reply until the end of input. Checked for every input:
//   - every reply is one of the four kinds, and a kind's parameter number is the one it
//     stands for (0 for an unreadable reply, -1 at the end of input);
//   - reading ends: each reply takes at least one line, so there are at most as many
//     replies as lines before the end of input is reported, and it is then reported again;
//   - the kept new value is always a finite number, and it changes only on a reply that
//     was read as a whole.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/reply_reader.h"

namespace {

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "reply reader invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  if (!text.empty() && text.back() != '\n') ++lines;  // a last line without its line feed

  regmap::TextLineSource source(text);
  regmap::ReplyReader reader(source);
  double kept = reader.value();
  if (kept != 0) fail("the new value does not start at 0");

  for (std::size_t replies = 0;; ++replies) {
    if (replies > lines) fail("more replies than lines");
    const regmap::Reply r = reader.read();
    switch (r.kind) {
      case regmap::Reply::Kind::Number:
      case regmap::Reply::Kind::NoNumber:
        break;
      case regmap::Reply::Kind::Unreadable:
        if (r.number != 0) fail("an unreadable reply does not count as 0");
        if (reader.value() != kept) fail("an unreadable reply changed the new value");
        break;
      case regmap::Reply::Kind::EndOfInput:
        if (r.number != -1) fail("the end of input does not count as -1");
        if (reader.value() != kept) fail("the end of input changed the new value");
        if (reader.read().kind != regmap::Reply::Kind::EndOfInput) {
          fail("input goes on after its end");
        }
        return 0;
      default:
        fail("a reply of no known kind");
    }
    if (!std::isfinite(reader.value())) fail("the new value is not finite");
    kept = reader.value();
  }
}
