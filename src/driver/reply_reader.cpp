#include "driver/reply_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace regmap {

bool StdinLineSource::read_line(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return any;  // end of input (or an unreadable input, which ends it too)
    any = true;
    if (c == '\n') return true;
    line.push_back(c);
  }
}

bool TextLineSource::read_line(std::string& line) {
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', pos_);
  if (end == std::string::npos) {
    line.assign(text_, pos_, std::string::npos);
    pos_ = text_.size();
  } else {
    line.assign(text_, pos_, end - pos_);
    pos_ = end + 1;
  }
  return true;
}

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool ends_item(char c) { return is_blank(c) || c == ',' || c == '/'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A whole number with an optional sign, within the 32-bit range.
bool parse_integer(std::string_view t, std::int32_t* out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (!is_digit(t[i])) return false;
    v = v * 10 + (t[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return false;
  *out = static_cast<std::int32_t>(v);
  return true;
}

// An optional sign, digits with or without a point (at least one digit), and an optional
// exponent: E or D in either case, an optional sign and at least one digit.
bool parse_real(std::string_view t, double* out) {
  std::string text;  // the number as strtod reads it: D exponents become E
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) text.push_back(t[i++]);
  std::size_t digits = 0;
  while (i < t.size() && is_digit(t[i])) text.push_back(t[i++]), ++digits;
  if (i < t.size() && t[i] == '.') {
    text.push_back(t[i++]);
    while (i < t.size() && is_digit(t[i])) text.push_back(t[i++]), ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    text.push_back('e');
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) text.push_back(t[i++]);
    std::size_t exp_digits = 0;
    while (i < t.size() && is_digit(t[i])) text.push_back(t[i++]), ++exp_digits;
    if (exp_digits == 0) return false;
  }
  if (i != t.size()) return false;
  const double v = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(v)) return false;  // overflows a double: as unreadable as letters
  *out = v;
  return true;
}

}  // namespace

Reply ReplyReader::read() {
  int item = 0;              // the next item to read: 0 the number, 1 the value
  bool after_item = false;   // an item has just ended: a comma now only separates
  bool have_number = false;
  std::int32_t number = 0;
  bool have_value = false;
  double value = 0;

  for (;;) {
    if (!source_.read_line(line_)) return {Reply::Kind::EndOfInput, -1};
    const std::string_view s(line_);
    std::size_t i = 0;
    bool done = false;
    while (!done) {
      while (i < s.size() && is_blank(s[i])) ++i;
      if (i == s.size()) break;  // the reply goes on on the next line
      const char c = s[i];
      if (c == '/') {
        done = true;
      } else if (c == ',') {
        ++i;
        if (after_item) {
          after_item = false;
        } else {
          ++item;  // an empty item: its variable stays as it was
        }
      } else {
        std::size_t end = i;
        while (end < s.size() && !ends_item(s[end])) ++end;
        const std::string_view token = s.substr(i, end - i);
        i = end;
        if (item == 0) {
          if (!parse_integer(token, &number)) return {Reply::Kind::Unreadable, 0};
          have_number = true;
        } else {
          if (!parse_real(token, &value)) return {Reply::Kind::Unreadable, 0};
          have_value = true;
        }
        ++item;
        after_item = true;
      }
      if (item >= 2) done = true;
    }
    if (done) break;
  }

  if (have_value) value_ = value;
  if (!have_number) return {Reply::Kind::NoNumber, 0};
  return {Reply::Kind::Number, number};
}

}  // namespace regmap
