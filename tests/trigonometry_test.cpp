#include "calculators/trigonometry.h"

#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "support/printf_reference.h"
#include "support/expected_screens.h"
#include "support/scripted_console.h"

namespace {

constexpr const char* DEGREES = "\nCalculating angle in Degrees:\n";
constexpr const char* RADIANS = "\nCalculating angle in Radians:\n";
constexpr const char* GRADIANS = "\nCalculating angle in Gradients:\n";
constexpr const char* HYPERBOLIC = "\nHyperbolic for angle in Degrees, Radians, Gradients:\n";

std::string line(const char* name, const std::string& shown, const std::string& result) {
  return std::string(name) + "( " + shown + " )  is  " + result + ";\n";
}

std::string circular_lines(const std::string& shown, double angle_in_radians) {
  volatile double radians = angle_in_radians;
  return line("The sine of               ", shown, printf_g16(std::sin(radians))) +
         line("The cosine of             ", shown, printf_g16(std::cos(radians))) +
         line("The tangent of            ", shown, printf_g16(std::tan(radians)));
}

// (pi / 180) * x and (pi / 200) * x, the quotient rounded first.
double angle(double value, double divisor) {
  volatile double pi = 3.141592653589793;
  volatile double x = value;
  volatile double step = pi / divisor;
  volatile double radians = step * x;
  return radians;
}

// The whole screen for the value x, shown in the parentheses as `shown`.
std::string expected_screen(const std::string& shown, double value) {
  volatile double x = value;
  return "Insert value: " + std::string(DEGREES) + circular_lines(shown, angle(x, 180)) + RADIANS +
         circular_lines(shown, x) + GRADIANS + circular_lines(shown, angle(x, 200)) + HYPERBOLIC +
         line("The hyperbolic sine of    ", shown, printf_g16(std::sinh(x))) +
         line("The hyperbolic cosine of  ", shown, printf_g16(std::cosh(x))) +
         line("The hyperbolic tangent of ", shown, printf_g16(std::tanh(x))) + "\n\n";
}

std::string run(const std::string& input, CalculatorState& state) {
  ScriptedConsole console(input);
  calculate_trigonometry(state, console);
  return console.output();
}

// The result printed for `name` in the section that starts with `section`.
std::string result_in(const std::string& screen, const char* section, const char* name) {
  const std::size_t start = screen.find(section);
  if (start == std::string::npos) return "<no section>";
  const std::size_t at = screen.find(name, start);
  if (at == std::string::npos) return "<no line>";
  const std::size_t value = screen.find(")  is  ", at) + 7;
  return screen.substr(value, screen.find(";\n", value) - value);
}

TEST(Trigonometry, ZeroReadsTheSameInEveryUnit) {
  CalculatorState state;
  EXPECT_EQ(run("0\n", state), TRIGONOMETRY_OF_ZERO_TEXT);
}

TEST(Trigonometry, ConvertsTheAngleWithTheQuotientFormedFirst) {
  // The angles the program must reach: 45 degrees is the double nearest
  // pi/4, 90 degrees the one nearest pi/2, and 100 gradians one unit in the
  // last place above it (pi * 100 / 200 would give pi/2 itself).
  ASSERT_EQ(angle(45, 180), 0.7853981633974483);
  ASSERT_EQ(angle(90, 180), 1.5707963267948966);
  ASSERT_EQ(angle(100, 200), 1.5707963267948968);
  for (const char* value : {"45", "90", "100", "1", "-30", "3,5", "800", "1e22"}) {
    SCOPED_TRACE(value);
    CalculatorState state;
    const std::string screen = run(std::string(value) + "\n", state);
    EXPECT_EQ(screen, expected_screen(printf_g16(state.x), state.x));
    EXPECT_EQ(state.y, angle(state.x, 200));  // y is left at the gradian angle
  }
}

TEST(Trigonometry, RightAnglesShowTheRoundingOfPi) {
  CalculatorState state;
  const std::string at_45 = run("45\n", state);
  EXPECT_EQ(result_in(at_45, DEGREES, "The tangent of"), "0.9999999999999999");

  const std::string at_90 = run("90\n", state);
  EXPECT_EQ(result_in(at_90, DEGREES, "The sine of"), "1");
  const std::string cosine_90 = result_in(at_90, DEGREES, "The cosine of");
  EXPECT_TRUE(cosine_90.starts_with("6.12") && cosine_90.ends_with("e-17")) << cosine_90;
  const std::string tangent_90 = result_in(at_90, DEGREES, "The tangent of");
  EXPECT_TRUE(tangent_90.starts_with("1.633") && tangent_90.ends_with("e+16")) << tangent_90;

  const std::string at_100 = run("100\n", state);
  EXPECT_EQ(state.y, 1.5707963267948968);
  EXPECT_EQ(result_in(at_100, GRADIANS, "The sine of"), "1");
  const std::string cosine_100 = result_in(at_100, GRADIANS, "The cosine of");
  EXPECT_TRUE(cosine_100.starts_with("-1.608") && cosine_100.ends_with("e-16")) << cosine_100;
  const std::string tangent_100 = result_in(at_100, GRADIANS, "The tangent of");
  // About -6.218e15: below 1e16, so written out in 16 digits.
  EXPECT_TRUE(tangent_100.starts_with("-6218") && tangent_100.size() == 17) << tangent_100;
}

TEST(Trigonometry, HyperbolicFunctionsAreWrittenOnceForTheValueAsEntered) {
  CalculatorState state;
  const std::string at_1 = run("1\n", state);
  EXPECT_EQ(at_1.find("hyperbolic sine"), at_1.rfind("hyperbolic sine"));
  EXPECT_TRUE(result_in(at_1, HYPERBOLIC, "The hyperbolic sine of").starts_with("1.1752"));
  EXPECT_TRUE(result_in(at_1, HYPERBOLIC, "The hyperbolic cosine of").starts_with("1.5430"));
  EXPECT_TRUE(result_in(at_1, HYPERBOLIC, "The hyperbolic tangent of").starts_with("0.7615"));

  const std::string at_800 = run("-800\n", state);
  EXPECT_EQ(result_in(at_800, HYPERBOLIC, "The hyperbolic sine of"), "-inf");
  EXPECT_EQ(result_in(at_800, HYPERBOLIC, "The hyperbolic cosine of"), "inf");
  EXPECT_EQ(result_in(at_800, HYPERBOLIC, "The hyperbolic tangent of"), "-1");
}

TEST(Trigonometry, ALineWithoutANumberUsesThePreviousValue) {
  CalculatorState state;
  state.x = 90;
  state.y = 5;
  EXPECT_EQ(run("\n", state), expected_screen("90", 90));
  EXPECT_EQ(state.y, angle(90, 200));
}

}  // namespace
