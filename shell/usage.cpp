#include "shell/usage.h"

namespace {

constexpr std::string_view USAGE =
    "Usage: orvcalc [--help | --version]\n"
    "\n"
    "orvcalc is a menu-driven scientific calculator for the text console:\n"
    "temperature scales, euro-lira, powers, logarithms, square roots,\n"
    "trigonometry, a four-operation calculator, absolute values, inverse\n"
    "trigonometry and a table of Bessel functions.\n"
    "\n"
    "Keys (single key presses, no Enter):\n"
    "  1-9, a, b   at the main menu, open a function\n"
    "  1-5         in a function's panel, run one of the actions it lists\n"
    "  ESC         leave a panel; at the main menu, ask whether to quit\n"
    "  ESC ESC     quit from the main menu\n"
    "  any key     go on after a result\n"
    "Numbers are typed as lines ended by Enter, with a decimal point or comma;\n"
    "a line without a number keeps the value the register had.\n"
    "\n"
    "Scripted use: with no controlling terminal (under setsid, say), keys and\n"
    "lines both come from standard input, one byte per key, and the program\n"
    "ends with status 0 at the end of its input. For 1.5 times 2.25:\n"
    "  printf '731,5\\n2,25\\n' | setsid -w orvcalc\n"
    "\n"
    "Options:\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "The manual: man orvcalc\n";

constexpr std::string_view VERSION_LINE = "orvcalc " ORVCALC_VERSION "\n";

}  // namespace

CommandLineRequest parse_command_line(int argc, const char* const argv[]) {
  if (argc <= 1) return CommandLineRequest::run;
  if (argc > 2) return CommandLineRequest::wrong_usage;
  const std::string_view argument = argv[1];
  if (argument == "--help") return CommandLineRequest::help;
  if (argument == "--version") return CommandLineRequest::version;
  return CommandLineRequest::wrong_usage;
}

std::string_view usage_text() { return USAGE; }

std::string wrong_usage_text(int argc, const char* const argv[]) {
  std::string text = "orvcalc: ";
  if (argc > 2) {
    text += "too many arguments";
  } else {
    text += "unknown argument '";
    text += argc == 2 ? argv[1] : "";
    text += "'";
  }
  text += "\n\n";
  text += USAGE;
  return text;
}

std::string_view version_text() { return VERSION_LINE; }
