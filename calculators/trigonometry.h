#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

// Reads a value into x and prints its sine, cosine and tangent as an angle
// in degrees, radians and gradians, then its hyperbolic functions. y is left
// holding the angle converted from gradians.
void calculate_trigonometry(CalculatorState& state, Console& console);

extern const Panel trigonometry_panel;
