#pragma once

#include <optional>
#include <string_view>

// The number a line starts with. After leading white space, the longest
// prefix of the form [sign] digits [. digits] [e|E [sign] digits] (at least
// one mantissa digit, on either side of the point) is the number; the rest of
// the line is ignored. The prefix gets exactly the value strtod gives it, so
// out-of-range exponents give an infinity, zero or a subnormal. Nothing else
// counts as a number: no "inf", "nan" or hexadecimal. The text ends at its
// first NUL byte, as a C string would. Empty when there is no number.
std::optional<double> parse_number(std::string_view text);
