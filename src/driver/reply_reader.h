// The reader of menu replies: two items, a whole number (the parameter number) and a
// real (the new value), typed in free form.
//   - Items are separated by a comma, by blanks or tabs, or by both ("3,0.05", "3 0.05",
//     "3, 0.05"); a line that ends before both items are read goes on on the next line.
//   - Whatever follows the second item on its line is ignored.
//   - A real is an optional sign, digits with or without a point, and an optional exponent
//     of E or D (either case) with a signed or unsigned whole number.
//   - A slash ends the reply early; an empty item between commas is skipped. An item so
//     missing leaves its variable as it was.
//   - A reply that cannot be read (letters, an overflowing number, a repeat count) changes
//     nothing; the end of the input before the reply is complete ends the dialogue.
// The new value is kept from one reply to the next (0 at the start), so a reply that gives
// a parameter number but no value ("3/", "3,,9") reuses the last value given.
#pragma once

#include <cstdint>
#include <string>

namespace regmap {

// A source of input lines (the keyboard, or text in tests and the fuzzer).
class LineSource {
 public:
  virtual ~LineSource() = default;
  // Reads the next line without its line feed into `line`; false at the end of input.
  // A last line that ends with the end of input instead of a line feed is still a line.
  virtual bool read_line(std::string& line) = 0;
};

// Lines of standard input, read with read(2) so that nothing is read ahead of the reply
// that the program asks for.
class StdinLineSource final : public LineSource {
 public:
  bool read_line(std::string& line) override;
};

// Lines of a fixed text.
class TextLineSource final : public LineSource {
 public:
  explicit TextLineSource(std::string text) : text_(std::move(text)) {}
  bool read_line(std::string& line) override;

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

struct Reply {
  enum class Kind {
    Number,      // a parameter number was read (the value may have been left as it was)
    NoNumber,    // the parameter number was missing (",5", "/"): nothing changes
    Unreadable,  // counts as parameter number 0: nothing changes
    EndOfInput,  // counts as parameter number -1
  };
  Kind kind;
  std::int32_t number;  // meaningful for Kind::Number
};

class ReplyReader {
 public:
  explicit ReplyReader(LineSource& source) : source_(source) {}

  // Reads one reply; on Kind::Number, value() is the new value to use.
  Reply read();
  double value() const { return value_; }

 private:
  LineSource& source_;
  double value_ = 0;
  std::string line_;
};

}  // namespace regmap
