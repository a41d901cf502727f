#include "console/primitives.h"

#include <cstddef>

#include "console/number_format.h"
#include "console/number_parser.h"

void clear_screen(Console& console) { console.clear(); }

namespace {

// The text of one argument as the conversion writes it.
std::string_view convert(std::string_view conversion, const FormatArg& arg, char* number) {
  if (arg.kind == FormatArg::Kind::Text) return arg.text;
  if (conversion == "%d" && arg.kind == FormatArg::Kind::Int) {
    return {number, format_integer(arg.integer, number)};
  }
  const double value =
      arg.kind == FormatArg::Kind::Double ? arg.real : static_cast<double>(arg.integer);
  return {number, format_number(value, number)};
}

}  // namespace

void write_formatted(Console& console, std::string_view format,
                     std::initializer_list<FormatArg> args) {
  const FormatArg* next = args.begin();
  std::size_t literal_start = 0;
  std::size_t pos = 0;
  char number[NUMBER_TEXT_MAX];
  while ((pos = format.find('%', pos)) != std::string_view::npos) {
    const std::string_view rest = format.substr(pos);
    std::string_view conversion;
    for (const std::string_view known : {"%.16g", "%d", "%s", "%%"}) {
      if (rest.starts_with(known)) conversion = known;
    }
    if (conversion.empty() || (conversion != "%%" && next == args.end())) {
      ++pos;  // not a conversion this program uses: written as it stands
      continue;
    }
    console.write(format.substr(literal_start, pos - literal_start));
    console.write(conversion == "%%" ? std::string_view("%") : convert(conversion, *next++, number));
    pos += conversion.size();
    literal_start = pos;
  }
  console.write(format.substr(literal_start));
}

int read_key(Console& console) { return console.read_key_code(); }

void read_number(Console& console, std::string_view prompt, double& target) {
  // The one line buffer of the run.
  static char line[LINE_BUFFER_SIZE];
  console.write(prompt);
  if (!console.read_line(line, LINE_LIMIT)) return;
  std::size_t length = 0;
  for (; line[length] != '\0'; ++length) {
    if (line[length] == ',') line[length] = '.';
  }
  if (const auto value = parse_number(std::string_view(line, length))) target = *value;
}

int pause_for_key(Console& console, std::string_view text) {
  console.write(text);
  return read_key(console);
}
