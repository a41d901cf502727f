#include "calculators/arithmetic.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "support/printf_reference.h"
#include "support/scripted_console.h"

namespace {

constexpr const char* PROMPTS = "Insert first value: \n\nInsert 2nd value: ";

std::string calculate_lines(Operation operation, const std::string& lines,
                            CalculatorState& state) {
  ScriptedConsole console(lines);
  calculate(state, console, operation);
  return console.output();
}

struct OperationCase {
  Operation operation;
  const char* lines;
  const char* result_line;  // between the prompts' "\n\n" and the closing "\n\n\n"
  double x;                 // the operands left in the registers
  double y;
};

using enum Operation;

const OperationCase OPERATIONS[] = {
    // 0.30000000000000004 has 0.3 as its first 16 significant digits.
    {Add, "0.1\n0.2\n", "0.1 (+) 0.2 = 0.3;", 0.1, 0.2},
    {Divide, "1\n3\n", "1 (/) 3 = 0.3333333333333333;", 1, 3},
    {Subtract, "7\n10\n", "7 (-) 10 = -3;", 7, 10},
    {Multiply, "1,5\n2,25\n", "1.5 (*) 2.25 = 3.375;", 1.5, 2.25},
    {Multiply, "1e300\n1e300\n", "1e+300 (*) 1e+300 = inf;", 1e300, 1e300},
    {Subtract, "-1e308\n1e308\n", "-1e+308 (-) 1e+308 = -inf;", -1e308, 1e308},
    {Divide, "1\n0\n", "1 (/) 0 = inf;", 1, 0},
    {Divide, "-1\n0\n", "-1 (/) 0 = -inf;", -1, 0},
    {Divide, "1\n-0\n", "1 (/) -0 = -inf;", 1, -0.0},
    {Add, "1e16\n1\n", "1e+16 (+) 1 = 1e+16;", 1e16, 1},
};

TEST(Arithmetic, PrintsBothOperandsAndTheResultOfEachOperation) {
  for (const OperationCase& c : OPERATIONS) {
    SCOPED_TRACE(c.result_line);
    CalculatorState state;
    EXPECT_EQ(calculate_lines(c.operation, c.lines, state),
              std::string(PROMPTS) + "\n\n" + c.result_line + "\n\n\n");
    EXPECT_EQ(state.x, c.x);
    EXPECT_EQ(state.y, c.y);
  }
}

TEST(Arithmetic, ZeroDividedByZeroIsTheMachinesNotANumber) {
  volatile double zero = 0.0;
  const std::string nan_text = printf_g16(zero / zero);
  ASSERT_TRUE(nan_text == "nan" || nan_text == "-nan") << nan_text;
  CalculatorState state;
  EXPECT_EQ(calculate_lines(Divide, "0\n0\n", state),
            std::string(PROMPTS) + "\n\n0 (/) 0 = " + nan_text + ";\n\n\n");
}

TEST(Arithmetic, ALineWithoutANumberKeepsThatOperand) {
  CalculatorState state;
  state.x = 5;
  state.y = 80;
  EXPECT_EQ(calculate_lines(Add, "1\n\n", state),
            std::string(PROMPTS) + "\n\n1 (+) 80 = 81;\n\n\n");
  EXPECT_EQ(calculate_lines(Subtract, "none\n3\n", state),
            std::string(PROMPTS) + "\n\n1 (-) 3 = -2;\n\n\n");
}

TEST(ArithmeticPanel, EachKeyRunsItsOperation) {
  ScriptedConsole drawn("");
  draw_panel(drawn, arithmetic_panel);
  const char* results[] = {"6 (+) 3 = 9;", "6 (-) 3 = 3;", "6 (*) 3 = 18;", "6 (/) 3 = 2;"};
  for (char key = '1'; key <= '4'; ++key) {
    SCOPED_TRACE(key);
    CalculatorState state;
    ScriptedConsole console(std::string(1, key) + "6\n3\n \x1b");
    EXPECT_TRUE(run_panel(arithmetic_panel, state, console));
    EXPECT_EQ(console.output(), drawn.output() + std::string(CLS) + PROMPTS + "\n\n" +
                                    results[key - '1'] + "\n\n\nPress any key to continue\n" +
                                    drawn.output());
  }
}

}  // namespace
