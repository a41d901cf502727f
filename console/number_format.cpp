#include "console/number_format.h"

#include <charconv>

std::size_t format_number(double value, char* out) {
  const auto result =
      std::to_chars(out, out + NUMBER_TEXT_MAX, value, std::chars_format::general, 16);
  return static_cast<std::size_t>(result.ptr - out);
}

std::size_t format_integer(int value, char* out) {
  const auto result = std::to_chars(out, out + NUMBER_TEXT_MAX, value);
  return static_cast<std::size_t>(result.ptr - out);
}
