// Runs every benchmark of the calculator beside its floor and prints one
// table: figure, orvcalc, floor, ratio, bound.
//
// Whole processes are timed, on a pseudo-terminal where a user would sit and
// without a terminal where a script would run, so this is a small harness of
// its own rather than a micro-benchmark library. Times run from just before
// the harness starts a process (or sends a key) until the last byte expected
// has been read back, or until the process has ended. Programs being compared
// run interleaved (one sample of each in turn) so that a change in the
// machine's load falls on both. Before any figure is trusted, the floor's output is
// checked to be byte-identical to the program's; a difference, a hang or an
// unexpected exit status is an error (exit status 1), a slow figure is not.
//
//   run_benchmarks [--quick] [--keep-inputs DIR] [--orvcalc PATH] [--only PART]
//
// --quick runs small counts, to check that everything still works;
// --keep-inputs leaves the generated inputs and traces in DIR; --orvcalc
// measures another build of the program; --only runs one part: keys,
// startup, throughput or calls.

#include <dirent.h>
#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "console/key_decoder.h"

extern char** environ;

namespace {

// ---------------------------------------------------------------- basics

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "run_benchmarks: error: %s\n", what.c_str());
  std::exit(1);
}

void progress(const std::string& what) { std::fprintf(stderr, "... %s\n", what.c_str()); }

std::int64_t now_ns() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

double quantile(std::vector<double> values, double q) {
  if (values.empty()) return NAN;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size())));
  return values[rank == 0 ? 0 : rank - 1];
}

double median(const std::vector<double>& values) { return quantile(values, 0.5); }

bool ends_with(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         std::string_view(text).substr(text.size() - suffix.size()) == suffix;
}

// What a terminal with its default output processing shows for text.
std::string on_terminal(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string describe_difference(std::string_view a, std::string_view b, std::uint64_t base) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  auto around = [&](std::string_view s) {
    std::string shown;
    for (std::size_t i = at > 20 ? at - 20 : 0; i < s.size() && i < at + 20; ++i) {
      const auto c = static_cast<unsigned char>(s[i]);
      if (c >= 32 && c < 127) {
        shown += static_cast<char>(c);
      } else {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        shown += hex;
      }
    }
    return shown;
  };
  return "first difference at byte " + std::to_string(base + at) + ": orvcalc \"" + around(a) +
         "\", floor \"" + around(b) + "\"";
}

// A SIGALRM that interrupts a blocking read instead of ending the harness, so
// that a program that never answers is reported rather than waited for.
volatile std::sig_atomic_t alarm_rang = 0;
void on_alarm(int) { alarm_rang = 1; }

void install_watchdog() {
  struct sigaction action {};
  action.sa_handler = on_alarm;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: the read returns EINTR
  sigaction(SIGALRM, &action, nullptr);
}

void arm_watchdog(unsigned seconds) {
  alarm_rang = 0;
  alarm(seconds);
}

constexpr unsigned WATCHDOG_SECONDS = 30;

// ---------------------------------------------------------------- programs

struct Programs {
  std::string orvcalc = ORVCALC_BINARY;
  std::string floor_key_screen = FLOOR_KEY_SCREEN_BINARY;
  std::string floor_startup = FLOOR_STARTUP_BINARY;
  std::string floor_sqrt_session = FLOOR_SQRT_SESSION_BINARY;
};

std::vector<char*> c_argv(const std::vector<std::string>& argv) {
  std::vector<char*> out;
  for (const std::string& arg : argv) out.push_back(const_cast<char*>(arg.c_str()));
  out.push_back(nullptr);
  return out;
}

struct Exit {
  int status = 0;
  long max_rss_kib = -1;  // known only for a traced program
  double cpu_ns = 0;
};

Exit wait_for(pid_t pid) {
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) fail("wait4: " + std::string(std::strerror(errno)));
  }
  Exit out;
  out.status = status;
  out.cpu_ns = (static_cast<double>(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1e9 +
               (static_cast<double>(usage.ru_utime.tv_usec) + usage.ru_stime.tv_usec) * 1e3;
  return out;
}

bool exited_zero(const Exit& e) { return WIFEXITED(e.status) && WEXITSTATUS(e.status) == 0; }

std::string exit_text(const Exit& e) {
  if (WIFEXITED(e.status)) return "exit status " + std::to_string(WEXITSTATUS(e.status));
  if (WIFSIGNALED(e.status)) return "signal " + std::to_string(WTERMSIG(e.status));
  return "status " + std::to_string(e.status);
}

// ------------------------------------------------------------ peak memory
//
// wait4's maximum resident set counts the memory the child had before exec,
// which is the harness's own (all of it after a vfork, its private pages after
// a fork), so a small program would be reported at the harness's size. The
// peak is therefore read from the program itself: the child asks to be traced
// before exec, and when the program ends, stopped at its exit while its
// memory still exists, its high-water mark (VmHWM) is read from /proc.

// In the child, just before exec.
void trace_me() { ptrace(PTRACE_TRACEME, 0, nullptr, nullptr); }

// In the parent, right after the start: lets the traced child run past its
// exec, asking to be stopped again at its exit.
void release_after_exec(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) fail("waitpid: " + std::string(std::strerror(errno)));
  }
  if (!WIFSTOPPED(status)) fail("a traced program ended before it started");
  ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL));
  ptrace(PTRACE_CONT, pid, nullptr, nullptr);
}

long high_water_kib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  fail("no VmHWM for process " + std::to_string(pid));
}

