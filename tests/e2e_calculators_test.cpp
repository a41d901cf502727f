// The calculators in the real program: a temperature conversion exactly as
// it shows on a terminal, and a script that visits every main-menu key.

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/pty_session.h"

namespace {

void expect_screen(PtySession& session, std::string_view text) {
  const std::string expected = screen(text);
  EXPECT_EQ(session.read_until(expected), expected);
}

TEST(EndToEndCalculators, CelsiusHundredAsItShowsOnTheTerminal) {
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("1");
  expect_screen(session, TEMPERATURE_PANEL_TEXT);
  session.type("2");
  expect_screen(session, "Insert Celsius degrees: ");
  ASSERT_TRUE(session.type_line("100\r"));

  // Line by line as the screen reads below the prompt, starting with the
  // echoed input.
  const std::string conversion = crlf(
      "100\n"
      "\n"
      "\n"
      "(100°) Celsius  =  (212°) Fahrenheit;\n"
      "\n"
      "\n"
      "(100°) Celsius  =  (373.15°) Kelvin;\n"
      "\n"
      "\n"
      "(100°) Celsius  =  (671.6700000000001°) Rankine;\n"
      "\n"
      "\n"
      "(100°) Celsius  =  (80°) Reaumur;\n"
      "\n"
      "\n"
      "Press any key to continue\n");
  EXPECT_EQ(session.read_until(conversion), conversion);

  session.type("\x1b");  // consumed by the pause: the panel comes back
  expect_screen(session, TEMPERATURE_PANEL_TEXT);
  session.type("\x1b");
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("\x1b\x1b");
  expect_screen(session, QUIT_QUESTION_TEXT);
  EXPECT_EQ(session.wait_exit(), ProcessStatus::exited_with(0));
}

// One visit per main-menu key: the key, then what is typed in its panel
// (action key, number lines, the key for the pause, ESC), the first option
// row of the panel, and one result it must show.
struct Visit {
  std::string_view menu_key;
  std::string_view typed;
  std::string_view option_row;
  std::string_view result;
};

constexpr Visit VISITS[] = {
    {"1", "2" "100\n" "x\x1b",
     "║Digit '1' for Fahrenheit to Celsius    to Kelvin  to Rankine to Reaumur.      ║\n",
     "\n\n(100°) Celsius  =  (212°) Fahrenheit;\n"},
    {"2", "1" "2,5\n" "x\x1b",
     "║Digit '1' to convert from Euro to Italian Lira.                               ║\n",
     "\n\n2.5 Euro equals to 4840.675 Italian Lira.\n\n\n"},
    {"3", "1" "2\n" "10\n" "x\x1b",
     "║Digit '1' to calculate x raised to the power of y.                            ║\n",
     "\n\n2 to the power of 10 = 1024;\n\n\n"},
    {"4", "1" "1000\n" "x\x1b",
     "║Digit '1' then the value whose base-10 logarithm and natural logarithm is to  ║\n"
     "║be found.                                                                     ║\n",
     "\n\nThe logarithm, in base-10, of ( 1000 ) is 3;\n"},
    {"5", "1" "2\n" "x\x1b",
     "║Digit '1' then the value whose square root is to be found.                    ║\n",
     "\n\nThe square root of 2 is 1.414213562373095;\n\n\n"},
    {"6", "1" "45\n" "x\x1b",
     "║Digit '1' then the value whose sine, cosine, tangent, with angles in degrees, ║\n"
     "║radians, gradients is to be found, also hyperbolic.                           ║\n",
     "The tangent of            ( 45 )  is  0.9999999999999999;\n"},
    {"7", "1" "0.1\n" "0.2\n" "x\x1b",
     "║Digit '1' for a plus (+) operation.                                           ║\n",
     "\n\n0.1 (+) 0.2 = 0.3;\n\n\n"},
    {"8", "1" "-3,5\n" "x\x1b",
     "║Digit '1' then insert the value to calculate it's absolute value.             ║\n",
     "\nThe absolute value of -3.5 is 3.5\n\n"},
    {"9", "1" "1\n" "x\x1b",
     "║Digit '1' Calculates the arcsine and arccosine of a given number.             ║\n",
     "Arcsine of 1 = 1.570796326794897\n"},
    {"a", "1" "1\n" "0\n" "x\x1b",
     "║Digit '1' Calculates the arctangent of x and the arctangent of y/x.           ║\n",
     "Arctangent of 1 / 0: 1.570796326794897\n"},
    {"b", "1" "0\n" "x\x1b",
     "║Digit '1' Calculate Bessel functions _j0, _j1, _jn, _y0, _y1, _yn.            ║\n",
     " First\t0\t_j0( x )\t1\n"},
};

TEST(EndToEndCalculators, ScriptVisitsEveryMainMenuKey) {
  std::string input;
  for (const Visit& visit : VISITS) {
    input += visit.menu_key;
    input += visit.typed;
  }
  const ScriptedRun run = run_without_terminal(input);
  EXPECT_EQ(run.status, ProcessStatus::exited_with(0));
  EXPECT_EQ(run.err, "");

  // In order: each panel after the main menu, its result, the main menu again.
  const std::string& out = run.out;
  ASSERT_TRUE(out.starts_with(MAIN_MENU_TEXT));
  std::size_t at = MAIN_MENU_TEXT.size();
  for (const Visit& visit : VISITS) {
    SCOPED_TRACE(testing::Message() << "main-menu key " << visit.menu_key);
    const std::size_t panel = out.find(visit.option_row, at);
    ASSERT_NE(panel, std::string::npos) << out.substr(at);
    const std::size_t result = out.find(visit.result, panel);
    ASSERT_NE(result, std::string::npos) << out.substr(panel);
    at = out.find(MAIN_MENU_TEXT, result);
    ASSERT_NE(at, std::string::npos) << out.substr(result);
    at += MAIN_MENU_TEXT.size();
  }
  EXPECT_EQ(at, out.size()) << "written after the last main menu: " << out.substr(at);
}

}  // namespace
