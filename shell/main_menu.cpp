#include "shell/main_menu.h"

#include "console/primitives.h"
#include "shell/dispatch_table.h"
#include "shell/panel.h"

namespace {

constexpr int KEY_ESC = 27;

constexpr std::string_view MAIN_MENU_TEXT =
    "Orvane's Calculator V1.9\n\n"
    "Digit '1': Temperature converter for Fahrenheit, Celsius, Kelvin, Rankine, Reaumur.\n"
    "Digit '2': Euro to Italian Lira converter.\n"
    "Digit '3': Calculates x raised to the power of y.\n"
    "Digit '4': Calculates logarithms, both base-10, and natural.\n"
    "Digit '5': Calculates square roots.\n"
    "Digit '6': Calculates sines, cosines, tangents, with angles in degrees, radians\n"
    "and gradients, also hyperbolic.\n"
    "Digit '7': For a simple calculator (+, -, *, /).\n"
    "Digit '8': Calculates the absolute value of a given number.\n"
    "Digit '9': Calculates the arcsine and arccosine of a given number.\n"
    "Digit 'a': Calculates the arctangent of x and the arctangent of y/x.\n"
    "Digit 'b': Calculate Bessel functions _j0, _j1, _jn, _y0, _y1, _yn.\n"
    "\n\n\nPress ESC to quit.";

constexpr std::string_view QUIT_QUESTION =
    "Press ESC again to quit, or any other key to go back to main menu.\n";

void draw_main_menu(Console& console) {
  clear_screen(console);
  console.write(MAIN_MENU_TEXT);
}

}  // namespace

bool confirm_quit(Console& console) {
  clear_screen(console);
  console.write(QUIT_QUESTION);
  const int key = read_key(console);
  return key == KEY_ESC || key == KEY_END_OF_INPUT;
}

void run_main_menu(CalculatorState& state, Console& console) {
  for (;;) {
    draw_main_menu(console);
    for (;;) {
      const int key = read_key(console);
      if (key == KEY_END_OF_INPUT) return;
      if (key == KEY_ESC) {
        if (confirm_quit(console)) return;
        break;
      }
      if (const Panel* panel = panel_for_key(key)) {
        if (!run_panel(*panel, state, console)) return;
        break;
      }
      // Any other key: nothing happens, nothing is written.
    }
  }
}
