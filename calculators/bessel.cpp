#include "calculators/bessel.h"

#include <math.h>  // j0, j1, jn, y0, y1, yn come from the C library, not <cmath>

namespace {

constexpr int HIGHEST_ORDER = 4;

constexpr Paragraph PARAGRAPHS[] = {
    {"Digit '1' Calculate Bessel functions _j0, _j1, _jn, _y0, _y1, _yn."},
};

constexpr PanelAction ACTIONS[] = {
    {'1', calculate_bessel_table, "\nPress any key to continue\n"},
};

}  // namespace

void calculate_bessel_table(CalculatorState& state, Console& console) {
  read_number(console, "Enter a Floating-point value: ", state.x);
  const double x = state.x;
  write_text(console, "\n\nBessel functions for x = %.16g:\n\n", x);
  write_text(console, " Kind\tOrder\tFunction\tResult\n\n");
  write_text(console, " First\t0\t_j0( x )\t%.16g\n", ::j0(x));
  write_text(console, " First\t1\t_j1( x )\t%.16g\n", ::j1(x));
  for (int n = 2; n <= HIGHEST_ORDER; ++n) {
    write_text(console, " First\t%d\t_jn( n, x )\t%.16g\n", n, ::jn(n, x));
  }
  write_text(console, "\n Second\t0\t_y0( x )\t%.16g\n", ::y0(x));
  write_text(console, " Second\t1\t_y1( x )\t%.16g\n", ::y1(x));
  for (int n = 2; n <= HIGHEST_ORDER; ++n) {
    write_text(console, " Second\t%d\t_yn( n, x )\t%.16g\n", n, ::yn(n, x));
  }
}

const Panel bessel_panel = {PARAGRAPHS, HINT_VALUE_OF_X, ACTIONS};
