#include "calculators/temperature.h"

#include <array>
#include <string_view>

namespace {

// 5/9 as the nearest double, used as a multiplier: the quotient itself is
// never formed.
constexpr double FIVE_NINTHS = 0.5555555555555556;
constexpr double FAHRENHEIT_OFFSET = 32.0;
constexpr double FAHRENHEIT_PER_CELSIUS = 1.8;
constexpr double KELVIN_OFFSET = 273.15;
constexpr double RANKINE_OFFSET = 459.67;
constexpr double RANKINE_AT_FREEZING = 491.67;

using Formula = double (*)(double);

// Each formula is evaluated left to right exactly as written; the build
// never fuses a multiplication with the addition after it.
struct Conversion {
  std::string_view target;
  Formula formula;
};

struct SourceScale {
  std::string_view name;
  std::string_view prompt;
  std::array<Conversion, 4> conversions;
};

const std::array<SourceScale, 5> SCALES = {{
    {"Fahrenheit",
     "Insert Fahrenheit degrees: ",
     {{{"Celsius", [](double x) { return (x - FAHRENHEIT_OFFSET) * FIVE_NINTHS; }},
       {"Kelvin", [](double x) { return (x - FAHRENHEIT_OFFSET) * FIVE_NINTHS + KELVIN_OFFSET; }},
       {"Rankine", [](double x) { return x + RANKINE_OFFSET; }},
       {"Reaumur", [](double x) { return (x - FAHRENHEIT_OFFSET) * 4 / 9; }}}}},
    {"Celsius",
     "Insert Celsius degrees: ",
     {{{"Fahrenheit", [](double x) { return FAHRENHEIT_PER_CELSIUS * x + FAHRENHEIT_OFFSET; }},
       {"Kelvin", [](double x) { return x + KELVIN_OFFSET; }},
       {"Rankine",
        [](double x) { return FAHRENHEIT_PER_CELSIUS * x + FAHRENHEIT_OFFSET + RANKINE_OFFSET; }},
       {"Reaumur", [](double x) { return 4 * x / 5; }}}}},
    {"Kelvin",
     "Insert Kelvin degrees: ",
     {{{"Fahrenheit",
        [](double x) { return (x - KELVIN_OFFSET) * FAHRENHEIT_PER_CELSIUS + FAHRENHEIT_OFFSET; }},
       {"Celsius", [](double x) { return x - KELVIN_OFFSET; }},
       {"Rankine", [](double x) { return FAHRENHEIT_PER_CELSIUS * x; }},
       {"Reaumur", [](double x) { return (x - KELVIN_OFFSET) * 4 / 5; }}}}},
    {"Rankine",
     "Insert Rankine degrees: ",
     {{{"Fahrenheit", [](double x) { return x - RANKINE_OFFSET; }},
       {"Celsius",
        [](double x) { return (x - RANKINE_OFFSET - FAHRENHEIT_OFFSET) * FIVE_NINTHS; }},
       {"Kelvin", [](double x) { return x / FAHRENHEIT_PER_CELSIUS; }},
       {"Reaumur", [](double x) { return (x - RANKINE_AT_FREEZING) * 4 / 9; }}}}},
    {"Reaumur",
     "Insert Reaumur degrees: ",
     {{{"Fahrenheit", [](double x) { return x * 9 / 4 + FAHRENHEIT_OFFSET; }},
       {"Celsius", [](double x) { return x * 5 / 4; }},
       {"Kelvin", [](double x) { return 1.25 * x + KELVIN_OFFSET; }},
       {"Rankine", [](double x) { return 2.25 * x + FAHRENHEIT_OFFSET + RANKINE_OFFSET; }}}}},
}};

template <TemperatureScale source>
void convert_from(CalculatorState& state, Console& console) {
  convert_temperature(state, console, source);
}

constexpr Paragraph PARAGRAPHS[] = {
    {"Digit '1' for Fahrenheit to Celsius    to Kelvin  to Rankine to Reaumur."},
    {"Digit '2' for Celsius    to Fahrenheit to Kelvin  to Rankine to Reaumur."},
    {"Digit '3' for Kelvin     to Fahrenheit to Celsius to Rankine to Reaumur."},
    {"Digit '4' for Rankine    to Fahrenheit to Celsius to Kelvin  to Reaumur."},
    {"Digit '5' for Reaumur    to Fahrenheit to Celsius to Kelvin  to Rankine."},
};

constexpr PanelAction ACTIONS[] = {
    {'1', convert_from<TemperatureScale::Fahrenheit>},
    {'2', convert_from<TemperatureScale::Celsius>},
    {'3', convert_from<TemperatureScale::Kelvin>},
    {'4', convert_from<TemperatureScale::Rankine>},
    {'5', convert_from<TemperatureScale::Reaumur>},
};

}  // namespace

void convert_temperature(CalculatorState& state, Console& console, TemperatureScale source) {
  const SourceScale& scale = SCALES[static_cast<std::size_t>(source)];
  read_number(console, scale.prompt, state.x);
  write_text(console, "\n\n(%.16g°) %s  =  ", state.x, scale.name);
  for (std::size_t i = 0; i < scale.conversions.size(); ++i) {
    const Conversion& conversion = scale.conversions[i];
    state.y = conversion.formula(state.x);
    if (i > 0) write_text(console, "\n\n(%.16g°) %s  =  ", state.x, scale.name);
    write_text(console, "(%.16g°) %s;\n", state.y, conversion.target);
  }
  write_text(console, "\n\n");
}

const Panel temperature_panel = {PARAGRAPHS, HINT_PARENTHESES, ACTIONS};
