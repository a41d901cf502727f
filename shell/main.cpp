#include <cstdio>
#include <string_view>

#include "console/posix_console.h"
#include "shell/calculator_state.h"
#include "shell/main_menu.h"
#include "shell/usage.h"

namespace {

// Writes text to stream; false when it could not all be written.
bool write_out(std::FILE* stream, std::string_view text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  return std::fflush(stream) == 0 && written;
}

int run_calculator() {
  CalculatorState state;
  {
    PosixConsole console;  // its destructor flushes and restores the terminal
    run_main_menu(state, console);
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  switch (parse_command_line(argc, argv)) {
    case CommandLineRequest::run:
      return run_calculator();
    case CommandLineRequest::help:
      return write_out(stdout, usage_text()) ? 0 : 1;
    case CommandLineRequest::version:
      return write_out(stdout, version_text()) ? 0 : 1;
    case CommandLineRequest::wrong_usage:
      write_out(stderr, wrong_usage_text(argc, argv));
      return EXIT_WRONG_USAGE;
  }
  return EXIT_WRONG_USAGE;
}
