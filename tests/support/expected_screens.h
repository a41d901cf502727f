#pragma once

// Texts the program must show, written out here once for every test that
// compares screens, independently of the program's own constants.

#include <string_view>

inline constexpr std::string_view MAIN_MENU_TEXT =
    "Orvane's Calculator V1.9\n\n"
    "Digit '1': Temperature converter for Fahrenheit, Celsius, Kelvin, Rankine, Reaumur.\n"
    "Digit '2': Euro to Italian Lira converter.\n"
    "Digit '3': Calculates x raised to the power of y.\n"
    "Digit '4': Calculates logarithms, both base-10, and natural.\n"
    "Digit '5': Calculates square roots.\n"
    "Digit '6': Calculates sines, cosines, tangents, with angles in degrees, radians\n"
    "and gradients, also hyperbolic.\n"
    "Digit '7': For a simple calculator (+, -, *, /).\n"
    "Digit '8': Calculates the absolute value of a given number.\n"
    "Digit '9': Calculates the arcsine and arccosine of a given number.\n"
    "Digit 'a': Calculates the arctangent of x and the arctangent of y/x.\n"
    "Digit 'b': Calculate Bessel functions _j0, _j1, _jn, _y0, _y1, _yn.\n"
    "\n\n\nPress ESC to quit.";

inline constexpr std::string_view QUIT_QUESTION_TEXT =
    "Press ESC again to quit, or any other key to go back to main menu.\n";

// Two panels written out in full, blanks and all.
inline constexpr std::string_view TEMPERATURE_PANEL_TEXT =
    "╔══════════════════════════════════════════════════════════════════════════════╗\n"
    "║Digit '1' for Fahrenheit to Celsius    to Kelvin  to Rankine to Reaumur.      ║\n"
    "║                                                                              ║\n"
    "║Digit '2' for Celsius    to Fahrenheit to Kelvin  to Rankine to Reaumur.      ║\n"
    "║                                                                              ║\n"
    "║Digit '3' for Kelvin     to Fahrenheit to Celsius to Rankine to Reaumur.      ║\n"
    "║                                                                              ║\n"
    "║Digit '4' for Rankine    to Fahrenheit to Celsius to Kelvin  to Reaumur.      ║\n"
    "║                                                                              ║\n"
    "║Digit '5' for Reaumur    to Fahrenheit to Celsius to Kelvin  to Rankine.      ║\n"
    "║                                                                              ║\n"
    "║When watching the result see first the value in the parentheses.              ║\n"
    "║                                                                              ║\n"
    "║Digit ESC to go back to main menu.                                 Thanks G-D.║\n"
    "╚══════════════════════════════════════════════════════════════════════════════╝\n";

inline constexpr std::string_view SQUARE_ROOT_PANEL_TEXT =
    "╔══════════════════════════════════════════════════════════════════════════════╗\n"
    "║Digit '1' then the value whose square root is to be found.                    ║\n"
    "║                                                                              ║\n"
    "║When watching the result see first the value in the left side.                ║\n"
    "║                                                                              ║\n"
    "║Digit ESC to go back to main menu.                                 Thanks G-D.║\n"
    "╚══════════════════════════════════════════════════════════════════════════════╝\n";

// The rows every panel frame shares.
inline constexpr std::string_view FRAME_TOP =
    "╔══════════════════════════════════════════════════════════════════════════════╗\n";
inline constexpr std::string_view FRAME_BOTTOM =
    "╚══════════════════════════════════════════════════════════════════════════════╝\n";
inline constexpr std::string_view FRAME_BLANK =
    "║                                                                              ║\n";
inline constexpr std::string_view FRAME_ESC_ROW =
    "║Digit ESC to go back to main menu.                                 Thanks G-D.║\n";

// The trigonometric table for 0, from its prompt on (no input echoed).
inline constexpr std::string_view TRIGONOMETRY_OF_ZERO_TEXT =
    "Insert value: \n"
    "Calculating angle in Degrees:\n"
    "The sine of               ( 0 )  is  0;\n"
    "The cosine of             ( 0 )  is  1;\n"
    "The tangent of            ( 0 )  is  0;\n"
    "\n"
    "Calculating angle in Radians:\n"
    "The sine of               ( 0 )  is  0;\n"
    "The cosine of             ( 0 )  is  1;\n"
    "The tangent of            ( 0 )  is  0;\n"
    "\n"
    "Calculating angle in Gradients:\n"
    "The sine of               ( 0 )  is  0;\n"
    "The cosine of             ( 0 )  is  1;\n"
    "The tangent of            ( 0 )  is  0;\n"
    "\n"
    "Hyperbolic for angle in Degrees, Radians, Gradients:\n"
    "The hyperbolic sine of    ( 0 )  is  0;\n"
    "The hyperbolic cosine of  ( 0 )  is  1;\n"
    "The hyperbolic tangent of ( 0 )  is  0;\n\n\n";
