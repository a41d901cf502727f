#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

// Results in radians. The arcsine prompt asks for -1 to 1 but takes any
// value: outside that range the results are not-a-number.
void calculate_arcsine(CalculatorState& state, Console& console);
// The arctangent of x, then atan2(x, y) for a second value read into y.
void calculate_arctangent(CalculatorState& state, Console& console);

extern const Panel arcsine_panel;
extern const Panel arctangent_panel;
