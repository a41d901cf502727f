#pragma once

// Runs the real program the way a person does: on a pseudo-terminal of its
// own, typing bytes into it and reading what reaches the screen. Also runs
// it the way a script does: no terminal at all, standard input a pipe.

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "support/expected_screens.h"

using Duration = std::chrono::steady_clock::duration;
inline constexpr Duration DEFAULT_TIMEOUT = std::chrono::seconds(5);

// What became of a process, as waitpid tells it.
struct ProcessStatus {
  enum class Kind { running, exited, killed, stopped, continued };
  Kind kind = Kind::running;
  int value = 0;  // exit code, or the signal that killed or stopped it

  static ProcessStatus from_wait_status(int raw);
  static ProcessStatus exited_with(int code) { return {Kind::exited, code}; }
  static ProcessStatus killed_by(int signal_number) { return {Kind::killed, signal_number}; }

  bool operator==(const ProcessStatus&) const = default;
};
std::string describe(const ProcessStatus& status);
void PrintTo(const ProcessStatus& status, std::ostream* out);

struct PtyOptions {
  unsigned short columns = 80;
  unsigned short rows = 24;
  // TERM for the program; nullopt leaves it unset. The rest of the
  // environment is inherited.
  std::optional<std::string> term = "xterm";
  // Signals the program starts with ignored, as under nohup.
  std::vector<int> ignored_signals;
  // Start the program as a foreground job of a small shell that leads the
  // terminal's session, as an interactive shell would. Without it the
  // program leads the session itself, and its process group is orphaned, so
  // the kernel drops the stop signals SIGTSTP, SIGTTIN and SIGTTOU sent to
  // it: job control can only be tested as a job.
  bool as_job = false;
};

class PtySession {
 public:
  explicit PtySession(PtyOptions options = {});
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  pid_t pid() const { return program_; }

  // Types bytes into the terminal.
  void type(std::string_view bytes);
  // Types a line at a prompt once the terminal is back in its own (line)
  // mode; false, and nothing typed, if it is not within `timeout`. Bytes that
  // arrive while keys are read are not echoed and their Enter is not made a
  // newline, so a line typed too early would never end.
  bool type_line(std::string_view line, Duration timeout = DEFAULT_TIMEOUT);

  // Reads until `text` has arrived or `timeout` has passed, and returns the
  // bytes up to the end of `text`; anything read after it is kept for the
  // next read. When `text` does not come, returns everything read (which
  // therefore does not end with `text`).
  std::string read_until(std::string_view text, Duration timeout = DEFAULT_TIMEOUT);
  // Everything that arrives within `period` (plus whatever was kept).
  std::string read_for(Duration period);

  // The terminal's settings as they were just before the program started.
  const termios& settings_at_start() const { return settings_at_start_; }
  // The terminal's settings now (read and written through the master side,
  // which on Linux shares them with the program's side).
  termios settings() const;
  void set_settings(const termios& settings);
  // Waits until the settings satisfy `wanted`; false if not within `timeout`.
  bool wait_for_settings(const std::function<bool(const termios&)>& wanted,
                         Duration timeout = DEFAULT_TIMEOUT) const;

  void send_signal(int signal_number) const;
  // The program's next change of state (stopped, continued, ended), or
  // `running` when none happened within `timeout`.
  ProcessStatus wait_change(Duration timeout = DEFAULT_TIMEOUT);
  // How the program ended; `running` when it had not within `timeout`.
  ProcessStatus wait_exit(Duration timeout = DEFAULT_TIMEOUT);

  // Closes the master side: the terminal goes away under the program.
  void hang_up();

 private:
  using TimePoint = std::chrono::steady_clock::time_point;
  bool read_more(TimePoint deadline);
  std::optional<ProcessStatus> next_change(TimePoint deadline);

  pid_t child_ = -1;    // our own child: the program, or the shell it runs under
  pid_t program_ = -1;  // the program
  int master_ = -1;
  int job_events_ = -1;  // as_job: the shell reports the program's wait statuses here
  bool master_ended_ = false;
  bool ended_ = false;
  ProcessStatus end_status_;
  std::string kept_;
  termios settings_at_start_{};
};

// Settings equal field by field (flags, control characters, speeds).
bool same_settings(const termios& a, const termios& b);
std::string describe(const termios& settings);
// The mode keys are read in: no canonical input, echo, signal keys, flow
// control or CR-to-NL translation.
bool in_key_mode(const termios& settings);

struct ScriptedRun {
  ProcessStatus status;
  std::string out;
  std::string err;
};

// Runs the program with no controlling terminal (a new session), standard
// input a pipe that holds `input` and then ends, standard output and error
// pipes. A run still going after `timeout` is killed and reported running.
ScriptedRun run_without_terminal(std::string_view input,
                                 Duration timeout = std::chrono::seconds(10));

// The text as the terminal shows it with its usual output translation: every
// "\n" written by the program reaches the master as "\r\n".
std::string crlf(std::string_view text);

// Screens as the program writes them (before the terminal's CR LF).
inline constexpr std::string_view CLEAR_SCREEN = "\x1b[H\x1b[2J";

// A screen as the pty shows it: cleared, then the text.
std::string screen(std::string_view text);
