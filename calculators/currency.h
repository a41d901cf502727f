#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

// Lire per euro, fixed since the lira was retired.
inline constexpr double EURO_TO_LIRA = 1936.27;

void convert_euro_to_lira(CalculatorState& state, Console& console);
void convert_lira_to_euro(CalculatorState& state, Console& console);

extern const Panel currency_panel;
