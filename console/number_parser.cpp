#include "console/number_parser.h"

#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <string>

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of decimal digits at text[from...].
std::size_t digits_at(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && is_digit(text[end])) ++end;
  return end - from;
}

// strtod on a copy of the accepted prefix only, so that it cannot read past
// what the grammar accepted (as it would in "0x10"). Only overflow and
// underflow come here.
double strtod_of(std::string_view prefix) {
  const std::string copy(prefix);
  return std::strtod(copy.c_str(), nullptr);
}

}  // namespace

std::optional<double> parse_number(std::string_view text) {
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    text = text.substr(0, nul);
  }
  std::size_t pos = 0;
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  const std::size_t start = pos;

  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t unsigned_start = pos;

  const std::size_t integer_digits = digits_at(text, pos);
  pos += integer_digits;
  std::size_t fraction_digits = 0;
  if (pos < text.size() && text[pos] == '.') {
    fraction_digits = digits_at(text, pos + 1);
    if (integer_digits + fraction_digits > 0) pos += 1 + fraction_digits;
  }
  if (integer_digits + fraction_digits == 0) return std::nullopt;

  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t exponent = pos + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponent_digits = digits_at(text, exponent);
    if (exponent_digits > 0) pos = exponent + exponent_digits;
  }

  // from_chars is exact and locale-free but takes no sign and reports
  // overflow and underflow instead of rounding them; strtod settles those.
  const std::string_view digits = text.substr(unsigned_start, pos - unsigned_start);
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) {
    return strtod_of(text.substr(start, pos - start));
  }
  return negative ? -value : value;
}
