// Fuzzing of whole sessions: any bytes are the scripted input of a run of
// the main menu, keys and lines alike, so every main-menu key, panel and
// action is reachable. Checked:
// - the run ends either through the quit confirmation or because input
//   ended, and once a key read has reported the end nothing reads again (a
//   read after the end is how a menu would spin forever);
// - every screen is well formed: it starts with a clear; it is the main
//   menu, the quit question, a panel in a whole frame of 80-character rows
//   (drawn the same every time), or a result screen of valid UTF-8 that ends
//   with the pause text and holds no unfilled conversion;
// - the script handed over a byte at a time gives the same output as handed
//   over all at once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "shell/calculator_state.h"
#include "shell/main_menu.h"
#include "shell/panel.h"
#include "support/scripted_console.h"

namespace {

const std::uint8_t* g_data = nullptr;
std::size_t g_size = 0;

[[noreturn]] void fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "session: %s\n", what);
  if (!detail.empty()) {
    const int shown = static_cast<int>(std::min<std::size_t>(detail.size(), 4000));
    std::fprintf(stderr, "--- screen ---\n%.*s\n---\n", shown, detail.data());
  }
  std::fprintf(stderr, "input:");
  for (std::size_t i = 0; i < g_size; ++i) std::fprintf(stderr, " %02x", g_data[i]);
  std::fprintf(stderr, "\n");
  std::abort();
}

// Line reads that fail because input has ended: only those of the action
// under way, which reads at most two numbers. The key read after them
// reports the end, and from then on nothing may read at all.
constexpr int MOST_FAILED_LINE_READS = 2;

// Takes keys and lines from a scripted console, watches how they are read,
// and keeps what is written in a buffer that outlives the run (so that long
// outputs do not cost fresh memory on every input).
class WatchedConsole final : public Console {
 public:
  WatchedConsole(std::string_view input, std::size_t chunk, std::string& output)
      : inner_(std::string(input), chunk), output_(output) {
    output_.clear();
  }

  void write(std::string_view bytes) override { output_ += bytes; }
  void clear() override { output_ += CLS; }
  int read_key_code() override {
    if (ended_) fail("a key was read again after input ended");
    last_key_ = inner_.read_key_code();
    ended_ = last_key_ == KEY_END_OF_INPUT;
    return last_key_;
  }
  bool read_line(char* buffer, int limit) override {
    if (ended_) fail("a line was read after a key read reported the end");
    const bool got = inner_.read_line(buffer, limit);
    if (!got && ++failed_line_reads_ > MOST_FAILED_LINE_READS) {
      fail("lines are read on and on after input ended");
    }
    return got;
  }

  bool ended() const { return ended_; }
  int last_key() const { return last_key_; }

 private:
  ScriptedConsole inner_;
  std::string& output_;
  bool ended_ = false;
  int last_key_ = 0;
  int failed_line_reads_ = 0;
};

// Runs a session; returns whether it ended by quitting.
bool run(std::string_view input, std::size_t chunk, std::string& output) {
  WatchedConsole console(input, chunk, output);
  CalculatorState state;
  run_main_menu(state, console);
  const bool quit = !console.ended();
  if (quit && console.last_key() != 27) fail("the run ended without ESC or the end of input");
  return quit;
}

// Code points of valid UTF-8, or -1 when it is not valid UTF-8.
long code_points(std::string_view text) {
  long count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0                ? 3
                               : lead >= 0xF0 && lead < 0xF5                ? 4
                                                                            : 0;
    if (length == 0 || i + length > text.size()) return -1;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return -1;
    }
    i += length;
  }
  return count;
}

std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string repeat(std::string_view glyph, int times) {
  std::string row;
  for (int i = 0; i < times; ++i) row += glyph;
  return row;
}

const std::string TOP_BORDER = "╔" + repeat("═", CONTENT_WIDTH) + "╗";
const std::string BOTTOM_BORDER = "╚" + repeat("═", CONTENT_WIDTH) + "╝";
constexpr std::string_view SIDE = "║";

void check_panel(std::string_view screen) {
  if (screen.back() != '\n') fail("a panel does not end with a newline", screen);
  const std::vector<std::string_view> rows = split_lines(screen);
  // Top, at least one option and its blank row, the hint, a blank, the ESC
  // row, bottom.
  if (rows.size() < 7) fail("a panel with too few rows", screen);
  if (rows.front() != TOP_BORDER || rows.back() != BOTTOM_BORDER) {
    fail("a panel without its top or bottom border", screen);
  }
  for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
    const std::string_view row = rows[i];
    if (!row.starts_with(SIDE) || !row.ends_with(SIDE) || code_points(row) != FRAME_WIDTH) {
      fail("a panel row is not 80 characters between side borders", screen);
    }
  }
}

constexpr std::string_view MENU_TITLE = "Orvane's Calculator V1.9\n\n";
constexpr std::string_view MENU_END = "Press ESC to quit.";
constexpr std::string_view QUIT_QUESTION =
    "Press ESC again to quit, or any other key to go back to main menu.\n";
constexpr std::string_view PAUSE_ENDINGS[] = {"Press any key to continue\n",
                                              "\nPress any key to continue\n"};

void check_screens(std::string_view output) {
  if (!output.starts_with(CLS)) fail("the output does not start with a clear", output.substr(0, 200));
  output.remove_prefix(CLS.size());
  std::string_view main_menu;
  std::map<std::string_view, std::string_view> panels;  // by first option row
  for (;;) {
    const std::size_t next = output.find(CLS);
    const std::string_view screen = output.substr(0, next);
    if (screen.empty()) fail("an empty screen");
    if (screen.starts_with(MENU_TITLE)) {
      if (!screen.ends_with(MENU_END)) fail("a main menu without its last line", screen);
      if (main_menu.empty()) main_menu = screen;
      if (screen != main_menu) fail("the main menu changed", screen);
    } else if (screen.starts_with("Press ESC again")) {
      if (screen != QUIT_QUESTION) fail("a quit question with more text", screen);
    } else if (screen.starts_with("╔")) {
      // A panel is checked when first seen; later it must be drawn the same.
      const std::size_t row_end = screen.find('\n', screen.find('\n') + 1);
      const std::string_view first_option = screen.substr(0, row_end);
      const auto [known, added] = panels.emplace(first_option, screen);
      if (added) check_panel(screen);
      if (known->second != screen) fail("a panel is drawn differently", screen);
    } else {
      if (code_points(screen) < 0) fail("a screen that is not valid UTF-8", screen);
      if (screen.find('\x1b') != std::string_view::npos) fail("an escape byte on a screen", screen);
      if (std::none_of(std::begin(PAUSE_ENDINGS), std::end(PAUSE_ENDINGS),
                       [&](std::string_view end) { return screen.ends_with(end); })) {
        fail("a result screen that does not end with the pause", screen);
      }
      if (screen.find('%') != std::string_view::npos) fail("an unfilled conversion", screen);
      if (screen.find('\0') != std::string_view::npos) fail("a NUL on a screen", screen);
    }
    if (next == std::string_view::npos) break;
    output.remove_prefix(next + CLS.size());
  }
  if (main_menu.empty()) fail("no main menu");
  if (panels.size() > 11) fail("more distinct panels than main-menu keys");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  g_data = data;
  g_size = size;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  static std::string at_once;
  static std::string bytewise;
  const bool quit_at_once = run(input, 4096, at_once);
  const bool quit_bytewise = run(input, 1, bytewise);
  if (at_once != bytewise || quit_at_once != quit_bytewise) {
    fail("the output depends on how the input is split into reads");
  }
  check_screens(at_once);
  return 0;
}
