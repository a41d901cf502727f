#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/panel.h"

enum class Operation { Add, Subtract, Multiply, Divide };

// Reads the two operands into x and y and prints x op y. A division by zero
// gives the IEEE-754 infinity or not-a-number, like any other result.
void calculate(CalculatorState& state, Console& console, Operation operation);

extern const Panel arithmetic_panel;
