#include "support/pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// A test writing into a pipe whose reader has ended must see EPIPE, not die.
void ignore_broken_pipes() {
  static const bool done = [] {
    std::signal(SIGPIPE, SIG_IGN);
    return true;
  }();
  (void)done;
}

int milliseconds_left(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Duration::zero()) return 0;
  // Rounded up, so that a wait never ends just short of the deadline.
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

// The environment of the program: ours, with TERM as asked.
class Environment {
 public:
  explicit Environment(const std::optional<std::string>& term) {
    for (char** entry = environ; *entry != nullptr; ++entry) {
      if (std::strncmp(*entry, "TERM=", 5) != 0) strings_.emplace_back(*entry);
    }
    if (term) strings_.push_back("TERM=" + *term);
    for (std::string& text : strings_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
  }
  char* const* get() const { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

// In a child: the signal state of a freshly started program (default
// actions, nothing blocked, `ignored` ignored), no core files, then the
// program itself.
[[noreturn]] void exec_program(char* const* envp, const std::vector<int>& ignored) {
  for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
    std::signal(signal_number, SIG_DFL);
  }
  for (const int signal_number : ignored) std::signal(signal_number, SIG_IGN);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  const rlimit no_core{0, 0};
  setrlimit(RLIMIT_CORE, &no_core);
  char* const argv[] = {const_cast<char*>(ORVCALC_BINARY), nullptr};
  execve(ORVCALC_BINARY, argv, envp);
  _exit(127);
}

void write_all(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t done = ::write(fd, bytes, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return;
    }
    bytes += done;
    size -= static_cast<std::size_t>(done);
  }
}

// In the child that leads the terminal's session: what an interactive shell
// does for a foreground job. The program gets a process group of its own and
// the terminal; every change of its state is reported on `report`.
[[noreturn]] void run_as_job(int report, char* const* envp, const std::vector<int>& ignored) {
  const pid_t job = fork();
  if (job < 0) _exit(126);
  if (job == 0) {
    setpgid(0, 0);
    std::signal(SIGTTOU, SIG_IGN);  // taking the terminal from the background
    tcsetpgrp(STDIN_FILENO, getpid());
    exec_program(envp, ignored);
  }
  setpgid(job, job);  // also here, whichever of the two runs first
  write_all(report, &job, sizeof job);
  for (;;) {
    int raw = 0;
    if (waitpid(job, &raw, WUNTRACED | WCONTINUED) < 0) {
      if (errno == EINTR) continue;
      _exit(1);
    }
    write_all(report, &raw, sizeof raw);
    if (WIFEXITED(raw) || WIFSIGNALED(raw)) _exit(0);
  }
}

bool read_exact(int fd, void* into, std::size_t size, Clock::time_point deadline) {
  char* bytes = static_cast<char*>(into);
  while (size > 0) {
    pollfd ready{fd, POLLIN, 0};
    const int polled = ::poll(&ready, 1, milliseconds_left(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    const ssize_t got = ::read(fd, bytes, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

bool is_end(const ProcessStatus& status) {
  return status.kind == ProcessStatus::Kind::exited || status.kind == ProcessStatus::Kind::killed;
}

}  // namespace

ProcessStatus ProcessStatus::from_wait_status(int raw) {
  if (WIFEXITED(raw)) return {Kind::exited, WEXITSTATUS(raw)};
  if (WIFSIGNALED(raw)) return {Kind::killed, WTERMSIG(raw)};
  if (WIFSTOPPED(raw)) return {Kind::stopped, WSTOPSIG(raw)};
  if (WIFCONTINUED(raw)) return {Kind::continued, SIGCONT};
  return {};
}

std::string describe(const ProcessStatus& status) {
  switch (status.kind) {
    case ProcessStatus::Kind::running:
      return "still running";
    case ProcessStatus::Kind::exited:
      return "exited with status " + std::to_string(status.value);
    case ProcessStatus::Kind::killed:
      return std::string("killed by ") + sigabbrev_np(status.value);
    case ProcessStatus::Kind::stopped:
      return std::string("stopped by ") + sigabbrev_np(status.value);
    case ProcessStatus::Kind::continued:
      return "continued";
  }
  return "?";
}

void PrintTo(const ProcessStatus& status, std::ostream* out) { *out << describe(status); }

PtySession::PtySession(PtyOptions options) {
  ignore_broken_pipes();
  const Environment environment(options.term);
  int gate[2];
  if (pipe2(gate, O_CLOEXEC) != 0) fail("pipe2");
  int events[2] = {-1, -1};
  if (options.as_job && pipe2(events, O_CLOEXEC) != 0) fail("pipe2");
  winsize size{};
  size.ws_row = options.rows;
  size.ws_col = options.columns;

  child_ = forkpty(&master_, nullptr, nullptr, &size);
  if (child_ < 0) fail("forkpty");
  if (child_ == 0) {
    // Held here until the parent has seen the terminal as it was before.
    char go = 0;
    while (::read(gate[0], &go, 1) < 0 && errno == EINTR) {
    }
    if (options.as_job) run_as_job(events[1], environment.get(), options.ignored_signals);
    exec_program(environment.get(), options.ignored_signals);
  }

  ::close(gate[0]);
  const bool got_settings = tcgetattr(master_, &settings_at_start_) == 0;
  write_all(gate[1], "", 1);
  ::close(gate[1]);
  if (!got_settings) fail("tcgetattr");

  if (!options.as_job) {
    program_ = child_;
    return;
  }
  ::close(events[1]);
  job_events_ = events[0];
  if (!read_exact(job_events_, &program_, sizeof program_, Clock::now() + DEFAULT_TIMEOUT)) {
    fail("starting the job");
  }
}

PtySession::~PtySession() {
  if (!ended_ && program_ > 0) {
    ::kill(program_, SIGKILL);
    wait_exit();
  }
  if (master_ >= 0) ::close(master_);
  if (job_events_ >= 0) ::close(job_events_);
  if (child_ > 0 && child_ != program_) {
    ::kill(child_, SIGKILL);
    while (waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
}

void PtySession::type(std::string_view bytes) {
  if (master_ < 0) throw std::runtime_error("typing into a terminal that was hung up");
  write_all(master_, bytes.data(), bytes.size());
}

bool PtySession::type_line(std::string_view line, Duration timeout) {
  const bool line_mode = wait_for_settings(
      [this](const termios& now) { return same_settings(now, settings_at_start_); }, timeout);
  if (line_mode) type(line);
  return line_mode;
}

bool PtySession::read_more(TimePoint deadline) {
  if (master_ < 0 || master_ended_) return false;
  for (;;) {
    pollfd ready{master_, POLLIN, 0};
    const int polled = ::poll(&ready, 1, milliseconds_left(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    char buffer[4096];
    const ssize_t got = ::read(master_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {  // EIO: no process has the terminal open any more
      master_ended_ = true;
      return false;
    }
    kept_.append(buffer, static_cast<std::size_t>(got));
    return true;
  }
}

std::string PtySession::read_until(std::string_view text, Duration timeout) {
  const auto deadline = Clock::now() + timeout;
  std::size_t searched = 0;
  for (;;) {
    const std::size_t from = searched >= text.size() ? searched - text.size() + 1 : 0;
    if (const std::size_t at = kept_.find(text, from); at != std::string::npos) {
      const std::size_t end = at + text.size();
      std::string found = kept_.substr(0, end);
      kept_.erase(0, end);
      return found;
    }
    searched = kept_.size();
    if (!read_more(deadline)) return std::exchange(kept_, {});
  }
}

std::string PtySession::read_for(Duration period) {
  const auto deadline = Clock::now() + period;
  while (read_more(deadline)) {
  }
  return std::exchange(kept_, {});
}

termios PtySession::settings() const {
  termios now{};
  if (master_ < 0 || tcgetattr(master_, &now) != 0) fail("tcgetattr");
  return now;
}

void PtySession::set_settings(const termios& settings) {
  if (master_ < 0 || tcsetattr(master_, TCSANOW, &settings) != 0) fail("tcsetattr");
}

bool PtySession::wait_for_settings(const std::function<bool(const termios&)>& wanted,
                                   Duration timeout) const {
  const auto deadline = Clock::now() + timeout;
  while (!wanted(settings())) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

void PtySession::send_signal(int signal_number) const {
  if (::kill(program_, signal_number) != 0) fail("kill");
}

std::optional<ProcessStatus> PtySession::next_change(TimePoint deadline) {
  if (ended_) return std::nullopt;
  std::optional<ProcessStatus> change;
  if (job_events_ >= 0) {
    int raw = 0;
    if (read_exact(job_events_, &raw, sizeof raw, deadline)) {
      change = ProcessStatus::from_wait_status(raw);
    }
  } else {
    for (;;) {
      int raw = 0;
      const pid_t got = waitpid(child_, &raw, WNOHANG | WUNTRACED | WCONTINUED);
      if (got == child_) {
        change = ProcessStatus::from_wait_status(raw);
        break;
      }
      if (got < 0 && errno != EINTR) break;
      if (Clock::now() >= deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  if (change && is_end(*change)) {
    ended_ = true;
    end_status_ = *change;
  }
  return change;
}

ProcessStatus PtySession::wait_change(Duration timeout) {
  return next_change(Clock::now() + timeout).value_or(ProcessStatus{});
}

ProcessStatus PtySession::wait_exit(Duration timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!ended_) {
    if (!next_change(deadline)) break;
  }
  return ended_ ? end_status_ : ProcessStatus{};
}

void PtySession::hang_up() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

bool same_settings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_line == b.c_line &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0 && cfgetispeed(&a) == cfgetispeed(&b) &&
         cfgetospeed(&a) == cfgetospeed(&b);
}

std::string describe(const termios& settings) {
  char text[128];
  std::snprintf(text, sizeof text, "iflag=%#o oflag=%#o cflag=%#o lflag=%#o cc=",
                settings.c_iflag, settings.c_oflag, settings.c_cflag, settings.c_lflag);
  std::string out = text;
  for (const cc_t c : settings.c_cc) {
    std::snprintf(text, sizeof text, "%02x", c);
    out += text;
  }
  return out;
}

bool in_key_mode(const termios& settings) {
  return (settings.c_lflag & (ICANON | ECHO | ISIG)) == 0 &&
         (settings.c_iflag & (IXON | ICRNL)) == 0;
}

ScriptedRun run_without_terminal(std::string_view input, Duration timeout) {
  ignore_broken_pipes();
  const Environment environment(std::string("xterm"));
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
    fail("pipe2");
  }
  const pid_t child = fork();
  if (child < 0) fail("fork");
  if (child == 0) {
    setsid();  // a new session has no controlling terminal
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    exec_program(environment.get(), {});
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  fcntl(in[1], F_SETFL, O_NONBLOCK);

  ScriptedRun run;
  const auto deadline = Clock::now() + timeout;
  int to_child = input.empty() ? (::close(in[1]), -1) : in[1];
  int from_out = out[0];
  int from_err = err[0];
  while ((from_out >= 0 || from_err >= 0) && Clock::now() < deadline) {
    pollfd fds[3] = {{to_child, POLLOUT, 0}, {from_out, POLLIN, 0}, {from_err, POLLIN, 0}};
    const int polled = ::poll(fds, 3, milliseconds_left(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) break;
    if (fds[0].revents != 0) {
      const ssize_t done = ::write(to_child, input.data(), input.size());
      if (done > 0) input.remove_prefix(static_cast<std::size_t>(done));
      if ((done < 0 && errno != EAGAIN && errno != EINTR) || input.empty()) {
        ::close(to_child);  // the end of input
        to_child = -1;
      }
    }
    for (const int index : {1, 2}) {
      if (fds[index].revents == 0) continue;
      int& fd = index == 1 ? from_out : from_err;
      std::string& into = index == 1 ? run.out : run.err;
      char buffer[4096];
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got > 0) {
        into.append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(fd);
        fd = -1;
      }
    }
  }
  for (const int fd : {to_child, from_out, from_err}) {
    if (fd >= 0) ::close(fd);
  }

  for (;;) {
    int raw = 0;
    const pid_t got = waitpid(child, &raw, WNOHANG);
    if (got == child) {
      run.status = ProcessStatus::from_wait_status(raw);
      return run;
    }
    if (got < 0 && errno != EINTR) fail("waitpid");
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ::kill(child, SIGKILL);  // did not end in time: reported as still running
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  run.status = ProcessStatus{};
  return run;
}

std::string crlf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string screen(std::string_view text) { return std::string(CLEAR_SCREEN) + crlf(text); }