// Runs a traced child to its end, passing on the signals it gets. Returns its
// exit and, in max_rss_kib, the peak read at its exit.
Exit finish_traced(pid_t pid) {
  long peak = -1;
  for (;;) {
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) {
      if (errno == EINTR && alarm_rang == 0) continue;
      fail("a traced program did not end in time");
    }
    if (WIFEXITED(status) || WIFSIGNALED(status)) {
      Exit e;
      e.status = status;
      e.max_rss_kib = peak;
      if (peak < 0) fail("a traced program ended without its exit being seen");
      return e;
    }
    int pass_on = 0;
    if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
      peak = high_water_kib(pid);
    } else if (WIFSTOPPED(status) && WSTOPSIG(status) != SIGTRAP) {
      pass_on = WSTOPSIG(status);
    }
    ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(pass_on)));
  }
}

// ------------------------------------------------- a program on a terminal

// A program started on a fresh 80x24 pseudo-terminal, as its session leader
// with the terminal as its controlling terminal, TERM=xterm.
class PtyProcess {
 public:
  // traced: the peak memory is taken at its exit (see trace_me).
  explicit PtyProcess(const std::vector<std::string>& argv, bool traced = false) : traced_(traced) {
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    const auto args = c_argv(argv);
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ < 0) fail("forkpty: " + std::string(std::strerror(errno)));
    if (pid_ == 0) {
      setenv("TERM", "xterm", 1);
      if (traced) trace_me();
      execvp(args[0], args.data());
      _exit(127);
    }
    name_ = argv.back();
    if (traced) release_after_exec(pid_);
  }
  PtyProcess(const PtyProcess&) = delete;
  PtyProcess& operator=(const PtyProcess&) = delete;
  ~PtyProcess() {
    if (master_ >= 0) ::close(master_);
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      wait_for(pid_);
    }
  }

  void send(std::string_view bytes) {
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      fail("writing to the terminal of " + name_);
    }
  }

  // Everything the program shows until what arrived ends with suffix.
  std::string read_until(std::string_view suffix) {
    std::string got;
    char buffer[16 * 1024];
    while (!ends_with(got, suffix)) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) {
        got.append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR && alarm_rang == 0) continue;
      fail(name_ + (n < 0 && errno == EINTR ? " did not answer in time"
                                            : " left the terminal")
           + " while awaiting \"" + std::string(suffix.substr(suffix.size() > 20 ? suffix.size() - 20 : 0)) +
           "\"; it showed " + std::to_string(got.size()) + " bytes");
    }
    return got;
  }

  // Waits for the program to end by itself, reading what it still shows.
  Exit wait_exit() {
    if (traced_) {
      // Stopped at its exit, it still holds the terminal open: reap it first.
      const Exit e = finish_traced(pid_);
      pid_ = -1;
      return e;
    }
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) continue;
      if (n < 0 && errno == EINTR && alarm_rang != 0) fail(name_ + " did not end in time");
      if (n < 0 && errno == EINTR) continue;
      break;  // EIO: the program closed its side
    }
    const Exit e = wait_for(pid_);
    pid_ = -1;
    return e;
  }

 private:
  bool traced_ = false;
  pid_t pid_ = -1;
  int master_ = -1;
  std::string name_;
};

// --------------------------------------------- a program without a terminal

// Starts argv in a new session (so with no controlling terminal), standard
// input from in_path, standard output to out_fd (or /dev/null when < 0).
pid_t spawn_scripted(const std::vector<std::string>& argv, const std::string& in_path,
                     int out_fd = -1, int close_fd = -1) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in_path.c_str(), O_RDONLY, 0);
  if (out_fd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, out_fd, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  if (close_fd >= 0) posix_spawn_file_actions_addclose(&actions, close_fd);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  const auto args = c_argv(argv);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) fail("cannot start " + argv[0] + ": " + std::strerror(error));
  return pid;
}

// The peak memory of argv run as spawn_scripted runs it, read at its exit.
long scripted_peak_kib(const std::vector<std::string>& argv, const std::string& in_path) {
  const auto args = c_argv(argv);
  const pid_t pid = fork();
  if (pid < 0) fail("fork: " + std::string(std::strerror(errno)));
  if (pid == 0) {
    setsid();
    const int in = ::open(in_path.c_str(), O_RDONLY);
    const int out = ::open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0) _exit(127);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    trace_me();
    execvp(args[0], args.data());
    _exit(127);
  }
  release_after_exec(pid);
  arm_watchdog(WATCHDOG_SECONDS * 4);
  const Exit e = finish_traced(pid);
  if (!exited_zero(e)) fail(argv[0] + " ended with " + exit_text(e));
  return e.max_rss_kib;
}

struct Timed {
  double wall_ns = 0;
  Exit exit;
};

Timed run_scripted(const std::vector<std::string>& argv, const std::string& in_path) {
  const std::int64_t start = now_ns();
  const pid_t pid = spawn_scripted(argv, in_path);
  Timed t;
  t.exit = wait_for(pid);
  t.wall_ns = static_cast<double>(now_ns() - start);
  if (!exited_zero(t.exit)) fail(argv[0] + " ended with " + exit_text(t.exit));
  return t;
}

