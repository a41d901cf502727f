#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

// Reads x and prints the Bessel functions of the first and second kind of
// orders 0 to 4 at x, as a tab-separated table.
void calculate_bessel_table(CalculatorState& state, Console& console);

extern const Panel bessel_panel;
