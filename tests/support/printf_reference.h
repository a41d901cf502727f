#pragma once

#include <cstdio>
#include <string>

// The C library's own "%.16g": the reference every printed number is checked
// against.
inline std::string printf_g16(double value) {
  char out[64];
  std::snprintf(out, sizeof out, "%.16g", value);
  return out;
}
