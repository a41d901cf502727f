#include "console/number_parser.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct ParseCase {
  std::string text;
  std::optional<double> expected;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class NumberParserCases : public testing::TestWithParam<ParseCase> {};

TEST_P(NumberParserCases, ParsesTheDecimalPrefixOnly) {
  const ParseCase& c = GetParam();
  const std::optional<double> got = parse_number(c.text);
  ASSERT_EQ(got.has_value(), c.expected.has_value()) << "text: " << c.text;
  if (!c.expected) return;
  if (std::isnan(*c.expected)) {
    EXPECT_TRUE(std::isnan(*got));
  } else {
    EXPECT_EQ(*got, *c.expected) << "text: " << c.text;
    EXPECT_EQ(std::signbit(*got), std::signbit(*c.expected)) << "text: " << c.text;
  }
}

constexpr double INF = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Grammar, NumberParserCases,
    testing::Values(ParseCase{"3.75\n", 3.75}, ParseCase{" -0.5\n", -0.5},
                    ParseCase{"1.5e3", 1500.0}, ParseCase{"1.2.3", 1.2},
                    ParseCase{"1.234.5", 1.234}, ParseCase{"12abc", 12.0},
                    ParseCase{"abc", std::nullopt}, ParseCase{"", std::nullopt},
                    ParseCase{"\n", std::nullopt}, ParseCase{"-", std::nullopt},
                    ParseCase{"+", std::nullopt}, ParseCase{".", std::nullopt},
                    ParseCase{"-.", std::nullopt}, ParseCase{"e5", std::nullopt},
                    ParseCase{"+7", 7.0}, ParseCase{".5", 0.5}, ParseCase{"-.5", -0.5},
                    ParseCase{"5.", 5.0}, ParseCase{"1e", 1.0}, ParseCase{"1e+", 1.0},
                    ParseCase{"1E-2x", 0.01}, ParseCase{"-0", -0.0},
                    ParseCase{"\t\v\f\r 42", 42.0}, ParseCase{"0x10", 0.0},
                    ParseCase{"nan", std::nullopt}, ParseCase{"inf", std::nullopt},
                    ParseCase{"-infinity", std::nullopt}, ParseCase{"1e999", INF},
                    ParseCase{"-1e999", -INF}, ParseCase{"1e-999", 0.0},
                    ParseCase{"-1e-99999", -0.0}, ParseCase{"1e-320", 1e-320},
                    ParseCase{"- 5", std::nullopt}, ParseCase{"--5", std::nullopt},
                    ParseCase{std::string("7\0" "8", 3), 7.0},
                    ParseCase{std::string("\0" "8", 2), std::nullopt},
                    ParseCase{"0.1000000000000000055511151231257827", 0.1},
                    ParseCase{"17976931348623157" + std::string(292, '0'), 1.7976931348623157e308}));

// The value of the accepted prefix is strtod's, digit for digit.
TEST(NumberParser, AgreesWithStrtodOnAcceptedPrefixes) {
  const char* texts[] = {"2.2250738585072011e-308", "4.9406564584124654e-324",
                         "2.4703282292062327e-324", "9007199254740993",
                         "0.30000000000000004441", "123456789012345678901234567890e-10",
                         "1.7976931348623158e308", "1.7976931348623159e308"};
  for (const char* text : texts) {
    const std::optional<double> got = parse_number(text);
    ASSERT_TRUE(got.has_value()) << text;
    EXPECT_EQ(*got, std::strtod(text, nullptr)) << text;
  }
}

}  // namespace
