#pragma once

#include <cstddef>

// Longest text format_number writes: sign, 16 digits, point, "e-308".
inline constexpr std::size_t NUMBER_TEXT_MAX = 32;

// Writes value as printf's "%.16g" does (glibc's spelling of infinities and
// not-a-number values included: "inf", "-inf", "nan", "-nan") into out,
// which holds at least NUMBER_TEXT_MAX bytes. Returns the length written.
std::size_t format_number(double value, char* out);

// Writes value as printf's "%d" does. Returns the length written.
std::size_t format_integer(int value, char* out);
