#include "calculators/currency.h"

namespace {

constexpr Paragraph PARAGRAPHS[] = {
    {"Digit '1' to convert from Euro to Italian Lira."},
    {"Digit '2' to convert from Italian Lira to Euro."},
};

constexpr PanelAction ACTIONS[] = {
    {'1', convert_euro_to_lira},
    {'2', convert_lira_to_euro},
};

}  // namespace

// Amounts are printed unrounded: no currency rounding.
void convert_euro_to_lira(CalculatorState& state, Console& console) {
  read_number(console, "Input value in Euro: ", state.x);
  write_text(console, "\n\n%.16g Euro equals to %.16g Italian Lira.\n\n\n", state.x,
             state.x * EURO_TO_LIRA);
}

void convert_lira_to_euro(CalculatorState& state, Console& console) {
  read_number(console, "Input value in Lira: ", state.x);
  write_text(console, "\n\n%.16g Italian Lira equals to %.16g Euro.\n\n\n", state.x,
             state.x / EURO_TO_LIRA);
}

const Panel currency_panel = {PARAGRAPHS, HINT_LEFT_VALUE, ACTIONS};
