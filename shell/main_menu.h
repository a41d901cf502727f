#pragma once

#include "console/console.h"
#include "shell/calculator_state.h"

// Shows the main menu and sends each menu key to its panel until the user
// confirms quitting or input ends.
void run_main_menu(CalculatorState& state, Console& console);

// Asks for a second ESC. True means quit (also when input has ended).
bool confirm_quit(Console& console);
