#pragma once

#include <span>
#include <string_view>

#include "console/console.h"
#include "console/primitives.h"
#include "shell/calculator_state.h"

inline constexpr int FRAME_WIDTH = 80;
// Room for text between the two side borders of a content row.
inline constexpr int CONTENT_WIDTH = FRAME_WIDTH - 2;

// The hint rows; each panel shows one of them.
inline constexpr std::string_view HINT_PARENTHESES =
    "When watching the result see first the value in the parentheses.";
inline constexpr std::string_view HINT_LEFT_VALUE =
    "When watching the result see first the value in the left side.";
inline constexpr std::string_view HINT_LEFT_VALUES =
    "When watching the result see first the values in the left side.";
inline constexpr std::string_view HINT_VALUE_OF_X =
    "When watching the result see first the value of x.";

using ActionRoutine = void (*)(CalculatorState& state, Console& console);

// A key of a panel and what it runs. After the routine the panel pauses with
// pause_text before it shows itself again.
struct PanelAction {
  int key;
  ActionRoutine routine;
  std::string_view pause_text = PAUSE_TEXT;
};

// One option of a panel: one row, or two when second is not empty. Each row
// holds at most CONTENT_WIDTH characters.
struct Paragraph {
  std::string_view first;
  std::string_view second = {};
};

// A framed sub-menu: its paragraphs, its hint row and its action keys.
struct Panel {
  std::span<const Paragraph> paragraphs;
  std::string_view hint;
  std::span<const PanelAction> actions;
};

// Clears the screen and writes the panel in its frame.
void draw_panel(Console& console, const Panel& panel);

// Shows the panel and runs its actions until ESC. Returns false when input
// ended instead, so that the program can end.
bool run_panel(const Panel& panel, CalculatorState& state, Console& console);