bool program_found(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (access((dir + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Runs both programs on the same input and compares their outputs byte for
// byte as they arrive (the outputs can be far larger than memory should
// hold). Returns the number of bytes that matched; fails on a difference.
std::uint64_t compare_outputs(const std::vector<std::string>& a, const std::vector<std::string>& b,
                              const std::string& in_path) {
  int pipe_a[2];
  int pipe_b[2];
  if (pipe2(pipe_a, O_CLOEXEC) != 0 || pipe2(pipe_b, O_CLOEXEC) != 0) fail("pipe");
  const pid_t pid_a = spawn_scripted(a, in_path, pipe_a[1]);
  const pid_t pid_b = spawn_scripted(b, in_path, pipe_b[1]);
  ::close(pipe_a[1]);
  ::close(pipe_b[1]);
  std::string held_a;
  std::string held_b;
  bool open_a = true;
  bool open_b = true;
  std::uint64_t matched = 0;
  std::vector<char> buffer(256 * 1024);
  while (open_a || open_b) {
    // Read from the side that is behind, so that neither buffer grows.
    const bool from_a = open_a && (!open_b || held_a.size() <= held_b.size());
    const int fd = from_a ? pipe_a[0] : pipe_b[0];
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      (from_a ? open_a : open_b) = false;
    } else {
      (from_a ? held_a : held_b).append(buffer.data(), static_cast<std::size_t>(n));
    }
    const std::size_t common = std::min(held_a.size(), held_b.size());
    if (std::memcmp(held_a.data(), held_b.data(), common) != 0) {
      fail("outputs differ on " + in_path + ": " + describe_difference(held_a, held_b, matched));
    }
    matched += common;
    held_a.erase(0, common);
    held_b.erase(0, common);
    if ((!open_a && !held_a.empty() && !open_b) || (!open_b && !held_b.empty() && !open_a)) break;
  }
  ::close(pipe_a[0]);
  ::close(pipe_b[0]);
  const Exit exit_a = wait_for(pid_a);
  const Exit exit_b = wait_for(pid_b);
  if (!held_a.empty() || !held_b.empty()) {
    fail("outputs differ on " + in_path + ": after " + std::to_string(matched) +
         " equal bytes orvcalc wrote " + std::to_string(held_a.size()) + " more, the floor " +
         std::to_string(held_b.size()) + " more");
  }
  if (!exited_zero(exit_a)) fail(a[0] + " ended with " + exit_text(exit_a));
  if (!exited_zero(exit_b)) fail(b[0] + " ended with " + exit_text(exit_b));
  return matched;
}

// ---------------------------------------------------------------- inputs

constexpr char KEY_ESC = 27;
constexpr std::string_view ESC_KEY = "\x1b";

// splitmix64: the same numbers on every machine and compiler.
struct Random {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
};

// A number as someone might type or a script produce it: short decimals,
// full-precision values over a wide range, exponent notation, and some
// negatives (whose square root is not a number).
std::string number_text(Random& random) {
  const std::uint64_t kind = random.next() % 10;
  const std::uint64_t r = random.next();
  char text[64];
  if (kind < 4) {
    const double unit = static_cast<double>(r >> 11) * 0x1p-53;
    const int exponent = static_cast<int>((r & 0x3F) % 41) - 20;
    const double value = (1 + unit) * std::pow(10.0, exponent);
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
  }
  const unsigned whole = static_cast<unsigned>((r >> 8) % 100000);
  if (kind < 7 || kind == 9) {
    const unsigned places = static_cast<unsigned>(r % 4);
    const unsigned fraction = static_cast<unsigned>((r >> 40) % 1000);
    std::string out = kind == 9 ? "-" : "";
    out += std::to_string(whole);
    if (places > 0) out += "." + std::to_string(fraction).substr(0, places);
    return out;
  }
  const int exponent = static_cast<int>((r >> 40) % 601) - 300;
  std::snprintf(text, sizeof text, "%u.%04ue%d", whole % 9 + 1, static_cast<unsigned>(r % 10000),
                exponent);
  return text;
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) fail("cannot write " + path);
}

// The square-root session: '5' opens the panel, each calculation is '1', a
// number line and the key that ends the pause; ESC, ESC, ESC leave the panel
// and quit. numbers_path, when given, receives the numbers alone.
void write_session(const std::string& path, long calculations, const std::string& numbers_path = {}) {
  Random random{20240611};
  std::string session = "5";
  std::string numbers;
  for (long i = 0; i < calculations; ++i) {
    const std::string number = number_text(random);
    session += '1';
    session += number;
    session += "\nx";
    if (!numbers_path.empty()) numbers += number + "\n";
  }
  session += std::string(3, KEY_ESC);
  write_file(path, session);
  if (!numbers_path.empty()) write_file(numbers_path, numbers);
}

// Lines and keys at the edges of the number grammar and the menus, for the
// byte-identity check only: commas, blanks, signs, words the grammar refuses,
// out-of-range exponents, subnormals, signed zeros, powers of ten where the
// notation changes, an over-long line whose remainder is read as keys, a NUL
// in a line, ESC at a pause, ignored and redrawing keys, the quit question
// declined, and a last line cut off by the end of input.
std::string edge_session() {
  const std::vector<std::string> lines = {
      "3,75", " -0,5", "1,5e3", "1,2,3", "1.234,5", "12abc", "abc", "", "+7", "\t\v 2",
      "inf", "-inf", "nan", "-nan", "infinity", "0x10", "1e999", "-1e999", "1e-999", "1e-320",
      "4.9e-324", "2.4e-324", "-1e-320", "-0", "0", "+0", "1e-5", "0.0001", "0.00001", "1e15",
      "1e16", "9999999999999999", "99999999999999999", "1e-4", "9.999999999999999e-5", ".5",
      "5.", ".", "-.e5", "1e", "1e+", "2E-3", "-2", "1.7976931348623157e308", "2.2250738585072014e-308",
      "123456789012345678901234567890", std::string("12\0" "34", 5), "0,000001", "  ,5"};
  std::string session = "0x5";  // '0' and 'x' are ignored at the main menu
  const char pause_keys[] = {'x', KEY_ESC, ' ', '\r'};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    session += '1';
    session += lines[i];
    session += '\n';
    session += pause_keys[i % sizeof pause_keys];
    if (i % 7 == 0) session += 'q';  // redraws the panel
  }
  session += KEY_ESC;          // to the main menu
  session += KEY_ESC;          // the quit question
  session += 'n';              // declined: back to the main menu
  session += '5';
  session += '1' + std::string(300, '9') + "\n";  // the remainder is read as keys
  session += "x1-0\nx";
  session += "1 2,5e-3";  // input ends within the line: it is still a line
  return session;
}

// ---------------------------------------------------------------- the table

struct Row {
  std::string figure;
  std::string orvcalc;
  std::string floor;
  std::string ratio;
  std::string bound;
};

std::string fixed(double value, int places) {
  if (std::isnan(value)) return "n/a";
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  return text;
}

std::string times(double ratio) { return std::isnan(ratio) ? "n/a" : fixed(ratio, 2) + "×"; }

// ---------------------------------------------------------------- figures

struct Settings {
  bool quick = false;
  int keys = 2000;            // key-to-screen samples per program
  int rounds = 10;            // fresh processes for the key samples
  int esc_samples = 100;      // lone ESC in a panel
  int startups = 100;         // start-ups per program and mode
  long calculations = 1'000'000;
  int repeats = 5;            // throughput runs per program
  int traced_keys = 200;      // keys and calculations in each traced terminal session
  long traced_calculations = 10'000;  // calculations in the traced scripted session
  std::string work_dir;
};

// The rows of the table, in the order they are printed.
std::vector<Row> rows;

// Quits orvcalc from one of its panels: ESC to the main menu, ESC, ESC.
void quit_from_panel(PtyProcess& program) {
  arm_watchdog(WATCHDOG_SECONDS);
  program.send(ESC_KEY);
  program.read_until("Press ESC to quit.");
  program.send(ESC_KEY);
  program.read_until("main menu.\r\n");
  program.send(ESC_KEY);
  if (const Exit e = program.wait_exit(); !exited_zero(e)) fail("orvcalc ended with " + exit_text(e));
}

void key_to_screen_and_esc(const Programs& programs, const Settings& settings) {
  progress("key to screen: " + std::to_string(settings.keys) + " keys each, and the ESC delay");
  const std::string menu_end = "Press ESC to quit.";
  const std::string panel_end = on_terminal(
      "\u255a" + [] {
        std::string bars;
        for (int i = 0; i < 78; ++i) bars += "\u2550";
        return bars;
      }() + "\u255d\n");

  // The keys are spread over rounds, each with freshly started processes:
  // where the scheduler happens to put a process on a busy machine can
  // change its latency for as long as it lives, and should not decide the
  // comparison. Within a round the two take turns, key by key.
  std::vector<double> program_us;
  std::vector<double> floor_us;
  std::vector<double> esc_ms;
  std::string menu;
  std::string panel;
  const int rounds = settings.rounds;
  for (int round = 0; round < rounds; ++round) {
    arm_watchdog(WATCHDOG_SECONDS);
    PtyProcess program({programs.orvcalc});
    const std::string round_menu = program.read_until(menu_end);
    program.send("5");
    const std::string round_panel = program.read_until(panel_end);
    if (round == 0) {
      menu = round_menu;
      panel = round_panel;
    } else if (round_menu != menu || round_panel != panel) {
      fail("orvcalc started with other screens than before");
    }
    PtyProcess floor({programs.floor_key_screen});
    const std::string floor_panel = floor.read_until(panel_end);
    if (floor_panel != panel) {
      fail("the key floor's panel differs from orvcalc's: " + describe_difference(panel, floor_panel, 0));
    }

    // 'x' is no action of the square-root panel: the panel is drawn again.
    const int keys = settings.keys / rounds;
    const int warm_up = 5;
    for (int i = 0; i < warm_up + keys; ++i) {
      for (int turn = 0; turn < 2; ++turn) {
        const bool program_turn = (turn == 0) == ((i + round) % 2 == 0);
        PtyProcess& target = program_turn ? program : floor;
        arm_watchdog(WATCHDOG_SECONDS);
        const std::int64_t start = now_ns();
        target.send("x");
        const std::string screen = target.read_until(panel_end);
        const std::int64_t end = now_ns();
        if (screen != panel) {
          fail(std::string(program_turn ? "orvcalc" : "the key floor") +
               " answered a key with another screen: " + describe_difference(panel, screen, 0));
        }
        if (i >= warm_up) (program_turn ? program_us : floor_us).push_back((end - start) / 1e3);
      }
    }
    arm_watchdog(WATCHDOG_SECONDS);
    floor.send(ESC_KEY);
    if (const Exit e = floor.wait_exit(); !exited_zero(e)) fail("the key floor ended with " + exit_text(e));

    // A lone ESC in the panel: the decoder waits for a byte that would make
    // it part of a special key, then settles it as ESC and the main menu
    // follows.
    for (int i = 0; i < settings.esc_samples / rounds; ++i) {
      arm_watchdog(WATCHDOG_SECONDS);
      const std::int64_t start = now_ns();
      program.send(ESC_KEY);
      const std::string screen = program.read_until(menu_end);
      esc_ms.push_back((now_ns() - start) / 1e6);
      if (screen != menu) fail("ESC in the panel did not bring back the main menu");
      program.send("5");
      program.read_until(panel_end);
    }
    quit_from_panel(program);
  }

  const double median_ratio = median(program_us) / median(floor_us);
  const double p99_ratio = quantile(program_us, 0.99) / quantile(floor_us, 0.99);
  rows.push_back({"key to screen, median (µs)", fixed(median(program_us), 1),
                  fixed(median(floor_us), 1), times(median_ratio), "≤ 1.2×"});
  rows.push_back({"key to screen, 99th percentile (µs)", fixed(quantile(program_us, 0.99), 1),
                  fixed(quantile(floor_us, 0.99), 1), times(p99_ratio), "≤ 1.2×"});
  const double wait_ms = std::chrono::duration<double, std::milli>(KeyDecoder::ESC_WAIT).count();
  rows.push_back({"ESC in a panel to main menu, median (ms)", fixed(median(esc_ms), 2),
                  fixed(wait_ms, 2) + " (decoder's wait)", times(median(esc_ms) / wait_ms),
                  "the wait"});
  rows.push_back({"ESC in a panel to main menu, 99th percentile (ms)",
                  fixed(quantile(esc_ms, 0.99), 2), fixed(wait_ms, 2) + " (decoder's wait)",
                  times(quantile(esc_ms, 0.99) / wait_ms), "the wait"});
}

void startup(const Programs& programs, const Settings& settings) {
  progress("start-up: " + std::to_string(settings.startups) + " runs each, on a terminal and scripted");
  const std::string menu_end = "Press ESC to quit.";
  std::vector<double> program_us;
  std::vector<double> floor_us;
  std::vector<double> program_rss;
  std::vector<double> floor_rss;
  std::string reference;
  constexpr int MEMORY_RUNS = 3;
  // The first round warms the caches; the last rounds are traced, for the
  // peak memory only, and not timed.
  for (int i = 0; i < settings.startups + 1 + MEMORY_RUNS; ++i) {
    const bool for_memory = i > settings.startups;
    for (int turn = 0; turn < 2; ++turn) {
      const bool program_turn = (turn == 0) == (i % 2 == 0);
      arm_watchdog(WATCHDOG_SECONDS);
      const std::int64_t start = now_ns();
      PtyProcess process({program_turn ? programs.orvcalc : programs.floor_startup}, for_memory);
      const std::string menu = process.read_until(menu_end);
      const std::int64_t end = now_ns();
      if (reference.empty() && program_turn) reference = menu;
      if (!reference.empty() && menu != reference) {
        fail("start-up screens differ: " + describe_difference(reference, menu, 0));
      }
      if (program_turn) {
        process.send(ESC_KEY);
        process.read_until("main menu.\r\n");
        process.send(ESC_KEY);
      }
      const Exit e = process.wait_exit();
      if (!exited_zero(e)) fail(std::string(program_turn ? "orvcalc" : "the start-up floor") +
                                " ended with " + exit_text(e));
      if (for_memory) {
        (program_turn ? program_rss : floor_rss).push_back(static_cast<double>(e.max_rss_kib));
      } else if (i > 0) {
        (program_turn ? program_us : floor_us).push_back((end - start) / 1e3);
      }
    }
  }
  rows.push_back({"start-up to complete main menu, terminal, median (µs)", fixed(median(program_us), 0),
                  fixed(median(floor_us), 0), times(median(program_us) / median(floor_us)), "≤ 1.2×"});

  const std::string empty = settings.work_dir + "/empty.in";
  write_file(empty, "");
  compare_outputs({programs.orvcalc}, {programs.floor_startup}, empty);
  std::vector<double> scripted_program_us;
  std::vector<double> scripted_floor_us;
  std::vector<double> scripted_program_rss;
  std::vector<double> scripted_floor_rss;
  for (int i = 0; i < settings.startups + 1; ++i) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool program_turn = (turn == 0) == (i % 2 == 0);
      const Timed t = run_scripted({program_turn ? programs.orvcalc : programs.floor_startup}, empty);
      if (i == 0) continue;
      (program_turn ? scripted_program_us : scripted_floor_us).push_back(t.wall_ns / 1e3);
    }
  }
  for (int i = 0; i < MEMORY_RUNS; ++i) {
    scripted_program_rss.push_back(static_cast<double>(scripted_peak_kib({programs.orvcalc}, empty)));
    scripted_floor_rss.push_back(static_cast<double>(scripted_peak_kib({programs.floor_startup}, empty)));
  }
  rows.push_back({"start-up to exit, scripted, empty input, median (µs)",
                  fixed(median(scripted_program_us), 0), fixed(median(scripted_floor_us), 0),
                  times(median(scripted_program_us) / median(scripted_floor_us)), "≤ 1.2×"});
  rows.push_back({"peak memory, terminal session to quit (KiB)", fixed(median(program_rss), 0),
                  fixed(median(floor_rss), 0), times(median(program_rss) / median(floor_rss)), "≤ 1.2×"});
  rows.push_back({"peak memory, scripted, empty input (KiB)", fixed(median(scripted_program_rss), 0),
                  fixed(median(scripted_floor_rss), 0),
                  times(median(scripted_program_rss) / median(scripted_floor_rss)), "≤ 1.2×"});
}

