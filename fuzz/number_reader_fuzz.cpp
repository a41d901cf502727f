// Differential fuzzing of the number reader. Any bytes are fed, as standard
// input, to read_number until the input runs out, and as one text to
// parse_number. Each result is compared with a reference written here on its
// own: fgets-style line splitting with the 255 limit, a maximal-munch
// automaton for the decimal grammar, and strtod on the accepted prefix. The
// register must keep its value exactly when the reference finds no number,
// and otherwise hold exactly strtod's bits.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "console/number_parser.h"
#include "console/primitives.h"
#include "support/scripted_console.h"

namespace {

[[noreturn]] void fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "number reader: %s\ntext (%zu bytes): \"", what, text.size());
  for (const char c : text.substr(0, 400)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      std::fputc(byte, stderr);
    } else {
      std::fprintf(stderr, "\\x%02x", byte);
    }
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

// The decimal grammar as an automaton, run for the longest accepting
// prefix:  blank* [+-]? (digit+ ('.' digit*)? | '.' digit+) ([eE] [+-]? digit+)?
enum State { BLANKS, SIGN, INTEGER, POINT_FIRST, FRACTION, EXP_MARK, EXP_SIGN, EXPONENT, DEAD };

constexpr bool ACCEPTING[] = {false, false, true, false, true, false, false, true, false};

State next_state(State state, char c) {
  const bool digit = c >= '0' && c <= '9';
  const bool sign = c == '+' || c == '-';
  const bool exp = c == 'e' || c == 'E';
  // The C locale's white space, which "%lg" and strtod skip.
  const bool blank = c == ' ' || (c >= '\t' && c <= '\r');
  switch (state) {
    case BLANKS:
      if (blank) return BLANKS;
      if (sign) return SIGN;
      if (digit) return INTEGER;
      return c == '.' ? POINT_FIRST : DEAD;
    case SIGN:
      if (digit) return INTEGER;
      return c == '.' ? POINT_FIRST : DEAD;
    case INTEGER:
      if (digit) return INTEGER;
      if (c == '.') return FRACTION;
      return exp ? EXP_MARK : DEAD;
    case POINT_FIRST: return digit ? FRACTION : DEAD;
    case FRACTION:
      if (digit) return FRACTION;
      return exp ? EXP_MARK : DEAD;
    case EXP_MARK:
      if (sign) return EXP_SIGN;
      return digit ? EXPONENT : DEAD;
    case EXP_SIGN: return digit ? EXPONENT : DEAD;
    case EXPONENT: return digit ? EXPONENT : DEAD;
    case DEAD: return DEAD;
  }
  return DEAD;
}

// What the number in a C string should be: text ends at its first NUL.
std::optional<double> reference_number(std::string_view text) {
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  State state = BLANKS;
  std::size_t number_start = 0;
  std::size_t accepted_end = 0;
  bool accepted = false;
  for (std::size_t i = 0; i < text.size() && state != DEAD; ++i) {
    state = next_state(state, text[i]);
    if (state == BLANKS) number_start = i + 1;
    if (ACCEPTING[state]) {
      accepted = true;
      accepted_end = i + 1;
    }
  }
  if (!accepted) return std::nullopt;
  const std::string prefix(text.substr(number_start, accepted_end - number_start));
  char* end = nullptr;
  const double value = std::strtod(prefix.c_str(), &end);
  if (end != prefix.c_str() + prefix.size()) fail("strtod stopped inside the accepted prefix", prefix);
  return value;
}

// A register value no parse can produce: a NaN with a payload.
const double UNTOUCHED = std::bit_cast<double>(std::uint64_t{0x7FF4'0000'DEAD'BEEF});

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void check_parse_number(std::string_view text) {
  const std::optional<double> expected = reference_number(text);
  const std::optional<double> got = parse_number(text);
  if (expected.has_value() != got.has_value()) {
    fail(expected ? "parse_number found no number" : "parse_number found a number that is not",
         text);
  }
  if (expected && !same_bits(*expected, *got)) fail("parse_number differs from strtod", text);
}

// Reads numbers from the input until a read fails, the script handed over
// `chunk` bytes at a time.
void check_read_number(std::string_view input, std::size_t chunk) {
  ScriptedConsole console{std::string(input), chunk};
  constexpr std::string_view PROMPT = "Insert value: ";
  std::size_t position = 0;
  for (;;) {
    // One line as fgets takes it: at most LINE_LIMIT - 1 bytes, through the
    // first newline.
    const std::string_view rest = input.substr(position);
    std::size_t take = std::min<std::size_t>(rest.size(), LINE_LIMIT - 1);
    if (const std::size_t newline = rest.substr(0, take).find('\n');
        newline != std::string_view::npos) {
      take = newline + 1;
    }
    std::string line(rest.substr(0, take));
    std::replace(line.begin(), line.end(), ',', '.');
    const std::optional<double> expected =
        take == 0 ? std::nullopt : reference_number(line);

    double target = UNTOUCHED;
    read_number(console, PROMPT, target);
    if (console.take_output() != PROMPT) fail("read_number wrote more than its prompt", line);
    if (!expected && !same_bits(target, UNTOUCHED)) fail("read_number stored a non-number", line);
    if (expected && !same_bits(target, *expected)) fail("read_number stored a wrong value", line);
    if (take == 0) return;
    position += take;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  check_parse_number(input);
  // A byte at a time exercises every refill boundary; 4096 at a time is how
  // a file arrives.
  check_read_number(input, 1);
  check_read_number(input, 4096);
  return 0;
}
