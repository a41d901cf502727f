#include "calculators/inverse_trigonometry.h"

#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "support/printf_reference.h"
#include "support/scripted_console.h"

namespace {

std::string run(ActionRoutine routine, const std::string& input, CalculatorState& state) {
  ScriptedConsole console(input);
  routine(state, console);
  return console.output();
}

std::string arcsine_screen(const std::string& x, const std::string& arcsine,
                           const std::string& arccosine) {
  return "Enter a real number between -1 and 1: Arcsine of " + x + " = " + arcsine +
         "\nArccosine of " + x + " = " + arccosine + "\n";
}

// The second prompt comes after the first result, and both results follow
// their prompts with no blank line.
std::string arctangent_screen(const std::string& x, const std::string& y,
                              const std::string& arctangent, const std::string& quadrant_angle) {
  return "Enter a real number: Arctangent of " + x + " : " + arctangent +
         "\nEnter a second real number: Arctangent of " + x + " / " + y + ": " + quadrant_angle +
         "\n";
}

TEST(Arcsine, PrintsBothInverseFunctionsInRadians) {
  CalculatorState state;
  EXPECT_EQ(run(calculate_arcsine, "1\n", state), arcsine_screen("1", "1.570796326794897", "0"));
  EXPECT_EQ(run(calculate_arcsine, "-1\n", state),
            arcsine_screen("-1", "-1.570796326794897", "3.141592653589793"));
  EXPECT_EQ(run(calculate_arcsine, "0\n", state), arcsine_screen("0", "0", "1.570796326794897"));
  volatile double half = 0.5;
  EXPECT_EQ(run(calculate_arcsine, "0,5\n", state),
            arcsine_screen("0.5", printf_g16(std::asin(half)), printf_g16(std::acos(half))));
}

TEST(Arcsine, OutsideMinusOneToOneBothResultsAreNotANumber) {
  volatile double two = 2;
  const std::string arcsine = printf_g16(std::asin(two));
  const std::string arccosine = printf_g16(std::acos(two));
  ASSERT_NE(arcsine.find("nan"), std::string::npos);
  ASSERT_NE(arccosine.find("nan"), std::string::npos);
  CalculatorState state;
  EXPECT_EQ(run(calculate_arcsine, "2\n", state), arcsine_screen("2", arcsine, arccosine));
  EXPECT_EQ(state.x, 2.0);
}

struct QuadrantCase {
  const char* lines;
  double x;
  double y;
  const char* shown_x;
  const char* shown_y;
  double low;  // the angle lies in [low, high]
  double high;
};

TEST(Arctangent, TakesTheQuadrantFromTheSignsOfBothValues) {
  const double pi = 3.141592653589793;
  const QuadrantCase cases[] = {
      {"1\n1\n", 1, 1, "1", "1", 0, pi / 2},
      {"1\n-1\n", 1, -1, "1", "-1", pi / 2, pi},
      {"-1\n-1\n", -1, -1, "-1", "-1", -pi, -pi / 2},
      {"-1\n1\n", -1, 1, "-1", "1", -pi / 2, 0},
      {"2,5\n-4\n", 2.5, -4, "2.5", "-4", pi / 2, pi},
      {"1\n0\n", 1, 0, "1", "0", pi / 2, pi / 2},
      {"-1\n0\n", -1, 0, "-1", "0", -pi / 2, -pi / 2},
      {"0\n0\n", 0, 0, "0", "0", 0, 0},
  };
  for (const QuadrantCase& c : cases) {
    SCOPED_TRACE(c.lines);
    volatile double x = c.x;
    volatile double y = c.y;
    const double quadrant_angle = std::atan2(x, y);
    ASSERT_GE(quadrant_angle, c.low);
    ASSERT_LE(quadrant_angle, c.high);
    CalculatorState state;
    EXPECT_EQ(run(calculate_arctangent, c.lines, state),
              arctangent_screen(c.shown_x, c.shown_y, printf_g16(std::atan(x)),
                                printf_g16(quadrant_angle)));
    EXPECT_EQ(state.x, c.x);
    EXPECT_EQ(state.y, c.y);
  }
}

TEST(Arctangent, TheFirstValueIsTheNumeratorOfTheTangent) {
  CalculatorState state;
  EXPECT_EQ(run(calculate_arctangent, "1\n0\n", state),
            arctangent_screen("1", "0", "0.7853981633974483", "1.570796326794897"));
  EXPECT_EQ(run(calculate_arctangent, "0\n-1\n", state),
            arctangent_screen("0", "-1", "0", "3.141592653589793"));
  EXPECT_EQ(run(calculate_arctangent, "1\n1\n", state),
            arctangent_screen("1", "1", "0.7853981633974483", "0.7853981633974483"));
}

TEST(Arctangent, ALineWithoutANumberKeepsThatValue) {
  CalculatorState state;
  state.x = 1;
  state.y = -1;
  volatile double one = 1;
  volatile double minus_one = -1;
  EXPECT_EQ(run(calculate_arctangent, "\nnothing\n", state),
            arctangent_screen("1", "-1", "0.7853981633974483",
                              printf_g16(std::atan2(one, minus_one))));
}

}  // namespace