void throughput_and_memory(const Programs& programs, const Settings& settings) {
  const std::string edges = settings.work_dir + "/edges.in";
  write_file(edges, edge_session());
  progress("byte identity of the session floor on the edge cases");
  compare_outputs({programs.orvcalc}, {programs.floor_sqrt_session}, edges);

  const long n = settings.calculations;
  progress("scripted throughput: " + std::to_string(n) + " calculations, " +
           std::to_string(settings.repeats) + " runs each");
  const std::string session = settings.work_dir + "/session.in";
  const std::string numbers = settings.work_dir + "/numbers.in";
  write_session(session, n, numbers);
  const std::uint64_t bytes = compare_outputs({programs.orvcalc}, {programs.floor_sqrt_session}, session);
  progress("outputs identical: " + std::to_string(bytes) + " bytes each");

  const std::vector<std::string> mawk = {"mawk", "{printf \"%.16g\\n\", sqrt($1)}"};
  const bool have_mawk = program_found("mawk");
  std::vector<double> program_ns;
  std::vector<double> floor_ns;
  std::vector<double> mawk_ns;
  std::vector<double> program_cpu_ns;
  std::vector<double> floor_cpu_ns;
  for (int i = 0; i < settings.repeats; ++i) {
    for (int turn = 0; turn < 3; ++turn) {
      const int who = (turn + i) % 3;
      if (who == 2 && !have_mawk) continue;
      const std::vector<std::string> argv =
          who == 0 ? std::vector<std::string>{programs.orvcalc}
                   : who == 1 ? std::vector<std::string>{programs.floor_sqrt_session} : mawk;
      const Timed t = run_scripted(argv, who == 2 ? numbers : session);
      const double per = t.wall_ns / static_cast<double>(n);
      (who == 0 ? program_ns : who == 1 ? floor_ns : mawk_ns).push_back(per);
      if (who < 2) (who == 0 ? program_cpu_ns : floor_cpu_ns).push_back(t.exit.cpu_ns / static_cast<double>(n));
    }
  }
  progress("processor time per calculation: orvcalc " + fixed(median(program_cpu_ns), 0) +
           " ns, floor " + fixed(median(floor_cpu_ns), 0) + " ns");
  const std::string count = n == 1'000'000 ? "1,000,000" : std::to_string(n);
  rows.push_back({"scripted session, " + count + " square roots (ns per calculation)",
                  fixed(median(program_ns), 0), fixed(median(floor_ns), 0),
                  times(median(program_ns) / median(floor_ns)), "≤ 1.5×"});
  rows.push_back({"  beside mawk on the same numbers (ns per line)", fixed(median(program_ns), 0),
                  have_mawk ? fixed(median(mawk_ns), 0) + " (mawk)" : "n/a (no mawk)",
                  have_mawk ? times(median(program_ns) / median(mawk_ns)) : "n/a", "< 1×"});

  const std::string small = settings.work_dir + "/session-100.in";
  write_session(small, 100);
  compare_outputs({programs.orvcalc}, {programs.floor_sqrt_session}, small);
  progress("peak memory after 100 and after " + count + " calculations");
  const long small_program_rss = scripted_peak_kib({programs.orvcalc}, small);
  const long small_floor_rss = scripted_peak_kib({programs.floor_sqrt_session}, small);
  const long program_rss = scripted_peak_kib({programs.orvcalc}, session);
  const long floor_rss = scripted_peak_kib({programs.floor_sqrt_session}, session);
  rows.push_back({"peak memory after 100 calculations (KiB)", std::to_string(small_program_rss),
                  std::to_string(small_floor_rss),
                  times(static_cast<double>(small_program_rss) / static_cast<double>(small_floor_rss)),
                  "≤ 1.2×"});
  // Between the two ends, to tell a one-time step (an input buffer touched
  // in full once the input outgrows it) from growth that goes on.
  constexpr long MIDDLE = 10'000;
  if (n > MIDDLE) {
    const std::string middle = settings.work_dir + "/session-middle.in";
    write_session(middle, MIDDLE);
    const long middle_program_rss = scripted_peak_kib({programs.orvcalc}, middle);
    const long middle_floor_rss = scripted_peak_kib({programs.floor_sqrt_session}, middle);
    std::remove(middle.c_str());
    rows.push_back({"peak memory after 10,000 calculations (KiB)", std::to_string(middle_program_rss),
                    std::to_string(middle_floor_rss),
                    times(static_cast<double>(middle_program_rss) / static_cast<double>(middle_floor_rss)),
                    "flat"});
  }
  rows.push_back({"peak memory after " + count + " calculations (KiB)", std::to_string(program_rss),
                  std::to_string(floor_rss),
                  times(static_cast<double>(program_rss) / static_cast<double>(floor_rss)),
                  "flat"});
}

