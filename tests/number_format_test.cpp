#include "console/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "support/printf_reference.h"

namespace {

std::string formatted(double value) {
  char out[NUMBER_TEXT_MAX];
  return {out, format_number(value, out)};
}

TEST(NumberFormat, WritesWhatPrintfWritesForEdgeValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double edges[] = {0.0, -0.0, inf, -inf, nan, -nan, 1.0, -1.0, 0.1, 1e15, 1e16,
                          9999999999999998.0, 1e-4, 1e-5, 0.00009999999999999999,
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                          -std::numeric_limits<double>::max(), 671.6700000000001, 1e100, 1e-100};
  for (const double value : edges) EXPECT_EQ(formatted(value), printf_g16(value)) << value;
  for (int exponent = -30; exponent <= 30; ++exponent) {
    for (const double mantissa : {1.0, 9.999999999999999, 5.5, -1.0}) {
      const double value = mantissa * std::pow(10.0, exponent);
      EXPECT_EQ(formatted(value), printf_g16(value)) << value;
    }
  }
}

TEST(NumberFormat, WritesWhatPrintfWritesForRandomBitPatterns) {
  std::mt19937_64 random(20261211);
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    ASSERT_EQ(formatted(value), printf_g16(value)) << std::hexfloat << value;
  }
}

TEST(NumberFormat, WritesIntegersLikePercentD) {
  char out[NUMBER_TEXT_MAX];
  for (const int value : {0, 4, -7, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(std::string(out, format_integer(value, out)), std::to_string(value));
  }
}

}  // namespace
