#include "console/posix_console.h"
#include "shell/calculator_state.h"
#include "shell/main_menu.h"

int main() {
  CalculatorState state;
  {
    PosixConsole console;  // its destructor flushes and restores the terminal
    run_main_menu(state, console);
  }
  return 0;
}
