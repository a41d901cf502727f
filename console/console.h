#pragma once

#include <string_view>

// Key code read_key gives when no key can ever be read again: scripted input
// is exhausted, or the terminal has gone away. The menus end the run on it.
inline constexpr int KEY_END_OF_INPUT = -1;

// The program's one window on the outside world: the real terminal in the
// program, a scripted console in the tests. Everything else reaches the
// screen and the keyboard through the primitives built on this seam.
class Console {
 public:
  Console() = default;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  virtual ~Console() = default;

  // Queues bytes for the screen. Output reaches the screen no later than the
  // next read that has to wait for input.
  virtual void write(std::string_view bytes) = 0;
  // Empties the window and homes the cursor, where the screen allows it.
  virtual void clear() = 0;
  // The next key code; a special key gives its prefix code and then its
  // second code on the following call. KEY_END_OF_INPUT when none can come.
  virtual int read_key_code() = 0;
  // Reads one line from standard input the way fgets does: at most limit - 1
  // bytes, stopping after a newline, then a terminating zero. False when not
  // a single byte could be read (end of input or error).
  virtual bool read_line(char* buffer, int limit) = 0;
};
