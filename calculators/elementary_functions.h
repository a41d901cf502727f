#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

// Power, logarithms, square root and absolute value: one panel each, one
// action each. Outside a function's domain the result is the maths
// library's infinity or not-a-number; nothing is checked.
void calculate_power(CalculatorState& state, Console& console);
void calculate_logarithms(CalculatorState& state, Console& console);
void calculate_square_root(CalculatorState& state, Console& console);
void calculate_absolute_value(CalculatorState& state, Console& console);

extern const Panel power_panel;
extern const Panel logarithm_panel;
extern const Panel square_root_panel;
extern const Panel absolute_value_panel;
