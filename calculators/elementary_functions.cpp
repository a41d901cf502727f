#include "calculators/elementary_functions.h"

#include <cmath>

namespace {

constexpr Paragraph POWER_PARAGRAPHS[] = {
    {"Digit '1' to calculate x raised to the power of y."},
};
constexpr Paragraph LOGARITHM_PARAGRAPHS[] = {
    {"Digit '1' then the value whose base-10 logarithm and natural logarithm is to",
     "be found."},
};
constexpr Paragraph SQUARE_ROOT_PARAGRAPHS[] = {
    {"Digit '1' then the value whose square root is to be found."},
};
constexpr Paragraph ABSOLUTE_VALUE_PARAGRAPHS[] = {
    {"Digit '1' then insert the value to calculate it's absolute value."},
};

constexpr PanelAction POWER_ACTIONS[] = {{'1', calculate_power}};
constexpr PanelAction LOGARITHM_ACTIONS[] = {{'1', calculate_logarithms}};
constexpr PanelAction SQUARE_ROOT_ACTIONS[] = {{'1', calculate_square_root}};
constexpr PanelAction ABSOLUTE_VALUE_ACTIONS[] = {{'1', calculate_absolute_value}};

}  // namespace

void calculate_power(CalculatorState& state, Console& console) {
  read_number(console, "Insert x: ", state.x);
  read_number(console, "\n\nInsert y: ", state.y);
  write_text(console, "\n\n%.16g to the power of %.16g = %.16g;\n\n\n", state.x, state.y,
             std::pow(state.x, state.y));
}

void calculate_logarithms(CalculatorState& state, Console& console) {
  read_number(console, "Insert value: ", state.x);
  write_text(console, "\n\nThe logarithm, in base-10, of ( %.16g ) is %.16g;\n", state.x,
             std::log10(state.x));
  write_text(console, "\n\nThe natural logarithm of      ( %.16g ) is %.16g;\n\n\n", state.x,
             std::log(state.x));
}

void calculate_square_root(CalculatorState& state, Console& console) {
  read_number(console, "Insert value: ", state.x);
  write_text(console, "\n\nThe square root of %.16g is %.16g;\n\n\n", state.x,
             std::sqrt(state.x));
}

void calculate_absolute_value(CalculatorState& state, Console& console) {
  read_number(console, "Insert value: ", state.x);
  write_text(console, "\nThe absolute value of %.16g is %.16g\n\n", state.x, std::fabs(state.x));
}

const Panel power_panel = {POWER_PARAGRAPHS, HINT_LEFT_VALUES, POWER_ACTIONS};
const Panel logarithm_panel = {LOGARITHM_PARAGRAPHS, HINT_PARENTHESES, LOGARITHM_ACTIONS};
const Panel square_root_panel = {SQUARE_ROOT_PARAGRAPHS, HINT_LEFT_VALUE, SQUARE_ROOT_ACTIONS};
const Panel absolute_value_panel = {ABSOLUTE_VALUE_PARAGRAPHS, HINT_LEFT_VALUE,
                                    ABSOLUTE_VALUE_ACTIONS};
