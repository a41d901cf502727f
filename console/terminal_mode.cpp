#include "console/terminal_mode.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <termios.h>
#include <unistd.h>

namespace {

// Shared with the signal handlers, which only read them and call
// async-signal-safe functions (tcsetattr, sigaction, sigprocmask, raise).
int terminal_fd = -1;
struct termios saved_settings;
struct termios key_settings;
volatile std::sig_atomic_t key_mode_on = 0;
// The screen shown while a key is awaited (null otherwise): nothing changes
// it then, so the continue handler may write it out again.
const char* volatile waiting_screen = nullptr;
volatile std::size_t waiting_screen_size = 0;

// Signals that end the process: the terminal is restored first and the
// signal then raised again with its default action, so the parent sees the
// real cause of death.
constexpr int FATAL_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGABRT};

void set_handler(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal_number, &action, nullptr);
}

void unblock(int signal_number) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal_number);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

void restore_saved() {
  if (terminal_fd >= 0) tcsetattr(terminal_fd, TCSANOW, &saved_settings);
}

void on_fatal_signal(int signal_number) {
  const int saved_errno = errno;
  if (key_mode_on != 0) restore_saved();
  set_handler(signal_number, SIG_DFL);
  unblock(signal_number);
  (void)raise(signal_number);  // the default action ends the process here
  // raise returns for a signal whose default is to be ignored.
  // cppcheck-suppress unreachableCode
  errno = saved_errno;  // only reached for a signal whose default is ignored
}

void on_stop_signal(int /*signal_number*/) {
  const int saved_errno = errno;
  const bool was_on = key_mode_on != 0;
  if (was_on) restore_saved();
  set_handler(SIGTSTP, SIG_DFL);
  unblock(SIGTSTP);
  (void)raise(SIGTSTP);  // the process stops here until SIGCONT
  // raise returns once the process is continued.
  // cppcheck-suppress unreachableCode
  set_handler(SIGTSTP, on_stop_signal);
  if (was_on) tcsetattr(terminal_fd, TCSANOW, &key_settings);
  errno = saved_errno;
}

void on_continue_signal(int /*signal_number*/) {
  // After a stop the program did not see coming (SIGSTOP), the shell may
  // have put its own settings on the terminal.
  const int saved_errno = errno;
  if (key_mode_on != 0) tcsetattr(terminal_fd, TCSANOW, &key_settings);
  // The shell has written over the screen while the program was stopped.
  const char* screen = waiting_screen;
  std::size_t left = waiting_screen_size;
  while (screen != nullptr && left > 0) {
    const ssize_t done = write(STDOUT_FILENO, screen, left);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) break;
    screen += done;
    left -= static_cast<std::size_t>(done);
  }
  errno = saved_errno;
}

}  // namespace

bool terminal_attach(int fd) {
  if (tcgetattr(fd, &saved_settings) != 0) return false;
  key_settings = saved_settings;
  key_settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
  key_settings.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
  key_settings.c_cc[VMIN] = 1;
  key_settings.c_cc[VTIME] = 0;
  terminal_fd = fd;
  for (const int signal_number : FATAL_SIGNALS) {
    struct sigaction current {};
    sigaction(signal_number, nullptr, &current);
    // A signal ignored by whoever started us stays ignored (nohup).
    if (current.sa_handler != SIG_IGN) set_handler(signal_number, on_fatal_signal);
  }
  set_handler(SIGTSTP, on_stop_signal);
  set_handler(SIGCONT, on_continue_signal);
  return true;
}

void terminal_enter_key_mode() {
  if (terminal_fd < 0 || key_mode_on != 0) return;
  key_mode_on = 1;
  tcsetattr(terminal_fd, TCSANOW, &key_settings);
}

void terminal_leave_key_mode() {
  if (terminal_fd < 0 || key_mode_on == 0) return;
  tcsetattr(terminal_fd, TCSANOW, &saved_settings);
  key_mode_on = 0;
}

void terminal_waiting_with_screen(std::string_view screen) {
  waiting_screen = nullptr;
  waiting_screen_size = screen.size();
  waiting_screen = screen.data();
}

void terminal_done_waiting() { waiting_screen = nullptr; }

void terminal_detach() {
  if (terminal_fd < 0) return;
  terminal_leave_key_mode();
  for (const int signal_number : FATAL_SIGNALS) {
    struct sigaction current {};
    sigaction(signal_number, nullptr, &current);
    if (current.sa_handler == on_fatal_signal) set_handler(signal_number, SIG_DFL);
  }
  set_handler(SIGTSTP, SIG_DFL);
  set_handler(SIGCONT, SIG_DFL);
  terminal_fd = -1;
}
