#include "calculators/inverse_trigonometry.h"

#include <cmath>

namespace {

constexpr Paragraph ARCSINE_PARAGRAPHS[] = {
    {"Digit '1' Calculates the arcsine and arccosine of a given number."},
};
constexpr Paragraph ARCTANGENT_PARAGRAPHS[] = {
    {"Digit '1' Calculates the arctangent of x and the arctangent of y/x."},
};

constexpr PanelAction ARCSINE_ACTIONS[] = {{'1', calculate_arcsine}};
constexpr PanelAction ARCTANGENT_ACTIONS[] = {{'1', calculate_arctangent}};

}  // namespace

// These results follow the echoed input line directly, with no blank line.
void calculate_arcsine(CalculatorState& state, Console& console) {
  read_number(console, "Enter a real number between -1 and 1: ", state.x);
  write_text(console, "Arcsine of %.16g = %.16g\n", state.x, std::asin(state.x));
  write_text(console, "Arccosine of %.16g = %.16g\n", state.x, std::acos(state.x));
}

void calculate_arctangent(CalculatorState& state, Console& console) {
  read_number(console, "Enter a real number: ", state.x);
  write_text(console, "Arctangent of %.16g : %.16g\n", state.x, std::atan(state.x));
  read_number(console, "Enter a second real number: ", state.y);
  write_text(console, "Arctangent of %.16g / %.16g: %.16g\n", state.x, state.y,
             std::atan2(state.x, state.y));
}

const Panel arcsine_panel = {ARCSINE_PARAGRAPHS, HINT_LEFT_VALUE, ARCSINE_ACTIONS};
const Panel arctangent_panel = {ARCTANGENT_PARAGRAPHS, HINT_LEFT_VALUE, ARCTANGENT_ACTIONS};
