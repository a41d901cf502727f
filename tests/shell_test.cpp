#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "shell/calculator_state.h"
#include "shell/main_menu.h"
#include "shell/panel.h"
#include "support/expected_screens.h"
#include "support/scripted_console.h"

namespace {

const std::string MAIN_MENU = std::string(CLS) + std::string(MAIN_MENU_TEXT);

const std::string QUIT_SCREEN = std::string(CLS) + std::string(QUIT_QUESTION_TEXT);

std::string run_session(const std::string& input, CalculatorState& state) {
  ScriptedConsole console(input);
  run_main_menu(state, console);
  return console.output();
}

std::string run_session(const std::string& input) {
  CalculatorState state;
  return run_session(input, state);
}

// Number of code points in a UTF-8 text.
std::size_t code_points(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::vector<std::string> lines_of(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A two-action panel with a two-row paragraph, to test the loop and frame.
int runs = 0;
void count_run(CalculatorState& state, Console& console) {
  ++runs;
  state.y += 1;
  console.write("ran\n");
}
constexpr Paragraph TEST_PARAGRAPHS[] = {{"First option."}, {"Second option,", "in two rows."}};
constexpr PanelAction TEST_ACTIONS[] = {{'1', count_run}, {'2', count_run, "Other pause\n"}};
constexpr Panel TEST_PANEL = {TEST_PARAGRAPHS, HINT_VALUE_OF_X, TEST_ACTIONS};

const std::string TOP(FRAME_TOP);
const std::string BOTTOM(FRAME_BOTTOM);
const std::string BLANK(FRAME_BLANK);
const std::string ESC_ROW(FRAME_ESC_ROW);

TEST(MainMenu, DrawsTheMenuAndEndsWhenInputEnds) {
  EXPECT_EQ(run_session(""), MAIN_MENU);
}

TEST(MainMenu, IgnoresUnknownKeysWithoutWritingAnything) {
  EXPECT_EQ(run_session("xA0\r\xe0H\x03 B"), MAIN_MENU);
}

TEST(MainMenu, EscThenEscQuitsAndAnyOtherKeyGoesBack) {
  EXPECT_EQ(run_session("\x1b\x1b" "never read"), MAIN_MENU + QUIT_SCREEN);
  EXPECT_EQ(run_session("\x1bq\x1b\x1b"), MAIN_MENU + QUIT_SCREEN + MAIN_MENU + QUIT_SCREEN);
  // A prefix code at the confirmation goes back too; its second code then
  // reaches the main menu, which ignores it.
  EXPECT_EQ(run_session("\x1b\xe0" "H\x1b\x1b"),
            MAIN_MENU + QUIT_SCREEN + MAIN_MENU + QUIT_SCREEN);
}

TEST(Panel, DrawsEveryRowEightyCharactersWideWithTheSharedRows) {
  ScriptedConsole console("");
  draw_panel(console, TEST_PANEL);
  const std::string expected_head = std::string(CLS) + TOP;
  ASSERT_TRUE(console.output().starts_with(expected_head));
  const auto rows = lines_of(std::string_view(console.output()).substr(CLS.size()));
  // 3 rows in 2 paragraphs: r + k + 5.
  ASSERT_EQ(rows.size(), 3u + 2u + 5u);
  for (const std::string& row : rows) EXPECT_EQ(code_points(row), 80u) << row;
  EXPECT_EQ(console.output(),
            std::string(CLS) + TOP +
                "║First option.                                                                 ║\n" +
                BLANK +
                "║Second option,                                                                ║\n"
                "║in two rows.                                                                  ║\n" +
                BLANK +
                "║When watching the result see first the value of x.                            ║\n" +
                BLANK + ESC_ROW + BOTTOM);
}

TEST(Panel, RunsAnActionOnAClearedScreenPausesAndRedraws) {
  ScriptedConsole drawn("");
  draw_panel(drawn, TEST_PANEL);
  const std::string panel = drawn.output();

  runs = 0;
  CalculatorState state;
  ScriptedConsole console("1k2\x1bz\x1b");
  EXPECT_TRUE(run_panel(TEST_PANEL, state, console));
  // '1' runs with the default pause; 'k' was taken by the pause; '2' runs
  // with its own pause; ESC at that pause does not leave; 'z' redraws.
  EXPECT_EQ(console.output(), panel + std::string(CLS) + "ran\nPress any key to continue\n" +
                                  panel + std::string(CLS) + "ran\nOther pause\n" + panel +
                                  panel);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(state.y, 2.0);
}

TEST(Panel, ReportsTheEndOfInputAtTheKeyOrThePause) {
  CalculatorState state;
  ScriptedConsole at_key("");
  EXPECT_FALSE(run_panel(TEST_PANEL, state, at_key));
  ScriptedConsole at_pause("1");
  EXPECT_FALSE(run_panel(TEST_PANEL, state, at_pause));
}

}  // namespace
