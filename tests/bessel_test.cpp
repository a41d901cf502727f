#include "calculators/bessel.h"

#include <math.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/printf_reference.h"
#include "support/scripted_console.h"

namespace {

// The table for x as the C library computes it; `shown` is x in the title.
std::string expected_table(const std::string& shown, double value) {
  volatile double x = value;
  std::string table = "Enter a Floating-point value: \n\nBessel functions for x = " + shown +
                      ":\n\n Kind\tOrder\tFunction\tResult\n\n";
  table += " First\t0\t_j0( x )\t" + printf_g16(::j0(x)) + "\n";
  table += " First\t1\t_j1( x )\t" + printf_g16(::j1(x)) + "\n";
  for (int n = 2; n <= 4; ++n) {
    table += " First\t" + std::to_string(n) + "\t_jn( n, x )\t" + printf_g16(::jn(n, x)) + "\n";
  }
  table += "\n Second\t0\t_y0( x )\t" + printf_g16(::y0(x)) + "\n";
  table += " Second\t1\t_y1( x )\t" + printf_g16(::y1(x)) + "\n";
  for (int n = 2; n <= 4; ++n) {
    table += " Second\t" + std::to_string(n) + "\t_yn( n, x )\t" + printf_g16(::yn(n, x)) + "\n";
  }
  return table;
}

std::string run(const std::string& input, CalculatorState& state) {
  ScriptedConsole console(input);
  calculate_bessel_table(state, console);
  return console.output();
}

bool is_finite_text(const std::string& text) {
  return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
}

// The results of the rows that start with `kind`, in order.
std::vector<std::string> results_of(const std::string& table, const std::string& kind) {
  std::vector<std::string> results;
  std::size_t at = 0;
  while ((at = table.find("\n" + kind + "\t", at)) != std::string::npos) {
    const std::size_t end = table.find('\n', at + 1);
    const std::size_t tab = table.rfind('\t', end);
    results.push_back(table.substr(tab + 1, end - tab - 1));
    at = end;
  }
  return results;
}

TEST(BesselTable, WritesFiveRowsOfEachKindForAnyX) {
  for (const char* value : {"0", "-2,5", "2.5", "10", "1e-05", "1e300"}) {
    SCOPED_TRACE(value);
    CalculatorState state;
    const std::string table = run(std::string(value) + "\n", state);
    EXPECT_EQ(table, expected_table(printf_g16(state.x), state.x));
    EXPECT_EQ(results_of(table, " First").size(), 5u);
    EXPECT_EQ(results_of(table, " Second").size(), 5u);
  }
}

TEST(BesselTable, AtZeroOnlyJZeroIsNonZeroAndTheSecondKindIsNotFinite) {
  CalculatorState state;
  const std::string table = run("0\n", state);
  EXPECT_NE(table.find("\n First\t0\t_j0( x )\t1\n First\t1\t_j1( x )\t0\n"
                       " First\t2\t_jn( n, x )\t0\n First\t3\t_jn( n, x )\t0\n"
                       " First\t4\t_jn( n, x )\t0\n\n Second\t0\t_y0( x )\t"),
            std::string::npos)
      << table;
  for (const std::string& result : results_of(table, " Second")) {
    EXPECT_FALSE(is_finite_text(result)) << result;
  }
}

TEST(BesselTable, ANegativeXHasFiniteFirstKindAndNonFiniteSecondKind) {
  CalculatorState state;
  state.y = 12;
  const std::string table = run("-2.5\n", state);
  for (const std::string& result : results_of(table, " First")) {
    EXPECT_TRUE(is_finite_text(result)) << result;
  }
  for (const std::string& result : results_of(table, " Second")) {
    EXPECT_FALSE(is_finite_text(result)) << result;
  }
  EXPECT_EQ(state.x, -2.5);
  EXPECT_EQ(state.y, 12.0);
}

TEST(BesselPanel, PausesWithALeadingNewline) {
  ScriptedConsole drawn("");
  draw_panel(drawn, bessel_panel);
  CalculatorState state;
  ScriptedConsole console("1\n\x1b\x1b");
  state.x = 1;
  EXPECT_TRUE(run_panel(bessel_panel, state, console));
  EXPECT_EQ(console.output(), drawn.output() + std::string(CLS) + expected_table("1", 1) +
                                  "\nPress any key to continue\n" + drawn.output());
}

}  // namespace
