#include "console/terminal_mode.h"

#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace {

// Shared with the signal handlers, which only read them and call
// async-signal-safe functions (tcsetattr, sigaction, sigprocmask, raise).
int terminal_fd = -1;
struct termios saved_settings;
struct termios key_settings;
volatile std::sig_atomic_t key_mode_on = 0;
// Set when the process is continued after a stop; taken by the key reader.
volatile std::sig_atomic_t resumed = 0;

// Signals that end the process: the terminal is restored first and the
// signal then raised again with its default action, so the parent sees the
// real cause of death.
constexpr int FATAL_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGABRT};

// With restart, an interrupted read simply goes on; without it, the read
// returns EINTR, which is how the key reader learns of a continue.
void set_handler(int signal_number, void (*handler)(int), bool restart = true) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = restart ? SA_RESTART : 0;
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
  set_handler(SIGTSTP, on_stop_signal, false);
  if (was_on) tcsetattr(terminal_fd, TCSANOW, &key_settings);
  errno = saved_errno;
}

void on_continue_signal(int /*signal_number*/) {
  // After a stop the program did not see coming (SIGSTOP), the shell may
  // have put its own settings on the terminal.
  const int saved_errno = errno;
  if (key_mode_on != 0) tcsetattr(terminal_fd, TCSANOW, &key_settings);
  resumed = 1;
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
  set_handler(SIGTSTP, on_stop_signal, false);
  set_handler(SIGCONT, on_continue_signal, false);
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

bool terminal_take_resumed() {
  if (resumed == 0) return false;
  resumed = 0;
  return true;
}

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
