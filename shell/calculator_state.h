#pragma once

// The two registers every panel shares for the whole run. Nothing resets
// them: a read that finds no number leaves a register as it was, so values
// carry over from one panel to the next.
struct CalculatorState {
  double x = 0.0;  // first value
  double y = 0.0;  // second value and working result
  static constexpr double pi = 3.141592653589793;
};