// ------------------------------------------------------- system call counts

struct Calls {
  long writes_to_screen = 0;  // write(1, ...)
  long reads_of_keys = 0;     // read of the terminal, or of standard input without one
  long reads_of_lines = 0;    // read of standard input on a terminal
  long polls = 0;
  long terminal_settings = 0;  // tcsetattr: ioctl TCSETS, TCSETSW or TCSETSF
};

Calls operator-(Calls a, const Calls& b) {
  a.writes_to_screen -= b.writes_to_screen;
  a.reads_of_keys -= b.reads_of_keys;
  a.reads_of_lines -= b.reads_of_lines;
  a.polls -= b.polls;
  a.terminal_settings -= b.terminal_settings;
  return a;
}

// Counts the calls of a trace written by strace -f -o.
Calls count_calls(const std::string& trace_path, bool with_terminal) {
  std::ifstream trace(trace_path);
  if (!trace) fail("no trace in " + trace_path);
  std::string line;
  std::string tty_fd = "none";
  Calls calls;
  while (std::getline(trace, line)) {
    std::size_t at = 0;
    while (at < line.size() && (std::isdigit(static_cast<unsigned char>(line[at])) || line[at] == ' ')) ++at;
    const std::string_view call = std::string_view(line).substr(at);
    if (call.starts_with("openat(") && call.find("\"/dev/tty\"") != std::string_view::npos) {
      const std::size_t equals = call.rfind("= ");
      if (equals != std::string_view::npos && call[equals + 2] != '-') {
        tty_fd = std::string(call.substr(equals + 2, call.find(' ', equals + 2) - equals - 2));
      }
    } else if (call.starts_with("write(1,")) {
      ++calls.writes_to_screen;
    } else if (call.starts_with("read(")) {
      const std::string fd(call.substr(5, call.find(',') - 5));
      if (fd == tty_fd) {
        ++calls.reads_of_keys;
      } else if (fd == "0") {
        ++(with_terminal ? calls.reads_of_lines : calls.reads_of_keys);
      }
    } else if (call.starts_with("poll(") || call.starts_with("ppoll(")) {
      ++calls.polls;
    } else if (call.starts_with("ioctl(") && call.find("TCSETS") != std::string_view::npos) {
      ++calls.terminal_settings;
    }
  }
  return calls;
}

