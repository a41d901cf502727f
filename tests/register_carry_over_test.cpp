// Whole sessions from the main menu: every panel's screens as the user sees
// them, and the registers x and y carried from one panel to the next.
#include <math.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/printf_reference.h"

#include "shell/calculator_state.h"
#include "shell/main_menu.h"
#include "support/expected_screens.h"
#include "support/scripted_console.h"

namespace {

const std::string MAIN_MENU = std::string(CLS) + std::string(MAIN_MENU_TEXT);

const std::string QUIT_SCREEN = std::string(CLS) + std::string(QUIT_QUESTION_TEXT);

const std::string PAUSE = "Press any key to continue\n";
const std::string BESSEL_PAUSE = "\nPress any key to continue\n";

const std::string TOP(FRAME_TOP);
const std::string BOTTOM(FRAME_BOTTOM);
const std::string BLANK(FRAME_BLANK);
const std::string ESC_ROW(FRAME_ESC_ROW);

// A content row: the text padded with blanks to the 78 columns inside.
std::string row(const std::string& text) {
  return "║" + text + std::string(78 - text.size(), ' ') + "║\n";
}

std::string frame(std::initializer_list<std::string> rows) {
  std::string panel = std::string(CLS) + TOP;
  for (const std::string& r : rows) panel += r;
  return panel + ESC_ROW + BOTTOM;
}

const std::string PARENTHESES =
    row("When watching the result see first the value in the parentheses.");
const std::string LEFT_VALUE =
    row("When watching the result see first the value in the left side.");
const std::string LEFT_VALUES =
    row("When watching the result see first the values in the left side.");
const std::string VALUE_OF_X = row("When watching the result see first the value of x.");

const std::string TEMPERATURE_PANEL = frame({
    row("Digit '1' for Fahrenheit to Celsius    to Kelvin  to Rankine to Reaumur."), BLANK,
    row("Digit '2' for Celsius    to Fahrenheit to Kelvin  to Rankine to Reaumur."), BLANK,
    row("Digit '3' for Kelvin     to Fahrenheit to Celsius to Rankine to Reaumur."), BLANK,
    row("Digit '4' for Rankine    to Fahrenheit to Celsius to Kelvin  to Reaumur."), BLANK,
    row("Digit '5' for Reaumur    to Fahrenheit to Celsius to Kelvin  to Rankine."), BLANK,
    PARENTHESES, BLANK});
const std::string CURRENCY_PANEL = frame({
    row("Digit '1' to convert from Euro to Italian Lira."), BLANK,
    row("Digit '2' to convert from Italian Lira to Euro."), BLANK,
    LEFT_VALUE, BLANK});
const std::string POWER_PANEL = frame({
    row("Digit '1' to calculate x raised to the power of y."), BLANK,
    LEFT_VALUES, BLANK});
const std::string LOGARITHM_PANEL = frame({
    row("Digit '1' then the value whose base-10 logarithm and natural logarithm is to"),
    row("be found."), BLANK,
    PARENTHESES, BLANK});
const std::string SQUARE_ROOT_PANEL = std::string(CLS) + std::string(SQUARE_ROOT_PANEL_TEXT);
const std::string TRIGONOMETRY_PANEL = frame({
    row("Digit '1' then the value whose sine, cosine, tangent, with angles in degrees,"),
    row("radians, gradients is to be found, also hyperbolic."), BLANK,
    PARENTHESES, BLANK});
const std::string ARITHMETIC_PANEL = frame({
    row("Digit '1' for a plus (+) operation."), BLANK,
    row("Digit '2' for a minus (-) operation."), BLANK,
    row("Digit '3' for a multiplication (*) operation."), BLANK,
    row("Digit '4' for a division (/) operation."), BLANK,
    LEFT_VALUE, BLANK});
const std::string ABSOLUTE_VALUE_PANEL = frame({
    row("Digit '1' then insert the value to calculate it's absolute value."), BLANK,
    LEFT_VALUE, BLANK});
const std::string ARCSINE_PANEL = frame({
    row("Digit '1' Calculates the arcsine and arccosine of a given number."), BLANK,
    LEFT_VALUE, BLANK});
const std::string ARCTANGENT_PANEL = frame({
    row("Digit '1' Calculates the arctangent of x and the arctangent of y/x."), BLANK,
    LEFT_VALUE, BLANK});
const std::string BESSEL_PANEL = frame({
    row("Digit '1' Calculate Bessel functions _j0, _j1, _jn, _y0, _y1, _yn."), BLANK,
    VALUE_OF_X, BLANK});

const std::string CELSIUS_100 =
    "Insert Celsius degrees: "
    "\n\n(100°) Celsius  =  (212°) Fahrenheit;\n"
    "\n\n(100°) Celsius  =  (373.15°) Kelvin;\n"
    "\n\n(100°) Celsius  =  (671.6700000000001°) Rankine;\n"
    "\n\n(100°) Celsius  =  (80°) Reaumur;\n\n\n";

std::string run_session(const std::string& input, CalculatorState& state) {
  ScriptedConsole console(input);
  run_main_menu(state, console);
  return console.output();
}

// One action of one panel from the main menu: open the panel, run the
// action, pause, see the panel again, leave it, quit.
struct PanelVisit {
  const char* keys;  // main-menu key and action key
  std::string lines;
  const std::string* panel;
  std::string screen;
  const std::string* pause;
};

TEST(Session, EveryMainMenuKeyShowsItsPanelAndResultScreen) {
  volatile double zero = 0;
  const std::string second_kind_at_zero =
      "\n Second\t0\t_y0( x )\t" + printf_g16(::y0(zero)) +
      "\n Second\t1\t_y1( x )\t" + printf_g16(::y1(zero)) +
      "\n Second\t2\t_yn( n, x )\t" + printf_g16(::yn(2, zero)) +
      "\n Second\t3\t_yn( n, x )\t" + printf_g16(::yn(3, zero)) +
      "\n Second\t4\t_yn( n, x )\t" + printf_g16(::yn(4, zero)) + "\n";
  const std::vector<PanelVisit> visits = {
      {"12", "100\n", &TEMPERATURE_PANEL, CELSIUS_100, &PAUSE},
      {"21", "2,5\n", &CURRENCY_PANEL,
       "Input value in Euro: \n\n2.5 Euro equals to 4840.675 Italian Lira.\n\n\n", &PAUSE},
      {"31", "2\n10\n", &POWER_PANEL,
       "Insert x: \n\nInsert y: \n\n2 to the power of 10 = 1024;\n\n\n", &PAUSE},
      {"41", "1\n", &LOGARITHM_PANEL,
       "Insert value: \n\nThe logarithm, in base-10, of ( 1 ) is 0;\n"
       "\n\nThe natural logarithm of      ( 1 ) is 0;\n\n\n",
       &PAUSE},
      {"51", "2\n", &SQUARE_ROOT_PANEL,
       "Insert value: \n\nThe square root of 2 is 1.414213562373095;\n\n\n", &PAUSE},
      {"61", "0\n", &TRIGONOMETRY_PANEL, std::string(TRIGONOMETRY_OF_ZERO_TEXT),
       &PAUSE},
      {"74", "1\n3\n", &ARITHMETIC_PANEL,
       "Insert first value: \n\nInsert 2nd value: \n\n1 (/) 3 = 0.3333333333333333;\n\n\n", &PAUSE},
      {"81", "-3,5\n", &ABSOLUTE_VALUE_PANEL,
       "Insert value: \nThe absolute value of -3.5 is 3.5\n\n", &PAUSE},
      {"91", "1\n", &ARCSINE_PANEL,
       "Enter a real number between -1 and 1: "
       "Arcsine of 1 = 1.570796326794897\nArccosine of 1 = 0\n",
       &PAUSE},
      {"a1", "0\n-1\n", &ARCTANGENT_PANEL,
       "Enter a real number: Arctangent of 0 : 0\n"
       "Enter a second real number: Arctangent of 0 / -1: 3.141592653589793\n",
       &PAUSE},
      {"b1", "0\n", &BESSEL_PANEL,
       "Enter a Floating-point value: \n\nBessel functions for x = 0:\n\n"
       " Kind\tOrder\tFunction\tResult\n\n"
       " First\t0\t_j0( x )\t1\n"
       " First\t1\t_j1( x )\t0\n"
       " First\t2\t_jn( n, x )\t0\n"
       " First\t3\t_jn( n, x )\t0\n"
       " First\t4\t_jn( n, x )\t0\n" +
           second_kind_at_zero,
       &BESSEL_PAUSE},
  };
  for (const PanelVisit& visit : visits) {
    SCOPED_TRACE(visit.keys);
    CalculatorState state;
    const std::string input =
        std::string(1, visit.keys[0]) + visit.keys[1] + visit.lines + " \x1b\x1b\x1b";
    EXPECT_EQ(run_session(input, state), MAIN_MENU + *visit.panel + std::string(CLS) +
                                             visit.screen + *visit.pause + *visit.panel +
                                             MAIN_MENU + QUIT_SCREEN);
  }
}

TEST(Session, ACelsiusResultIsTheSecondOperandOfALaterSum) {
  CalculatorState state;
  EXPECT_EQ(run_session("12100\n \x1b"
                        "711\n\n \x1b"
                        "\x1b\x1b",
                        state),
            MAIN_MENU + TEMPERATURE_PANEL + std::string(CLS) + CELSIUS_100 + PAUSE +
                TEMPERATURE_PANEL + MAIN_MENU + ARITHMETIC_PANEL + std::string(CLS) +
                "Insert first value: \n\nInsert 2nd value: \n\n1 (+) 80 = 81;\n\n\n" + PAUSE +
                ARITHMETIC_PANEL + MAIN_MENU + QUIT_SCREEN);
  EXPECT_EQ(state.x, 1.0);
  EXPECT_EQ(state.y, 80.0);
}

TEST(Session, PanelsThatOnlyReadXLeaveYForTheNextCalculation) {
  // y = 80 from Celsius 100; x = 3 from the euro converter, then every
  // panel below is given an empty line and works on 3; the sum at the end
  // still finds 80 in y.
  CalculatorState state;
  const std::string out = run_session(
      "12100\n \x1b"
      "213\n \x1b"
      "41\n \x1b"
      "51\n \x1b"
      "81\n \x1b"
      "91\n \x1b"
      "b1\n \x1b"
      "71\n\n \x1b"
      "\x1b\x1b",
      state);
  for (const char* shown : {"\n\n3 Euro equals to 5808.809999999999 Italian Lira.",
                            "The logarithm, in base-10, of ( 3 ) is ",
                            "The square root of 3 is 1.732050807568877;",
                            "The absolute value of 3 is 3\n", "Arcsine of 3 = ",
                            "Bessel functions for x = 3:", "\n\n3 (+) 80 = 83;\n\n\n"}) {
    EXPECT_NE(out.find(shown), std::string::npos) << shown;
  }
  EXPECT_EQ(state.x, 3.0);
  EXPECT_EQ(state.y, 80.0);
}

TEST(Session, AnAngleAndAPowerExponentCarryIntoTheTwoValueArctangent) {
  volatile double one = 1;
  volatile double gradian_angle = 1.5707963267948968;  // 100 gradians
  volatile double two = 2;
  volatile double ten = 10;
  CalculatorState state;
  const std::string out = run_session(
      "61100\n \x1b"
      "a11\n\n \x1b"  // y is the angle of 100 gradians
      "312\n10\n \x1b"
      "a1\n\n \x1b"  // x = 2 and y = 10 from the power
      "\x1b\x1b",
      state);
  EXPECT_NE(out.find("Enter a second real number: Arctangent of 1 / 1.570796326794897: " +
                     printf_g16(std::atan2(one, gradian_angle)) + "\n"),
            std::string::npos);
  EXPECT_NE(out.find("Enter a real number: Arctangent of 2 : " + printf_g16(std::atan(two)) +
                     "\nEnter a second real number: Arctangent of 2 / 10: " +
                     printf_g16(std::atan2(two, ten)) + "\n"),
            std::string::npos);
  EXPECT_EQ(state.x, 2.0);
  EXPECT_EQ(state.y, 10.0);
}

TEST(Session, AnEmptyExponentReusesTheLastTemperatureResult) {
  CalculatorState state;
  const std::string out = run_session(
      "15-10\n \x1b"  // Reaumur -10: y ends as 469.17 Rankine
      "312\n\n \x1b"
      "\x1b\x1b",
      state);
  EXPECT_NE(out.find("(-10°) Reaumur  =  (469.17°) Rankine;"), std::string::npos);
  volatile double two = 2;
  volatile double rankine = state.y;
  EXPECT_EQ(printf_g16(rankine), "469.17");
  EXPECT_NE(out.find("\n\n2 to the power of 469.17 = " + printf_g16(std::pow(two, rankine)) +
                     ";\n\n\n"),
            std::string::npos);
}

}  // namespace
