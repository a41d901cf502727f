#include "console/posix_console.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "console/terminal_mode.h"

namespace {

constexpr std::string_view CLEAR_SEQUENCE = "\x1b[H\x1b[2J";

bool write_all(int fd, const char* data, std::size_t size) {
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

long read_some(int fd, char* into, std::size_t capacity) {
  for (;;) {
    const ssize_t got = ::read(fd, into, capacity);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool terminal_allows_clearing() {
  if (isatty(STDOUT_FILENO) == 0) return false;
  const char* term = std::getenv("TERM");
  return term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

// True when fd is the controlling terminal of this process (the one /dev/tty
// opens), as opposed to a pipe, a file or some other terminal.
bool is_controlling_terminal(int fd) {
  if (isatty(fd) == 0) return false;
  const pid_t session = tcgetsid(fd);
  return session != -1 && session == getsid(0);
}

}  // namespace

// The output buffer is left uninitialised: only bytes written are sent.
// cppcheck-suppress uninitMemberVar
PosixConsole::PosixConsole() {
  clears_screen_ = terminal_allows_clearing();
  const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0) {
    if (terminal_attach(fd)) {
      tty_fd_ = fd;
      lines_from_terminal_ = is_controlling_terminal(STDIN_FILENO);
      terminal_enter_key_mode();
      keeps_screen_ = clears_screen_;
      if (keeps_screen_) screen_.reserve(SCREEN_CAPACITY);
    } else {
      ::close(fd);
    }
  }
}

PosixConsole::~PosixConsole() {
  flush();
  if (tty_fd_ >= 0) {
    terminal_detach();
    ::close(tty_fd_);
  }
}

void PosixConsole::write(std::string_view bytes) {
  if (bytes.empty()) return;  // an empty view may have no data behind it
  remember(bytes);
  if (bytes.size() > OUT_CAPACITY - out_size_) {
    flush();
    if (bytes.size() > OUT_CAPACITY) {
      write_all(STDOUT_FILENO, bytes.data(), bytes.size());
      return;
    }
  }
  std::memcpy(out_ + out_size_, bytes.data(), bytes.size());
  out_size_ += bytes.size();
}

void PosixConsole::flush() {
  if (out_size_ == 0) return;
  write_all(STDOUT_FILENO, out_, out_size_);
  out_size_ = 0;
}

void PosixConsole::clear() {
  if (!clears_screen_) return;
  screen_.clear();
  screen_whole_ = true;
  write(CLEAR_SEQUENCE);
}

void PosixConsole::remember(std::string_view bytes) {
  if (!keeps_screen_ || !screen_whole_) return;
  if (bytes.size() > SCREEN_CAPACITY - screen_.size()) {
    screen_whole_ = false;
    return;
  }
  screen_ += bytes;
}


long PosixConsole::refill_input(void* context, char* into, std::size_t capacity) {
  auto& self = *static_cast<PosixConsole*>(context);
  if (self.lines_from_terminal_) return self.read_terminal_line(into, capacity);
  self.flush();  // the read may wait: whatever was written must be visible
  return read_some(STDIN_FILENO, into, capacity);
}

// Bytes typed before the prompt showed arrived in key mode: not echoed, and
// Enter came as CR. They are the start of the line, in the order typed, so
// they are taken here one byte at a time (never past the end of the line,
// whatever follows is keys again) and echoed as the terminal would have.
std::size_t PosixConsole::take_typed_ahead(char* into, std::size_t capacity) {
  int pending = 0;
  if (::ioctl(STDIN_FILENO, FIONREAD, &pending) != 0) return 0;
  std::size_t taken = 0;
  while (taken < capacity && pending-- > 0) {
    char byte = 0;
    if (read_some(STDIN_FILENO, &byte, 1) != 1) break;
    if (byte == '\r') byte = '\n';
    into[taken++] = byte;
    if (byte == '\n' || static_cast<unsigned char>(byte) >= 0x20) write(std::string_view(&byte, 1));
    if (byte == '\n') break;
  }
  return taken;
}

// A line typed on the terminal, in the terminal's own mode: echoed and
// editable. Key mode is left before the prompt is flushed, so that nothing
// typed once the prompt shows misses the echo.
long PosixConsole::read_terminal_line(char* into, std::size_t capacity) {
  const std::size_t taken = take_typed_ahead(into, capacity);
  if (taken > 0 && (into[taken - 1] == '\n' || taken == capacity)) {
    flush();
    return static_cast<long>(taken);
  }
  terminal_leave_key_mode();
  flush();
  const long got = read_some(STDIN_FILENO, into + taken, capacity - taken);
  terminal_enter_key_mode();
  if (got <= 0) return taken > 0 ? static_cast<long>(taken) : got;
  const std::size_t total = taken + static_cast<std::size_t>(got);
  remember(std::string_view(into + taken, static_cast<std::size_t>(got)));  // the terminal's echo
  // Bytes that came during the switch were still received in key mode, with
  // Enter as CR; the terminal hands them over as one line.
  std::replace(into + taken, into + total, '\r', '\n');
  return static_cast<long>(total);
}

int PosixConsole::read_key_code() {
  if (tty_fd_ < 0) {
    const int byte = input_.get();
    return byte < 0 ? KEY_END_OF_INPUT : byte;
  }
  while (next_decoded_ == decoded_.count) {
    if (terminal_gone_) return KEY_END_OF_INPUT;
    decoded_ = KeyCodes{};
    next_decoded_ = 0;
    const int status = read_terminal_key();
    if (status < 0) terminal_gone_ = true;
  }
  return decoded_.codes[static_cast<std::size_t>(next_decoded_++)];
}

// Reads the bytes of one key from the terminal, one byte per read so that
// nothing typed for a later line is taken, and decodes them into decoded_.
// Returns -1 when the terminal has gone away.
int PosixConsole::read_terminal_key() {
  // Nothing is written while the key is awaited: the screen is what it shows.
  // It is handed over before it is flushed, so that a stop at any point from
  // here on finds it (at worst it is drawn twice).
  if (keeps_screen_ && screen_whole_) terminal_waiting_with_screen(screen_);
  flush();
  const int status = decode_terminal_key();
  terminal_done_waiting();
  return status;
}

// The loop of read_terminal_key: bytes in, codes out.
int PosixConsole::decode_terminal_key() {
  using Clock = std::chrono::steady_clock;
  auto last_byte = Clock::now();
  for (;;) {
    if (decoder_.pending()) {
      struct pollfd ready {tty_fd_, POLLIN, 0};
      const auto wait_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
          KeyDecoder::ESC_WAIT);
      const int polled = ::poll(&ready, 1, static_cast<int>(wait_ms.count()));
      if (polled < 0 && errno == EINTR) continue;
      if (polled == 0) {
        decoded_ = decoder_.timeout();
        if (decoded_.count > 0) return 0;
        continue;
      }
    }
    char byte = 0;
    const long got = read_some(tty_fd_, &byte, 1);
    if (got <= 0) {
      decoded_ = decoder_.timeout();
      return -1;
    }
    const auto now = Clock::now();
    // The byte came within the wait when poll said so; the clock only
    // matters for a byte read without a wait.
    auto since = std::chrono::duration_cast<KeyDecoder::Duration>(now - last_byte);
    if (since > KeyDecoder::ESC_WAIT) since = KeyDecoder::ESC_WAIT;
    last_byte = now;
    decoded_ = decoder_.feed(static_cast<unsigned char>(byte), since);
    if (decoded_.count > 0) return 0;
  }
}

bool PosixConsole::read_line(char* buffer, int limit) {
  return input_.get_line(buffer, limit);
}