std::vector<std::string> traced(const std::string& trace_path, const std::string& program) {
  return {"strace", "-f", "-qq", "-s", "0", "-o", trace_path,
          "-e", "trace=openat,read,write,poll,ppoll,ioctl", program};
}

// A session on a terminal under strace: into the square-root panel, some
// redrawing keys, some calculations, then out and quit.
Calls traced_terminal_session(const std::string& program, const std::string& trace_path,
                              int redraws, int calculations) {
  const std::string panel_end = on_terminal("\u255d\n");
  arm_watchdog(WATCHDOG_SECONDS * 4);
  PtyProcess process(traced(trace_path, program));
  process.read_until("Press ESC to quit.");
  process.send("5");
  process.read_until(panel_end);
  for (int i = 0; i < redraws; ++i) {
    process.send("x");
    process.read_until(panel_end);
  }
  for (int i = 0; i < calculations; ++i) {
    process.send("1");
    process.read_until("Insert value: ");
    process.send("2\n");
    process.read_until("continue\r\n");
    process.send("x");
    process.read_until(panel_end);
  }
  quit_from_panel(process);
  return count_calls(trace_path, true);
}

// The key floor under strace, answering some keys.
Calls traced_key_floor(const std::string& floor, const std::string& trace_path, int keys) {
  const std::string panel_end = on_terminal("\u255d\n");
  arm_watchdog(WATCHDOG_SECONDS * 4);
  PtyProcess process(traced(trace_path, floor));
  process.read_until(panel_end);
  for (int i = 0; i < keys; ++i) {
    process.send("x");
    process.read_until(panel_end);
  }
  process.send(ESC_KEY);
  if (const Exit e = process.wait_exit(); !exited_zero(e)) fail("traced key floor ended with " + exit_text(e));
  return count_calls(trace_path, true);
}

