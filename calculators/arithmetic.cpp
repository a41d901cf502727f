#include "calculators/arithmetic.h"

namespace {

template <Operation operation>
void calculate_with(CalculatorState& state, Console& console) {
  calculate(state, console, operation);
}

constexpr Paragraph PARAGRAPHS[] = {
    {"Digit '1' for a plus (+) operation."},
    {"Digit '2' for a minus (-) operation."},
    {"Digit '3' for a multiplication (*) operation."},
    {"Digit '4' for a division (/) operation."},
};

constexpr PanelAction ACTIONS[] = {
    {'1', calculate_with<Operation::Add>},
    {'2', calculate_with<Operation::Subtract>},
    {'3', calculate_with<Operation::Multiply>},
    {'4', calculate_with<Operation::Divide>},
};

}  // namespace

void calculate(CalculatorState& state, Console& console, Operation operation) {
  read_number(console, "Insert first value: ", state.x);
  read_number(console, "\n\nInsert 2nd value: ", state.y);
  const double x = state.x;
  const double y = state.y;
  switch (operation) {
    case Operation::Add:
      write_text(console, "\n\n%.16g (+) %.16g = %.16g;\n\n\n", x, y, x + y);
      break;
    case Operation::Subtract:
      write_text(console, "\n\n%.16g (-) %.16g = %.16g;\n\n\n", x, y, x - y);
      break;
    case Operation::Multiply:
      write_text(console, "\n\n%.16g (*) %.16g = %.16g;\n\n\n", x, y, x * y);
      break;
    case Operation::Divide:
      write_text(console, "\n\n%.16g (/) %.16g = %.16g;\n\n\n", x, y, x / y);
      break;
  }
}

const Panel arithmetic_panel = {PARAGRAPHS, HINT_LEFT_VALUE, ACTIONS};
