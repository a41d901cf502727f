#include "shell/panel.h"

#include <array>
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

// Appends a content row: side border, text padded with blanks, side border.
void append_content_row(std::string& out, std::string_view left, std::string_view right = {}) {
  const std::size_t used = left.size() + right.size();
  const std::size_t padding = used < CONTENT_WIDTH ? CONTENT_WIDTH - used : 0;
  out += VERTICAL;
  out += left;
  out.append(padding, ' ');
  out += right;
  out += VERTICAL;
  out += '\n';
}

std::string render(const Panel& panel) {
  std::string out = border_row(TOP_LEFT, TOP_RIGHT);
  for (const Paragraph& paragraph : panel.paragraphs) {
    append_content_row(out, paragraph.first);
    if (!paragraph.second.empty()) append_content_row(out, paragraph.second);
    append_content_row(out, {});
  }
  append_content_row(out, panel.hint);
  append_content_row(out, {});
  append_content_row(out, ESC_ROW_LEFT, ESC_ROW_RIGHT);
  out += border_row(BOTTOM_LEFT, BOTTOM_RIGHT);
  return out;
}

// Panels are constant, so each is framed once, on its first showing, and
// then written whole. The program has a dozen panels; a panel beyond the
// cache's room is framed afresh each time.
const std::string* framed(const Panel& panel, std::string& scratch) {
  struct Entry {
    const Panel* panel = nullptr;
    std::string text;
  };
  static std::array<Entry, 16> cache;
  for (Entry& entry : cache) {
    if (entry.panel == &panel) return &entry.text;
    if (entry.panel == nullptr) {
      entry.panel = &panel;
      entry.text = render(panel);
      return &entry.text;
    }
  }
  scratch = render(panel);
  return &scratch;
}

}  // namespace

void draw_panel(Console& console, const Panel& panel) {
  clear_screen(console);
  std::string scratch;
  console.write(*framed(panel, scratch));
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