std::string per(long count, long of, int places = 2) {
  return fixed(static_cast<double>(count) / static_cast<double>(of), places);
}

std::string ratio_of(double a, double b, std::string_view when_zero = "=") {
  if (b == 0) return a == 0 ? std::string(when_zero) : "n/a";
  return times(a / b);
}

void system_calls(const Programs& programs, const Settings& settings) {
  if (!program_found("strace")) {
    rows.push_back({"system calls (strace not installed)", "n/a", "n/a", "n/a", ""});
    return;
  }
  const int m = settings.traced_keys;
  progress("system calls: traced terminal sessions of " + std::to_string(m) +
           " keys and " + std::to_string(m) + " calculations");
  const std::string& dir = settings.work_dir;
  const Calls base = traced_terminal_session(programs.orvcalc, dir + "/trace-terminal.txt", 0, 0);
  const Calls keys =
      traced_terminal_session(programs.orvcalc, dir + "/trace-terminal-keys.txt", m, 0) - base;
  const Calls sums =
      traced_terminal_session(programs.orvcalc, dir + "/trace-terminal-lines.txt", 0, m) - base;
  const Calls floor_base = traced_key_floor(programs.floor_key_screen, dir + "/trace-floor.txt", 0);
  const Calls floor_keys =
      traced_key_floor(programs.floor_key_screen, dir + "/trace-floor-keys.txt", m) - floor_base;

  // A redrawing key is one key and one screen. A calculation is two keys
  // ('1' and the key that ends the pause), one line, and three screens: the
  // prompt, the result with the pause, the panel.
  const double key_writes = static_cast<double>(keys.writes_to_screen) / m;
  const double floor_key_writes = static_cast<double>(floor_keys.writes_to_screen) / m;
  rows.push_back({"terminal: write calls per screen, key → panel", per(keys.writes_to_screen, m),
                  per(floor_keys.writes_to_screen, m), ratio_of(key_writes, floor_key_writes), "1"});
  rows.push_back({"terminal: write calls per screen, calculation (3 screens)",
                  per(sums.writes_to_screen, 3L * m), "1.00 (one per screen)",
                  ratio_of(static_cast<double>(sums.writes_to_screen) / (3.0 * m), 1.0), "1"});
  rows.push_back({"terminal: read calls per key", per(keys.reads_of_keys, m),
                  per(floor_keys.reads_of_keys, m),
                  ratio_of(static_cast<double>(keys.reads_of_keys), static_cast<double>(floor_keys.reads_of_keys)),
                  "1"});
  rows.push_back({"terminal: poll calls per key", per(keys.polls, m), per(floor_keys.polls, m),
                  ratio_of(static_cast<double>(keys.polls), static_cast<double>(floor_keys.polls)), "0"});
  rows.push_back({"terminal: tcsetattr calls per key", per(keys.terminal_settings, m),
                  per(floor_keys.terminal_settings, m),
                  ratio_of(static_cast<double>(keys.terminal_settings),
                           static_cast<double>(floor_keys.terminal_settings)),
                  "0"});
  // What a calculation costs beyond its two keys is the cost of its line.
  const double line_settings =
      static_cast<double>(sums.terminal_settings) / m - 2.0 * keys.terminal_settings / m;
  rows.push_back({"terminal: tcsetattr calls per line", fixed(line_settings, 2), "2.00 (leave and re-enter key mode)",
                  times(line_settings / 2.0), "2"});
  rows.push_back({"terminal: read calls per line", per(sums.reads_of_lines, m), "1.00",
                  times(static_cast<double>(sums.reads_of_lines) / m), "1"});

  progress("system calls: traced scripted sessions of " + std::to_string(settings.traced_calculations) +
           " calculations");
  const std::string session = settings.work_dir + "/traced-session.in";
  const long n = settings.traced_calculations;
  write_session(session, n);
  const std::string trace = dir + "/trace-scripted.txt";
  const std::string floor_trace = dir + "/trace-scripted-floor.txt";
  run_scripted(traced(trace, programs.orvcalc), session);
  run_scripted(traced(floor_trace, programs.floor_sqrt_session), session);
  const Calls scripted = count_calls(trace, false);
  const Calls floor_scripted = count_calls(floor_trace, false);
  // Screens as the terminal would see them: the main menu and the panel,
  // three per calculation, then main menu, quit question.
  const long screens = 2 + 3 * n + 2;
  const long reads_wanted = 1 + 2 * n + 3 + n;  // keys and lines taken
  rows.push_back({"scripted: write calls per screen", per(scripted.writes_to_screen, screens, 4),
                  per(floor_scripted.writes_to_screen, screens, 4),
                  ratio_of(static_cast<double>(scripted.writes_to_screen),
                           static_cast<double>(floor_scripted.writes_to_screen)),
                  "≤ 1"});
  rows.push_back({"scripted: read calls per key or line", per(scripted.reads_of_keys, reads_wanted, 4),
                  per(floor_scripted.reads_of_keys, reads_wanted, 4),
                  ratio_of(static_cast<double>(scripted.reads_of_keys),
                           static_cast<double>(floor_scripted.reads_of_keys)),
                  "≤ 1"});
  rows.push_back({"scripted: poll and tcsetattr calls", std::to_string(scripted.polls + scripted.terminal_settings),
                  std::to_string(floor_scripted.polls + floor_scripted.terminal_settings),
                  ratio_of(static_cast<double>(scripted.polls + scripted.terminal_settings),
                           static_cast<double>(floor_scripted.polls + floor_scripted.terminal_settings)),
                  "0"});
}

