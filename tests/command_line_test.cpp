// The program's command line, tried on the real binary: --help, --version,
// arguments it refuses, and the calculator itself when there is none.

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace {

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when the program did not exit normally
};

void close_quietly(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Runs the program with the given arguments in a session of its own (so it
// has no controlling terminal), feeds it input on standard input, and
// collects both output streams. When stdout_path is given, standard output
// goes to that file instead of a pipe.
Outcome run_program(const std::vector<std::string>& arguments, const std::string& input = "",
                    const char* stdout_path = nullptr) {
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
      ::pipe2(err, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe: " << std::strerror(errno);
    return {};
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  if (stdout_path != nullptr) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdout_path, O_WRONLY, 0);
  } else {
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  }
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  std::vector<std::string> argv_text = {ORVCALC_BINARY};
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argv_text) argv.push_back(text.data());
  argv.push_back(nullptr);

  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, ORVCALC_BINARY, &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close_quietly(in[0]);
  close_quietly(out[1]);
  close_quietly(err[1]);
  if (spawned != 0) {
    ADD_FAILURE() << "posix_spawn: " << std::strerror(spawned);
    close_quietly(in[1]);
    close_quietly(out[0]);
    close_quietly(err[0]);
    return {};
  }

  // The inputs used here are far smaller than a pipe's buffer. A program
  // that refuses its arguments may be gone before it reads any of it: that
  // is a broken pipe here, not a failure.
  std::signal(SIGPIPE, SIG_IGN);
  if (!input.empty() &&
      ::write(in[1], input.data(), input.size()) != static_cast<ssize_t>(input.size()) &&
      errno != EPIPE) {
    ADD_FAILURE() << "could not write the whole input";
  }
  close_quietly(in[1]);

  Outcome outcome;
  pollfd streams[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[] = {&outcome.out, &outcome.err};
  while (streams[0].fd >= 0 || streams[1].fd >= 0) {
    // poll skips negative descriptors: those streams have ended.
    if (::poll(streams, 2, 10000) <= 0) {
      ADD_FAILURE() << "the program neither wrote nor closed its output for 10 s";
      ::kill(pid, SIGKILL);
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (streams[i].fd < 0 || streams[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        close_quietly(streams[i].fd);
      }
    }
  }
  out[0] = streams[0].fd;
  err[0] = streams[1].fd;
  close_quietly(out[0]);
  close_quietly(err[0]);

  int wait_status = 0;
  while (::waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  outcome.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return outcome;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// What every usage must say, wherever it is printed.
void expect_usage(const std::string& text) {
  EXPECT_NE(text.find("Usage: orvcalc [--help | --version]\n"), std::string::npos) << text;
  for (const char* part : {"ESC", "1-9, a, b", "decimal point or comma", "setsid",
                           "end of its input", "--version", "man orvcalc"}) {
    EXPECT_NE(text.find(part), std::string::npos) << "usage lacks \"" << part << "\"";
  }
  for (const std::string& line : lines_of(text)) {
    EXPECT_LT(line.size(), 80u) << "too wide for an 80-column console: " << line;
  }
}

TEST(CommandLine, HelpPrintsTheUsageOnStandardOutput) {
  const Outcome run = run_program({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("Usage: orvcalc", 0), 0u) << run.out;
  expect_usage(run.out);
}

TEST(CommandLine, VersionPrintsNameAndVersion) {
  const Outcome run = run_program({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "orvcalc " ORVCALC_VERSION "\n");
}

TEST(CommandLine, RefusedArgumentsPrintTheUsageOnStandardErrorWithStatus2) {
  const std::vector<std::vector<std::string>> refused = {
      {"-h"},        {"--Help"},    {"--help=1"},           {"help"},
      {"--"},        {""},          {"-"},                  {"--help", "--version"},
      {"--help", "--help"},          {"--version", "extra"},
  };
  for (const std::vector<std::string>& arguments : refused) {
    std::string shown;
    for (const std::string& argument : arguments) shown += " '" + argument + "'";
    SCOPED_TRACE("orvcalc" + shown);
    // Input that would work the calculator: a refused command line must not
    // start it.
    const Outcome run = run_program(arguments, "731,5\n2,25\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::string first_line = run.err.substr(0, run.err.find('\n'));
    if (arguments.size() == 1) {
      EXPECT_EQ(first_line, "orvcalc: unknown argument '" + arguments[0] + "'");
    } else {
      EXPECT_EQ(first_line, "orvcalc: too many arguments");
    }
    expect_usage(run.err);
  }
}

TEST(CommandLine, AFailedWriteOfHelpOrVersionIsAnError) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
  for (const char* option : {"--help", "--version"}) {
    SCOPED_TRACE(option);
    EXPECT_EQ(run_program({option}, "", "/dev/full").status, 1);
  }
}

// With no argument the program is the calculator, scripted from standard
// input when it has no terminal: '7' opens the four operations, '3' picks the
// multiplication, two lines give the operands, and the end of input ends it.
TEST(CommandLine, NoArgumentRunsTheCalculator) {
  const Outcome run = run_program({}, "731,5\n2,25\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  // The version the program shows is the one it reports and is packaged as.
  EXPECT_EQ(run.out.rfind("Orvane's Calculator V" ORVCALC_VERSION "\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\n1.5 (*) 2.25 = 3.375;\n"), std::string::npos) << run.out;
  // Input ended while the pause awaited a key.
  EXPECT_TRUE(run.out.ends_with("Press any key to continue\n")) << run.out;
}

}  // namespace
