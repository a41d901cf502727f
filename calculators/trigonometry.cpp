#include "calculators/trigonometry.h"

#include <cmath>

namespace {

constexpr Paragraph PARAGRAPHS[] = {
    {"Digit '1' then the value whose sine, cosine, tangent, with angles in degrees,",
     "radians, gradients is to be found, also hyperbolic."},
};

constexpr PanelAction ACTIONS[] = {{'1', calculate_trigonometry}};

// The value as entered stands in the parentheses; the functions take the
// angle in radians.
void write_circular(Console& console, double entered, double radians) {
  write_text(console, "The sine of               ( %.16g )  is  %.16g;\n", entered,
             std::sin(radians));
  write_text(console, "The cosine of             ( %.16g )  is  %.16g;\n", entered,
             std::cos(radians));
  write_text(console, "The tangent of            ( %.16g )  is  %.16g;\n", entered,
             std::tan(radians));
}

}  // namespace

void calculate_trigonometry(CalculatorState& state, Console& console) {
  read_number(console, "Insert value: ", state.x);
  // The quotient is formed first: (pi / 180) * x, never pi * x / 180.
  state.y = (CalculatorState::pi / 180) * state.x;
  write_text(console, "\nCalculating angle in Degrees:\n");
  write_circular(console, state.x, state.y);
  write_text(console, "\nCalculating angle in Radians:\n");
  write_circular(console, state.x, state.x);
  state.y = (CalculatorState::pi / 200) * state.x;
  write_text(console, "\nCalculating angle in Gradients:\n");
  write_circular(console, state.x, state.y);
  // Once, on the value as entered: no unit applies.
  write_text(console, "\nHyperbolic for angle in Degrees, Radians, Gradients:\n");
  write_text(console, "The hyperbolic sine of    ( %.16g )  is  %.16g;\n", state.x,
             std::sinh(state.x));
  write_text(console, "The hyperbolic cosine of  ( %.16g )  is  %.16g;\n", state.x,
             std::cosh(state.x));
  write_text(console, "The hyperbolic tangent of ( %.16g )  is  %.16g;\n\n\n", state.x,
             std::tanh(state.x));
}

const Panel trigonometry_panel = {PARAGRAPHS, HINT_PARENTHESES, ACTIONS};