// ---------------------------------------------------------------- machine

std::string first_line_with(const std::string& path, const std::string& key) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with(key)) return line;
  }
  return {};
}

std::string load_average() {
  std::ifstream in("/proc/loadavg");
  std::string one;
  std::string five;
  in >> one >> five;
  return one + " (1 min), " + five + " (5 min)";
}

// The directory of generated inputs and traces, removed at exit unless the
// user asked to keep it.
std::string scratch_dir;

void remove_scratch_dir() {
  if (scratch_dir.empty()) return;
  if (DIR* dir = opendir(scratch_dir.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") std::remove((scratch_dir + "/" + name).c_str());
    }
    closedir(dir);
  }
  rmdir(scratch_dir.c_str());
}

std::string machine() {
  std::string model = first_line_with("/proc/cpuinfo", "model name");
  if (const auto colon = model.find(": "); colon != std::string::npos) model = model.substr(colon + 2);
  utsname name{};
  uname(&name);
  return (model.empty() ? std::string("unknown CPU") : model) + ", " +
         std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " CPUs, Linux " + name.release;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  std::string keep;
  std::string orvcalc;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--quick") {
      settings.quick = true;
    } else if (arg == "--keep-inputs" && i + 1 < argc) {
      keep = argv[++i];
    } else if (arg == "--orvcalc" && i + 1 < argc) {
      orvcalc = argv[++i];
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else {
      const bool asked = arg == "--help";
      std::fprintf(asked ? stdout : stderr,
                   "usage: %s [--quick] [--keep-inputs DIR] [--orvcalc PATH]\n"
                   "       [--only keys|startup|throughput|calls]\n",
                   argv[0]);
      return asked ? 0 : 2;
    }
  }
  if (settings.quick) {
    settings.keys = 100;
    settings.rounds = 2;
    settings.esc_samples = 5;
    settings.startups = 5;
    settings.calculations = 10'000;
    settings.repeats = 1;
    settings.traced_keys = 10;
    settings.traced_calculations = 1'000;
  }
  if (keep.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/orvcalc-bench.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) fail("mkdtemp");
    settings.work_dir = pattern;
    scratch_dir = pattern;
    std::atexit(remove_scratch_dir);  // also when a check fails
  } else {
    mkdir(keep.c_str(), 0755);
    settings.work_dir = keep;
  }
  install_watchdog();
  std::signal(SIGPIPE, SIG_IGN);

  Programs programs;
  if (!orvcalc.empty()) programs.orvcalc = orvcalc;
  const std::string load_before = load_average();
  if (only.empty() || only == "keys") key_to_screen_and_esc(programs, settings);
  if (only.empty() || only == "startup") startup(programs, settings);
  if (only.empty() || only == "throughput") throughput_and_memory(programs, settings);
  if (only.empty() || only == "calls") system_calls(programs, settings);
  const std::string load_after = load_average();

  std::printf("Machine: %s\n", machine().c_str());
  std::printf("Load average: %s before, %s after%s\n\n", load_before.c_str(), load_after.c_str(),
              settings.quick ? " (quick run: small counts)" : "");
  std::printf("| figure | orvcalc | floor | ratio | bound |\n|---|---:|---:|---:|---|\n");
  for (const Row& row : rows) {
    std::printf("| %s | %s | %s | %s | %s |\n", row.figure.c_str(), row.orvcalc.c_str(),
                row.floor.c_str(), row.ratio.c_str(), row.bound.c_str());
  }
  return 0;
}
