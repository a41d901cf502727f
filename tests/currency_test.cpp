#include "calculators/currency.h"

#include <string>

#include <gtest/gtest.h>

#include "support/scripted_console.h"

namespace {

struct CurrencyCase {
  ActionRoutine routine;
  const char* line;
  const char* screen;
};

const CurrencyCase CONVERSIONS[] = {
    {convert_euro_to_lira, "1\n",
     "Input value in Euro: \n\n1 Euro equals to 1936.27 Italian Lira.\n\n\n"},
    {convert_euro_to_lira, "2.5\n",
     "Input value in Euro: \n\n2.5 Euro equals to 4840.675 Italian Lira.\n\n\n"},
    {convert_euro_to_lira, "2,5\n",
     "Input value in Euro: \n\n2.5 Euro equals to 4840.675 Italian Lira.\n\n\n"},
    {convert_euro_to_lira, "100\n",
     "Input value in Euro: \n\n100 Euro equals to 193627 Italian Lira.\n\n\n"},
    // No rounding to whole lire, and negative amounts convert as they are.
    {convert_euro_to_lira, "-3\n",
     "Input value in Euro: \n\n-3 Euro equals to -5808.809999999999 Italian Lira.\n\n\n"},
    {convert_lira_to_euro, "1936.27\n",
     "Input value in Lira: \n\n1936.27 Italian Lira equals to 1 Euro.\n\n\n"},
    {convert_lira_to_euro, "1000\n",
     "Input value in Lira: \n\n1000 Italian Lira equals to 0.5164568990894864 Euro.\n\n\n"},
};

TEST(CurrencyConversion, ConvertsAtTheFixedRateInBothDirections) {
  for (const CurrencyCase& c : CONVERSIONS) {
    SCOPED_TRACE(c.screen);
    CalculatorState state;
    state.y = 7;
    ScriptedConsole console(c.line);
    c.routine(state, console);
    EXPECT_EQ(console.output(), c.screen);
    EXPECT_EQ(state.y, 7.0);  // the result is only printed
  }
}

TEST(CurrencyConversion, ALineWithoutANumberConvertsThePreviousValue) {
  CalculatorState state;
  state.x = 2.5;
  ScriptedConsole console("\n\n");
  convert_euro_to_lira(state, console);
  convert_lira_to_euro(state, console);
  EXPECT_EQ(console.output(),
            "Input value in Euro: \n\n2.5 Euro equals to 4840.675 Italian Lira.\n\n\n"
            "Input value in Lira: \n\n2.5 Italian Lira equals to 0.001291142247723716 Euro.\n\n\n");
}

TEST(CurrencyPanel, KeyOneConvertsEuroAndKeyTwoLira) {
  ScriptedConsole drawn("");
  draw_panel(drawn, currency_panel);
  const std::string panel = drawn.output();
  CalculatorState state;
  ScriptedConsole console("11\n 21936.27\n \x1b");
  EXPECT_TRUE(run_panel(currency_panel, state, console));
  EXPECT_EQ(console.output(),
            panel + std::string(CLS) +
                "Input value in Euro: \n\n1 Euro equals to 1936.27 Italian Lira.\n\n\n"
                "Press any key to continue\n" +
                panel + std::string(CLS) +
                "Input value in Lira: \n\n1936.27 Italian Lira equals to 1 Euro.\n\n\n"
                "Press any key to continue\n" +
                panel);
}

}  // namespace
