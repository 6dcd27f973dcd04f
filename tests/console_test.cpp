// The console conventions: a line break (CR LF) is written when the next line begins, the
// prompt line stays open for the reply, a read writes nothing of the console's own, and
// the end of the program ends the open line once.
#include <gtest/gtest.h>

#include <string>

#include "driver/console.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

class ConsoleTest : public ::testing::Test {
 protected:
  StringSink sink;
  Console console{sink};
};

TEST_F(ConsoleTest, BreakIsWrittenWhenTheNextLineBegins) {
  console.line("first");
  console.flush();
  EXPECT_EQ(sink.text, "first");
  console.line("second");
  console.flush();
  EXPECT_EQ(sink.text, "first\r\nsecond");
}

TEST_F(ConsoleTest, FinishEndsTheOpenLineOnce) {
  console.line("last");
  console.finish();
  EXPECT_EQ(sink.text, "last\r\n");
  console.finish();
  console.flush();
  EXPECT_EQ(sink.text, "last\r\n");
}

TEST_F(ConsoleTest, FinishWithoutOutputWritesNothing) {
  console.finish();
  EXPECT_EQ(sink.text, "");
}

TEST_F(ConsoleTest, EmptyLinesAreBreaksOfTheirOwn) {
  // "A", an empty line, an empty line, "B": three breaks between A and B.
  console.line("A");
  console.line("");
  console.line("");
  console.line("B");
  console.finish();
  EXPECT_EQ(sink.text, "A\r\n\r\n\r\nB\r\n");
}

TEST_F(ConsoleTest, FirstLineMayBeEmpty) {
  // Map tracing begins with an empty line before its first heading.
  console.line("");
  console.line("Point triple AB");
  console.finish();
  EXPECT_EQ(sink.text, "\r\nPoint triple AB\r\n");
}

TEST_F(ConsoleTest, ReadSendsThePromptAndLeavesItsLineOpen) {
  console.line("taper 0,0 pour sortir du menu");
  console.line("taper -1,0 pour arreter  --->");
  console.begin_read();
  // Everything so far is out before the program waits for the keyboard, with no break
  // after the prompt.
  EXPECT_EQ(sink.text, "taper 0,0 pour sortir du menu\r\ntaper -1,0 pour arreter  --->");
  console.end_read();
  EXPECT_EQ(sink.text, "taper 0,0 pour sortir du menu\r\ntaper -1,0 pour arreter  --->");
  // The user's Enter ended the prompt line: the next line follows without a break of its
  // own.
  console.line("Retour DOS");
  console.finish();
  EXPECT_EQ(sink.text,
            "taper 0,0 pour sortir du menu\r\ntaper -1,0 pour arreter  --->Retour DOS\r\n");
}

TEST_F(ConsoleTest, FinishRightAfterAReadWritesNoBreak) {
  console.line("prompt --->");
  console.begin_read();
  console.end_read();
  console.finish();
  EXPECT_EQ(sink.text, "prompt --->");
}

TEST_F(ConsoleTest, AppendContinuesTheOpenLine) {
  console.line("Gnuplot script launch was not successful :");
  console.append("  1");
  console.finish();
  EXPECT_EQ(sink.text, "Gnuplot script launch was not successful :  1\r\n");
}

TEST_F(ConsoleTest, LongOutputKeepsItsOrderThroughTheBuffer) {
  // More than the console buffer holds, in many lines and in one line longer than it.
  std::string expected;
  for (int i = 0; i < 2000; ++i) {
    const std::string text = "TT JG=  3.16E-01 JL=  " + std::to_string(i);
    console.line(text);
    if (i > 0) expected += "\r\n";
    expected += text;
  }
  const std::string wide(40000, 'x');
  console.line(wide);
  expected += "\r\n" + wide;
  console.line("after");
  expected += "\r\nafter\r\n";
  console.finish();
  EXPECT_EQ(sink.text, expected);
}

TEST(Console, DestructorSendsWhatIsBuffered) {
  StringSink sink;
  {
    Console console(sink);
    console.line("kept");
  }
  EXPECT_EQ(sink.text, "kept");
}

}  // namespace
}  // namespace regmap::test
