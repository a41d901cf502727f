#include "calculators/temperature.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "support/printf_reference.h"
#include "support/scripted_console.h"

namespace {

struct ScaleTexts {
  const char* name;
  std::array<const char*, 4> targets;
};

// Indexed by TemperatureScale.
constexpr ScaleTexts SCALE_TEXTS[] = {
    {"Fahrenheit", {"Celsius", "Kelvin", "Rankine", "Reaumur"}},
    {"Celsius", {"Fahrenheit", "Kelvin", "Rankine", "Reaumur"}},
    {"Kelvin", {"Fahrenheit", "Celsius", "Rankine", "Reaumur"}},
    {"Rankine", {"Fahrenheit", "Celsius", "Kelvin", "Reaumur"}},
    {"Reaumur", {"Fahrenheit", "Celsius", "Kelvin", "Rankine"}},
};

struct ConversionCase {
  TemperatureScale source;
  const char* line;   // what the user types
  const char* shown;  // the value read, as the results show it
  std::array<const char*, 4> results;
};

// The prompt and the four result lines of one conversion, with the blank
// lines around them.
std::string expected_screen(const ConversionCase& c) {
  const ScaleTexts& texts = SCALE_TEXTS[static_cast<int>(c.source)];
  std::string screen = std::string("Insert ") + texts.name + " degrees: ";
  for (std::size_t i = 0; i < 4; ++i) {
    screen += std::string("\n\n(") + c.shown + "°) " + texts.name + "  =  (" + c.results[i] +
              "°) " + texts.targets[i] + ";\n";
  }
  return screen + "\n\n";
}

std::string convert(TemperatureScale source, const std::string& input, CalculatorState& state) {
  ScriptedConsole console(input);
  convert_temperature(state, console, source);
  return console.output();
}

using enum TemperatureScale;

// Each expected result was worked out apart from the program, one rounded
// double operation at a time in the order of the formula.
const ConversionCase CONVERSIONS[] = {
    {Celsius, "100\n", "100", {"212", "373.15", "671.6700000000001", "80"}},
    // (1.8 x + 32) + 459.67; adding 491.67 at once would give 722.0700000000001.
    {Celsius, "128\n", "128", {"262.4", "401.15", "722.0699999999999", "102.4"}},
    {Celsius, "36,6\n", "36.6", {"97.88000000000001", "309.75", "557.5500000000001", "29.28"}},
    {Celsius, "-273.15\n", "-273.15", {"-459.67", "0", "5.684341886080801e-14", "-218.52"}},
    {Fahrenheit, "98.6\n", "98.59999999999999", {"37", "310.15", "558.27", "29.6"}},
    {Fahrenheit, "-40\n", "-40", {"-40", "233.15", "419.67", "-32"}},
    // (x - 32) * 4 overflows before the division by 9.
    {Fahrenheit, "1e308\n", "1e+308",
     {"5.555555555555556e+307", "5.555555555555556e+307", "1e+308", "inf"}},
    {Kelvin, "0\n", "0", {"-459.67", "-273.15", "0", "-218.52"}},
    {Kelvin, "123.456\n", "123.456", {"-237.4492", "-149.694", "222.2208", "-119.7552"}},
    {Rankine, "671.67\n", "671.67",
     {"211.9999999999999", "99.99999999999997", "373.15", "79.99999999999997"}},
    // (2.25 x + 32) + 459.67; adding 491.67 at once would give 508.32.
    {Reaumur, "7.4\n", "7.4", {"48.65000000000001", "9.25", "282.4", "508.3200000000001"}},
    {Reaumur, "-10\n", "-10", {"9.5", "-12.5", "260.65", "469.17"}},
};

TEST(TemperatureConversion, PrintsTheFourConversionsOfEachScale) {
  for (const ConversionCase& c : CONVERSIONS) {
    SCOPED_TRACE(std::string(SCALE_TEXTS[static_cast<int>(c.source)].name) + " " + c.line);
    CalculatorState state;
    EXPECT_EQ(convert(c.source, c.line, state), expected_screen(c));
  }
}

TEST(TemperatureConversion, CelsiusHundredScreenReadsLineByLine) {
  CalculatorState state;
  EXPECT_EQ(convert(Celsius, "100\n", state),
            "Insert Celsius degrees: "
            "\n\n(100°) Celsius  =  (212°) Fahrenheit;\n"
            "\n\n(100°) Celsius  =  (373.15°) Kelvin;\n"
            "\n\n(100°) Celsius  =  (671.6700000000001°) Rankine;\n"
            "\n\n(100°) Celsius  =  (80°) Reaumur;\n\n\n");
  EXPECT_EQ(state.x, 100.0);
  EXPECT_EQ(state.y, 80.0);  // the last result stays in y
}

TEST(TemperatureConversion, ProductAndSumAreRoundedSeparatelyNeverFused) {
  // Inputs where a fused multiply-add would round 1.8 * x + 32 and
  // (x - 273.15) * 1.8 + 32 once, differently from the program.
  volatile double celsius = -17.3;
  volatile double kelvin_offset = 273.15;
  volatile double kelvin = 123.456;
  const double fused_fahrenheit = std::fma(1.8, celsius, 32.0);
  const double fused_from_kelvin = std::fma(kelvin - kelvin_offset, 1.8, 32.0);
  ASSERT_EQ(printf_g16(fused_fahrenheit), "0.859999999999998");
  ASSERT_EQ(printf_g16(fused_from_kelvin), "-237.4491999999999");

  CalculatorState state;
  EXPECT_EQ(convert(Celsius, "-17.3\n", state),
            expected_screen(
                {Celsius, "", "-17.3", {"0.8599999999999994", "255.85", "460.53", "-13.84"}}));
  EXPECT_EQ(convert(Kelvin, "123.456\n", state),
            expected_screen(
                {Kelvin, "", "123.456", {"-237.4492", "-149.694", "222.2208", "-119.7552"}}));
}

TEST(TemperatureConversion, ALineWithoutANumberConvertsThePreviousValue) {
  CalculatorState state;
  state.x = 100;
  state.y = -1;
  EXPECT_EQ(convert(Celsius, "\n", state),
            expected_screen({Celsius, "", "100", {"212", "373.15", "671.6700000000001", "80"}}));
  EXPECT_EQ(convert(Kelvin, "warm\n", state),
            expected_screen({Kelvin, "", "100", {"-279.67", "-173.15", "180", "-138.52"}}));
  EXPECT_EQ(state.x, 100.0);
}

TEST(TemperaturePanel, EachKeyConvertsFromItsScale) {
  const char* prompts[] = {"Insert Fahrenheit degrees: ", "Insert Celsius degrees: ",
                           "Insert Kelvin degrees: ", "Insert Rankine degrees: ",
                           "Insert Reaumur degrees: "};
  ScriptedConsole drawn("");
  draw_panel(drawn, temperature_panel);
  for (char key = '1'; key <= '5'; ++key) {
    SCOPED_TRACE(key);
    CalculatorState state;
    ScriptedConsole console(std::string(1, key) + "0\n \x1b");
    EXPECT_TRUE(run_panel(temperature_panel, state, console));
    const std::string& out = console.output();
    const std::string prefix = drawn.output() + std::string(CLS) + prompts[key - '1'];
    EXPECT_EQ(out.substr(0, prefix.size()), prefix);
    EXPECT_TRUE(out.ends_with("\n\n\nPress any key to continue\n" + drawn.output()));
  }
}

}  // namespace
