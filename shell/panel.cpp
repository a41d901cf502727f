#include "shell/panel.h"

#include <cstddef>
#include <string>

namespace {

constexpr int KEY_ESC = 27;

// The glyphs are written in UTF-8: three bytes each.
constexpr std::string_view TOP_LEFT = "\u2554";
constexpr std::string_view TOP_RIGHT = "\u2557";
constexpr std::string_view BOTTOM_LEFT = "\u255a";
constexpr std::string_view BOTTOM_RIGHT = "\u255d";
constexpr std::string_view HORIZONTAL = "\u2550";
constexpr std::string_view VERTICAL = "\u2551";

constexpr std::string_view ESC_ROW_LEFT = "Digit ESC to go back to main menu.";
constexpr std::string_view ESC_ROW_RIGHT = "Thanks G-D.";

// A border row: corner, CONTENT_WIDTH horizontal bars, corner, newline.
std::string border_row(std::string_view left, std::string_view right) {
  std::string row(left);
  for (int i = 0; i < CONTENT_WIDTH; ++i) row += HORIZONTAL;
  row += right;
  row += '\n';
  return row;
}

const std::string& top_border() {
  static const std::string row = border_row(TOP_LEFT, TOP_RIGHT);
  return row;
}

const std::string& bottom_border() {
  static const std::string row = border_row(BOTTOM_LEFT, BOTTOM_RIGHT);
  return row;
}

// Writes a content row: side border, text padded with blanks, side border.
void write_content_row(Console& console, std::string_view left, std::string_view right = {}) {
  static constexpr std::string_view blanks =
      "                                                                              ";
  static_assert(blanks.size() == CONTENT_WIDTH);
  const std::size_t used = left.size() + right.size();
  const std::size_t padding = used < blanks.size() ? blanks.size() - used : 0;
  console.write(VERTICAL);
  console.write(left);
  console.write(blanks.substr(0, padding));
  console.write(right);
  console.write(VERTICAL);
  console.write("\n");
}

}  // namespace

void draw_panel(Console& console, const Panel& panel) {
  clear_screen(console);
  console.write(top_border());
  for (const Paragraph& paragraph : panel.paragraphs) {
    write_content_row(console, paragraph.first);
    if (!paragraph.second.empty()) write_content_row(console, paragraph.second);
    write_content_row(console, {});
  }
  write_content_row(console, panel.hint);
  write_content_row(console, {});
  write_content_row(console, ESC_ROW_LEFT, ESC_ROW_RIGHT);
  console.write(bottom_border());
}

bool run_panel(const Panel& panel, CalculatorState& state, Console& console) {
  for (;;) {
    draw_panel(console, panel);
    const int key = read_key(console);
    if (key == KEY_END_OF_INPUT) return false;
    if (key == KEY_ESC) return true;
    for (const PanelAction& action : panel.actions) {
      if (action.key != key) continue;
      clear_screen(console);
      action.routine(state, console);
      if (pause_for_key(console, action.pause_text) == KEY_END_OF_INPUT) return false;
      break;
    }
  }
}
