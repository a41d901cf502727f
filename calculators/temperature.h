#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

enum class TemperatureScale { Fahrenheit, Celsius, Kelvin, Rankine, Reaumur };

// Reads a temperature of the source scale into x and prints it in the other
// four scales, leaving each result in y as it goes.
void convert_temperature(CalculatorState& state, Console& console, TemperatureScale source);

extern const Panel temperature_panel;
