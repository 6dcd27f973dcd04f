// The reader of menu replies over its free-form input: separators, replies spread over
// lines, real-number forms, the slash, empty items, unreadable replies and the end of input.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "driver/reply_reader.h"

namespace regmap {
namespace {

using Kind = Reply::Kind;

const char* kind_name(Kind k) {
  switch (k) {
    case Kind::Number: return "Number";
    case Kind::NoNumber: return "NoNumber";
    case Kind::Unreadable: return "Unreadable";
    case Kind::EndOfInput: return "EndOfInput";
  }
  return "?";
}

struct ReplyCase {
  std::string text;     // the typed input, line feeds included
  double before;        // the kept new value before the reply (0 = fresh, as at program start)
  Kind kind;
  std::int32_t number;  // checked for Kind::Number and Kind::EndOfInput
  double after;         // the kept new value after the reply
};

// Every reply below is read by a reader that holds `before` as its kept value: a fresh
// reader for 0, otherwise one that has first read the reply "9,<before>". When the reply
// text ends with a line feed and is not the end of input, the line "8,8" follows it, and the
// next reply must read exactly that: the reader took no more lines than the reply needed
// and dropped the rest of the reply's own line.
TEST(ReplyReader, ReadsEveryFormOfReply) {
  constexpr double K = 2.5;  // a kept value that no case types itself
  const ReplyCase cases[] = {
      // Separators: comma, blanks, tabs, or both.
      {"3,0.05\n", K, Kind::Number, 3, 0.05},
      {"3 0.05\n", K, Kind::Number, 3, 0.05},
      {"3, 0.05\n", K, Kind::Number, 3, 0.05},
      {"3\t0.05\n", K, Kind::Number, 3, 0.05},
      {"  3 \t , \t0.05  \n", K, Kind::Number, 3, 0.05},
      // A reply spread over lines; blank lines in between are only separators.
      {"3\n0.05\n", K, Kind::Number, 3, 0.05},
      {"3,\n0.05\n", K, Kind::Number, 3, 0.05},
      {"3\n\n   \n0.05\n", K, Kind::Number, 3, 0.05},
      {"0\n7.5\n", K, Kind::Number, 0, 7.5},
      // Leaving and stopping.
      {"0,5\n", K, Kind::Number, 0, 5},
      {"-1,0\n", K, Kind::Number, -1, 0},
      {"-7,3\n", K, Kind::Number, -7, 3},
      {"7,1\n", K, Kind::Number, 7, 1},
      // The end of input, before any item or in the middle of a reply.
      {"", K, Kind::EndOfInput, -1, K},
      {"3", K, Kind::EndOfInput, -1, K},
      {"3\n", K, Kind::EndOfInput, -1, K},
      {"\n\n", 0, Kind::EndOfInput, -1, 0},
      // A last reply ended by the end of input in place of a line feed is complete.
      {"0,0", K, Kind::Number, 0, 0},
      {"3,0.05", K, Kind::Number, 3, 0.05},
      // Unreadable replies change nothing.
      {"abc\n", K, Kind::Unreadable, 0, K},
      {"3,abc\n", K, Kind::Unreadable, 0, K},
      {"3.5,1\n", K, Kind::Unreadable, 0, K},
      {"3,1.2.3\n", K, Kind::Unreadable, 0, K},
      {"3,1e\n", K, Kind::Unreadable, 0, K},
      {"3,1e+\n", K, Kind::Unreadable, 0, K},
      {"3,+\n", K, Kind::Unreadable, 0, K},
      {"3,.\n", K, Kind::Unreadable, 0, K},
      {"3,inf\n", K, Kind::Unreadable, 0, K},
      {"3,1e999\n", K, Kind::Unreadable, 0, K},    // overflows a double
      {"3,-1e999\n", K, Kind::Unreadable, 0, K},
      {"2*3,1\n", K, Kind::Unreadable, 0, K},      // repeat counts are not supported
      {"3,2*1\n", K, Kind::Unreadable, 0, K},
      {"99999999999,1\n", K, Kind::Unreadable, 0, K},  // outside 32 bits
      {"2147483648,1\n", K, Kind::Unreadable, 0, K},
      {"-2147483649,1\n", K, Kind::Unreadable, 0, K},
      {"abc 1,2\n", K, Kind::Unreadable, 0, K},     // and the rest of the line goes with it
      // The 32-bit limits themselves are numbers.
      {"2147483647,1\n", K, Kind::Number, 2147483647, 1},
      {"-2147483648,1\n", K, Kind::Number, INT32_MIN, 1},
      // No parameter number: a leading comma or a slash. A value after the comma is kept.
      {",5\n", K, Kind::NoNumber, 0, 5},
      {"/\n", K, Kind::NoNumber, 0, K},
      {",,\n", K, Kind::NoNumber, 0, K},
      // A number without a value keeps the value of the last reply that gave one.
      {"3/\n", K, Kind::Number, 3, K},
      {"3/\n", 0, Kind::Number, 3, 0},
      {"3 /0.05\n", K, Kind::Number, 3, K},
      {"3,/\n", K, Kind::Number, 3, K},
      {"3,,9\n", K, Kind::Number, 3, K},           // the empty item is the value; 9 is ignored
      {"3 , , 9\n", K, Kind::Number, 3, K},
      {"3,\n,9\n", K, Kind::Number, 3, K},
      // Forms of a real.
      {"1,1.812E-5\n", K, Kind::Number, 1, 1.812e-5},
      {"1,1.812e-5\n", K, Kind::Number, 1, 1.812e-5},
      {"1,1.812D-5\n", K, Kind::Number, 1, 1.812e-5},
      {"1,1.812d-5\n", K, Kind::Number, 1, 1.812e-5},
      {"1,1812E+2\n", K, Kind::Number, 1, 181200},
      {"1,1.5D3\n", K, Kind::Number, 1, 1500},
      {"4,.001\n", K, Kind::Number, 4, 0.001},
      {"5,50\n", K, Kind::Number, 5, 50},
      {"+3,+.5\n", K, Kind::Number, 3, 0.5},
      {"5,5.\n", K, Kind::Number, 5, 5},
      {"6,-10\n", K, Kind::Number, 6, -10},
      {"6,-0.5e-1\n", K, Kind::Number, 6, -0.05},
      {"1,1e-400\n", K, Kind::Number, 1, 0},       // underflows to zero: a value like any
      // The rest of the line after the value is ignored.
      {"3,0.05 trailing words\n", K, Kind::Number, 3, 0.05},
      {"3,0.05,4,7\n", K, Kind::Number, 3, 0.05},
      {"3,0.05 abc/\n", K, Kind::Number, 3, 0.05},
      // CR LF line ends.
      {"3,1\r\n", K, Kind::Number, 3, 1},
      {"3\r\n0.05\r\n", K, Kind::Number, 3, 0.05},
  };

  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "reply \"" << testing::PrintToString(c.text)
                                    << "\" with kept value " << c.before);
    std::string text;
    if (c.before != 0) text = "9," + std::to_string(c.before) + "\n";
    text += c.text;
    const bool follow = c.kind != Kind::EndOfInput && !c.text.empty() && c.text.back() == '\n';
    if (follow) text += "8,8\n";

    TextLineSource source(text);
    ReplyReader reader(source);
    EXPECT_EQ(reader.value(), 0);  // 0 at program start
    if (c.before != 0) {
      const Reply primer = reader.read();
      ASSERT_EQ(primer.kind, Kind::Number);
      ASSERT_EQ(reader.value(), c.before);
    }

    const Reply r = reader.read();
    EXPECT_EQ(kind_name(r.kind), std::string(kind_name(c.kind)));
    if (c.kind == Kind::Number || c.kind == Kind::EndOfInput) {
      EXPECT_EQ(r.number, c.number);
    }
    EXPECT_EQ(reader.value(), c.after);

    if (follow) {
      const Reply next = reader.read();
      EXPECT_EQ(kind_name(next.kind), std::string("Number"));
      EXPECT_EQ(next.number, 8);
      EXPECT_EQ(reader.value(), 8);
    }
    EXPECT_EQ(kind_name(reader.read().kind), std::string("EndOfInput"));
  }
}

}  // namespace
}  // namespace regmap
