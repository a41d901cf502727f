// Floor for start-up: the least a program can do to put the main menu on the
// screen. One write of the menu's bytes (cleared first on a terminal that
// clears), then exit.

#include "bench/floor_io.h"
#include "bench/screens.h"

int main() {
  const std::string_view screen =
      floor_io::screen_clears() ? screens::CLEARED_MAIN_MENU : screens::MAIN_MENU;
  return floor_io::write_all(STDOUT_FILENO, screen.data(), screen.size()) ? 0 : 1;
}
