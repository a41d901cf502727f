#include "console/primitives.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "support/scripted_console.h"

namespace {

struct LineCase {
  const char* line;
  double expected;  // the register starts at 99
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << testing::PrintToString(c.line); }

class ReadNumberLines : public testing::TestWithParam<LineCase> {};

TEST_P(ReadNumberLines, NormalisesCommasAndKeepsTheRegisterWithoutANumber) {
  ScriptedConsole console(GetParam().line);
  double target = 99.0;
  read_number(console, "Insert value: ", target);
  EXPECT_EQ(target, GetParam().expected) << "line: " << GetParam().line;
  EXPECT_EQ(console.output(), "Insert value: ");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadNumberLines,
    testing::Values(LineCase{"3,75\n", 3.75}, LineCase{" -0,5\n", -0.5},
                    LineCase{"1,5e3\n", 1500.0}, LineCase{"1,2,3\n", 1.2},
                    LineCase{"1.234,5\n", 1.234}, LineCase{"12abc\n", 12.0},
                    LineCase{"abc\n", 99.0}, LineCase{"\n", 99.0}, LineCase{",,,\n", 99.0},
                    LineCase{"...\n", 99.0}, LineCase{"nan\n", 99.0}, LineCase{"0x10\n", 0.0},
                    LineCase{"7", 7.0} /* cut off by end of input, still a line */,
                    LineCase{"", 99.0} /* end of input: the read fails */));

TEST(ReadNumber, AnOverlongLineLeavesItsRemainderForTheNextRead) {
  // 254 characters are taken: "1" followed by 253 zeros reads as 1e253.
  std::string first = "1" + std::string(253, '0');
  std::string remainder = std::string(45, '0') + "5\n";
  ScriptedConsole console(first + remainder + "8\n", 7);
  double x = 0;
  double y = 0;
  read_number(console, "a: ", x);
  read_number(console, "b: ", y);
  EXPECT_EQ(x, 1e253);
  EXPECT_EQ(y, 5.0);  // the 46 remaining characters and the newline
  read_number(console, "c: ", y);
  EXPECT_EQ(y, 8.0);
}

TEST(ReadNumber, ALineEndingAtTheLimitKeepsItsNewlineForTheNextRead) {
  // 254 characters exactly: the newline stays pending and makes an empty line.
  ScriptedConsole console(std::string(253, ' ') + "4\n" + "6\n");
  double target = 1;
  read_number(console, "", target);
  EXPECT_EQ(target, 4.0);
  read_number(console, "", target);
  EXPECT_EQ(target, 4.0);
  read_number(console, "", target);
  EXPECT_EQ(target, 6.0);
}

TEST(ReadNumber, KeysAndLinesShareTheScriptWithoutTakingEachOthersBytes) {
  ScriptedConsole console("a12\nb");
  double target = 0;
  EXPECT_EQ(read_key(console), 'a');
  read_number(console, "", target);
  EXPECT_EQ(target, 12.0);
  EXPECT_EQ(read_key(console), 'b');
  EXPECT_EQ(read_key(console), KEY_END_OF_INPUT);
}

TEST(WriteText, FillsConversionsInOrderAndAddsNothing) {
  ScriptedConsole console("");
  write_text(console, "%.16g (+) %.16g = %.16g;", 0.1, 0.2, 0.1 + 0.2);
  write_text(console, "|%d|%s|100%%|%q", 3, "text");
  write_text(console, "%.16g %.16g %.16g", 1e16, 1e15, 0.00001);
  EXPECT_EQ(console.output(),
            "0.1 (+) 0.2 = 0.3;|3|text|100%|%q1e+16 1000000000000000 1e-05");
}

TEST(PauseForKey, WritesItsTextAndConsumesOneKey) {
  ScriptedConsole console("\x1b" "x");
  EXPECT_EQ(pause_for_key(console), 27);
  EXPECT_EQ(console.output(), "Press any key to continue\n");
  EXPECT_EQ(read_key(console), 'x');
}

}  // namespace
