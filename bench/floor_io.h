#pragma once

// The few system calls the floor programs share: whole writes, reads that
// survive signals, whether the screen may be cleared, and the key mode of a
// terminal. Header-only, so that every floor is a single small program.

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <termios.h>
#include <unistd.h>

namespace floor_io {

inline bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t done = ::write(fd, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
}

inline long read_some(int fd, char* into, std::size_t capacity) {
  for (;;) {
    const ssize_t got = ::read(fd, into, capacity);
    if (got >= 0 || errno != EINTR) return got;
  }
}

// The clear sequence goes only to a terminal that understands it.
inline bool screen_clears() {
  if (isatty(STDOUT_FILENO) == 0) return false;
  const char* term = std::getenv("TERM");
  return term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

// Key mode: no line editing, no echo, no signal keys, no flow control, CR
// left as typed; one byte satisfies a read.
inline termios key_mode_of(const termios& own) {
  termios key = own;
  key.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
  key.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
  key.c_cc[VMIN] = 1;
  key.c_cc[VTIME] = 0;
  return key;
}

}  // namespace floor_io
