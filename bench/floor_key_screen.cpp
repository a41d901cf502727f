// Floor for key to screen: the least a program can do to answer a key with a
// complete screen. It puts the terminal in key mode, shows the square-root
// panel, and then for every key read (one byte, one read) writes the whole
// cleared panel in one write. ESC or the end of the terminal ends it, with
// the terminal's own settings put back.

#include <fcntl.h>

#include "bench/floor_io.h"
#include "bench/screens.h"

int main() {
  const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) return 1;
  termios own{};
  if (tcgetattr(tty, &own) != 0) return 1;
  const termios key = floor_io::key_mode_of(own);
  tcsetattr(tty, TCSANOW, &key);

  const std::string_view screen =
      floor_io::screen_clears() ? screens::CLEARED_SQUARE_ROOT_PANEL : screens::SQUARE_ROOT_PANEL;
  int status = floor_io::write_all(STDOUT_FILENO, screen.data(), screen.size()) ? 0 : 1;
  for (;;) {
    char byte = 0;
    if (floor_io::read_some(tty, &byte, 1) <= 0 || byte == 27) break;
    if (!floor_io::write_all(STDOUT_FILENO, screen.data(), screen.size())) {
      status = 1;
      break;
    }
  }
  tcsetattr(tty, TCSANOW, &own);
  return status;
}
