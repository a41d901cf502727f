#include "calculators/elementary_functions.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/printf_reference.h"
#include "support/scripted_console.h"

namespace {

bool is_nan_text(const std::string& text) { return text == "nan" || text == "-nan"; }

// Library results are taken at run time, on values the optimiser cannot see.
double through(double value) {
  volatile double hidden = value;
  return hidden;
}

struct ScreenCase {
  ActionRoutine routine;
  std::string lines;
  std::string screen;
};

void expect_screens(const std::vector<ScreenCase>& cases) {
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(c.screen);
    CalculatorState state;
    ScriptedConsole console(c.lines);
    c.routine(state, console);
    EXPECT_EQ(console.output(), c.screen);
  }
}

std::string power_screen(const std::string& x, const std::string& y, const std::string& result) {
  return "Insert x: \n\nInsert y: \n\n" + x + " to the power of " + y + " = " + result +
         ";\n\n\n";
}

std::string logarithm_screen(const std::string& x, const std::string& common,
                             const std::string& natural) {
  return "Insert value: \n\nThe logarithm, in base-10, of ( " + x + " ) is " + common +
         ";\n\n\nThe natural logarithm of      ( " + x + " ) is " + natural + ";\n\n\n";
}

std::string square_root_screen(const std::string& x, const std::string& root) {
  return "Insert value: \n\nThe square root of " + x + " is " + root + ";\n\n\n";
}

std::string absolute_value_screen(const std::string& x, const std::string& result) {
  return "Insert value: \nThe absolute value of " + x + " is " + result + "\n\n";
}

TEST(Power, RaisesXToY) {
  const std::string negative_base_root = printf_g16(std::pow(through(-2), through(0.5)));
  ASSERT_TRUE(is_nan_text(negative_base_root));
  expect_screens({
      {calculate_power, "2\n10\n", power_screen("2", "10", "1024")},
      {calculate_power, "2\n0.5\n", power_screen("2", "0.5", "1.414213562373095")},
      {calculate_power, "-2\n3\n", power_screen("-2", "3", "-8")},
      {calculate_power, "-2\n0,5\n", power_screen("-2", "0.5", negative_base_root)},
      {calculate_power, "0\n0\n", power_screen("0", "0", "1")},
      {calculate_power, "0\n-1\n", power_screen("0", "-1", "inf")},
      {calculate_power, "-0\n-3\n", power_screen("-0", "-3", "-inf")},
      {calculate_power, "10\n400\n", power_screen("10", "400", "inf")},
  });
}

TEST(Power, KeepsBothOperandsAndReusesYWhenTheLineHasNoNumber) {
  CalculatorState state;
  state.y = 3;
  ScriptedConsole console("2\n\n");
  calculate_power(state, console);
  EXPECT_EQ(console.output(), power_screen("2", "3", "8"));
  EXPECT_EQ(state.x, 2.0);
  EXPECT_EQ(state.y, 3.0);
}

TEST(Logarithms, PrintsTheBaseTenThenTheNaturalLogarithm) {
  const std::string log_minus_one = printf_g16(std::log10(through(-1)));
  const std::string ln_minus_one = printf_g16(std::log(through(-1)));
  ASSERT_TRUE(is_nan_text(log_minus_one));
  ASSERT_TRUE(is_nan_text(ln_minus_one));
  expect_screens({
      {calculate_logarithms, "1000\n",
       logarithm_screen("1000", "3", printf_g16(std::log(through(1000))))},
      {calculate_logarithms, "3\n",
       logarithm_screen("3", printf_g16(std::log10(through(3))), "1.09861228866811")},
      {calculate_logarithms, "1\n", logarithm_screen("1", "0", "0")},
      {calculate_logarithms, "0\n", logarithm_screen("0", "-inf", "-inf")},
      {calculate_logarithms, "-0\n", logarithm_screen("-0", "-inf", "-inf")},
      {calculate_logarithms, "-1\n", logarithm_screen("-1", log_minus_one, ln_minus_one)},
  });
}

TEST(SquareRoot, PrintsTheRootOrTheLibrarysNotANumber) {
  const std::string root_of_minus_one = printf_g16(std::sqrt(through(-1)));
  ASSERT_TRUE(is_nan_text(root_of_minus_one));
  expect_screens({
      {calculate_square_root, "2\n", square_root_screen("2", "1.414213562373095")},
      {calculate_square_root, "0,25\n", square_root_screen("0.25", "0.5")},
      {calculate_square_root, "-0\n", square_root_screen("-0", "-0")},
      {calculate_square_root, "-1\n", square_root_screen("-1", root_of_minus_one)},
  });
}

TEST(AbsoluteValue, HasOneLeadingNewlineAndNoSemicolon) {
  expect_screens({
      {calculate_absolute_value, "-3,5\n", absolute_value_screen("-3.5", "3.5")},
      {calculate_absolute_value, "-0\n", absolute_value_screen("-0", "0")},
      {calculate_absolute_value, "7\n", absolute_value_screen("7", "7")},
      {calculate_absolute_value, "-1e308\n", absolute_value_screen("-1e+308", "1e+308")},
  });
}

TEST(ElementaryFunctions, OnlyTheReadsChangeTheRegisters) {
  CalculatorState state;
  state.y = 80;
  ScriptedConsole console("4\n\n\n");
  calculate_logarithms(state, console);
  calculate_square_root(state, console);  // the empty line keeps x = 4
  calculate_absolute_value(state, console);
  EXPECT_EQ(state.x, 4.0);
  EXPECT_EQ(state.y, 80.0);
  EXPECT_NE(console.output().find("The square root of 4 is 2;"), std::string::npos);
  EXPECT_NE(console.output().find("The absolute value of 4 is 4\n"), std::string::npos);
}

}  // namespace
