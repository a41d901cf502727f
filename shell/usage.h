#pragma once

#include <string>
#include <string_view>

// What the command line asks for. The program takes at most one argument.
enum class CommandLineRequest {
  run,          // no argument: the calculator itself
  help,         // --help: the usage on standard output
  version,      // --version: the version line on standard output
  wrong_usage,  // anything else: the usage on standard error, status 2
};

CommandLineRequest parse_command_line(int argc, const char* const argv[]);

// The usage that --help prints (and a wrong command line, on standard error).
std::string_view usage_text();

// What a command line the program does not accept gets on standard error:
// one line that says what is wrong, then the usage.
std::string wrong_usage_text(int argc, const char* const argv[]);

// "orvcalc <version>\n".
std::string_view version_text();

// Exit status of a command line the program does not accept.
inline constexpr int EXIT_WRONG_USAGE = 2;
