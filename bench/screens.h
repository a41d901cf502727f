#pragma once

// The bytes of the screens the floor programs write, laid out once at compile
// time so that a floor only ever copies them: the main menu, the quit
// question, and the square-root panel in its 80-column UTF-8 frame.

#include <array>
#include <cstddef>
#include <string_view>

namespace screens {

inline constexpr std::string_view CLEAR = "\x1b[H\x1b[2J";

// The clear sequence and the main menu as one piece, so that a cleared menu
// is a single write; MAIN_MENU is its tail.
inline constexpr std::string_view CLEARED_MAIN_MENU =
    "\x1b[H\x1b[2J"
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
inline constexpr std::string_view MAIN_MENU = CLEARED_MAIN_MENU.substr(CLEAR.size());
static_assert(CLEARED_MAIN_MENU.starts_with(CLEAR));

inline constexpr std::string_view QUIT_QUESTION =
    "Press ESC again to quit, or any other key to go back to main menu.\n";

inline constexpr std::string_view PROMPT = "Insert value: ";
inline constexpr std::string_view PAUSE = "Press any key to continue\n";

namespace detail {

inline constexpr int INNER = 78;  // characters between the side borders
inline constexpr std::string_view H = "\u2550", V = "\u2551";
inline constexpr std::string_view ROWS[] = {
    "Digit '1' then the value whose square root is to be found.",
    "",
    "When watching the result see first the value in the left side.",
    "",
};
inline constexpr std::string_view ESC_LEFT = "Digit ESC to go back to main menu.";
inline constexpr std::string_view ESC_RIGHT = "Thanks G-D.";

inline constexpr std::size_t BORDER_BYTES = 2 * 3 + INNER * H.size() + 1;
inline constexpr std::size_t CONTENT_BYTES = 2 * V.size() + INNER + 1;
// The clear sequence comes first, so that a cleared panel is one piece too.
inline constexpr std::size_t PANEL_BYTES = CLEAR.size() + 2 * BORDER_BYTES + 5 * CONTENT_BYTES;

constexpr std::array<char, PANEL_BYTES> make_panel() {
  std::array<char, PANEL_BYTES> out{};
  std::size_t n = 0;
  auto put = [&](std::string_view s) {
    for (const char c : s) out[n++] = c;
  };
  auto border = [&](std::string_view left, std::string_view right) {
    put(left);
    for (int i = 0; i < INNER; ++i) put(H);
    put(right);
    put("\n");
  };
  auto content = [&](std::string_view left, std::string_view right) {
    put(V);
    put(left);
    for (std::size_t i = left.size() + right.size(); i < INNER; ++i) put(" ");
    put(right);
    put(V);
    put("\n");
  };
  put(CLEAR);
  border("\u2554", "\u2557");
  for (const std::string_view row : ROWS) content(row, "");
  content(ESC_LEFT, ESC_RIGHT);
  border("\u255a", "\u255d");
  return out;
}

inline constexpr std::array<char, PANEL_BYTES> PANEL_BYTES_ARRAY = make_panel();

}  // namespace detail

inline constexpr std::string_view CLEARED_SQUARE_ROOT_PANEL{detail::PANEL_BYTES_ARRAY.data(),
                                                            detail::PANEL_BYTES_ARRAY.size()};
inline constexpr std::string_view SQUARE_ROOT_PANEL = CLEARED_SQUARE_ROOT_PANEL.substr(CLEAR.size());

}  // namespace screens
