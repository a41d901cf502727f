// The real program on a pseudo-terminal and in a script: the main menu, keys
// without Enter or echo, number lines with echo, quitting, TERM=dumb.

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/pty_session.h"

namespace {

using namespace std::chrono_literals;

// Long enough for any reply the program would give to a key.
constexpr auto QUIET_PERIOD = 200ms;

void expect_screen(PtySession& session, std::string_view text) {
  const std::string expected = screen(text);
  EXPECT_EQ(session.read_until(expected), expected);
}

TEST(EndToEndShell, MainMenuThenEscEscQuitsAndRestoresTheTerminal) {
  PtySession session;
  // The terminal starts as a shell leaves it, so that coming back to these
  // settings means something.
  ASSERT_FALSE(in_key_mode(session.settings_at_start())) << describe(session.settings_at_start());
  ASSERT_NE(session.settings_at_start().c_lflag & ECHO, 0u);

  expect_screen(session, MAIN_MENU_TEXT);
  session.type("\x1b");
  expect_screen(session, QUIT_QUESTION_TEXT);
  session.type("x");  // not ESC: back to the main menu
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("\x1b");
  expect_screen(session, QUIT_QUESTION_TEXT);
  session.type("\x1b");

  EXPECT_EQ(session.wait_exit(), ProcessStatus::exited_with(0));
  EXPECT_EQ(session.read_for(QUIET_PERIOD), "");
  const termios after = session.settings();
  EXPECT_TRUE(same_settings(after, session.settings_at_start()))
      << "before: " << describe(session.settings_at_start()) << "\nafter:  " << describe(after);
}

TEST(EndToEndShell, EscEscTypedInOneBurstQuits) {
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("\x1b\x1b");
  expect_screen(session, QUIT_QUESTION_TEXT);
  EXPECT_EQ(session.wait_exit(), ProcessStatus::exited_with(0));
  EXPECT_TRUE(same_settings(session.settings(), session.settings_at_start()));
}

TEST(EndToEndShell, KeysActWithoutEnterAndAreNotEchoed) {
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  EXPECT_TRUE(in_key_mode(session.settings())) << describe(session.settings());

  session.type("1");
  expect_screen(session, TEMPERATURE_PANEL_TEXT);
  session.type("?");  // a key the panel does not list: redrawn, no echo
  expect_screen(session, TEMPERATURE_PANEL_TEXT);
  session.type("\x1b");
  expect_screen(session, MAIN_MENU_TEXT);
  EXPECT_EQ(session.read_for(QUIET_PERIOD), "");
}

TEST(EndToEndShell, KeysTheMainMenuDoesNotListWriteNothing) {
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  for (const std::string_view key : {"x", "A", "B", "0", "c", " ", "\r", "\n", "\x7f", "\t"}) {
    session.type(key);
    EXPECT_EQ(session.read_for(QUIET_PERIOD), "") << "key " << testing::PrintToString(key);
  }
  session.type("5");
  expect_screen(session, SQUARE_ROOT_PANEL_TEXT);
}

TEST(EndToEndShell, NumberLineIsEchoedAndComputed) {
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("5");
  expect_screen(session, SQUARE_ROOT_PANEL_TEXT);
  session.type("1");
  expect_screen(session, "Insert value: ");

  ASSERT_TRUE(session.type_line("2\r"));  // Enter sends CR; the line mode makes it NL
  const std::string result = crlf(
      "2\n"
      "\n\nThe square root of 2 is 1.414213562373095;\n\n\n"
      "Press any key to continue\n");
  EXPECT_EQ(session.read_until(result), result);
  EXPECT_TRUE(in_key_mode(session.settings())) << describe(session.settings());

  // The line is editable: what was erased is not read.
  session.type("x");
  expect_screen(session, SQUARE_ROOT_PANEL_TEXT);
  session.type("1");
  expect_screen(session, "Insert value: ");
  ASSERT_TRUE(session.type_line("9"));
  EXPECT_EQ(session.read_until("9"), "9");
  session.type("\x7f" "16\r");
  const std::string edited = session.read_until(crlf("Press any key to continue\n"));
  EXPECT_NE(edited.find(crlf("\n\nThe square root of 16 is 4;\n\n\n")), std::string::npos)
      << edited;
}

// A line typed the moment its prompt shows must be echoed and ended by
// Enter: by the time the prompt is on the screen, the terminal must already
// be in its own mode. The window is short, so the prompt is shown many times.
TEST(EndToEndShell, PromptShowsOnlyOnceTheTerminalIsInLineMode) {
  constexpr int PROMPTS = 500;
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("5");
  expect_screen(session, SQUARE_ROOT_PANEL_TEXT);
  int shown_in_key_mode = 0;
  for (int i = 0; i < PROMPTS; ++i) {
    session.type("1");
    expect_screen(session, "Insert value: ");
    if (!same_settings(session.settings(), session.settings_at_start())) ++shown_in_key_mode;
    ASSERT_TRUE(session.type_line("4\r"));
    const std::string result =
        crlf("4\n\n\nThe square root of 4 is 2;\n\n\nPress any key to continue\n");
    ASSERT_EQ(session.read_until(result), result);
    session.type("x");
    expect_screen(session, SQUARE_ROOT_PANEL_TEXT);
  }
  EXPECT_EQ(shown_in_key_mode, 0) << "prompts shown while keys were still being read, of "
                                  << PROMPTS;
}

// Keys and lines typed faster than the screens come (pasted, or sent by a
// script in one write): the line typed before its prompt showed arrived while
// keys were read, unechoed and with Enter as CR. It is still the line, shown
// after its prompt, and whatever follows its Enter is keys again.
TEST(EndToEndShell, LinesTypedAheadOfTheirPromptsAreReadInOrder) {
  PtySession session;
  expect_screen(session, MAIN_MENU_TEXT);
  session.type("512\rx");
  const std::string square_root = screen(SQUARE_ROOT_PANEL_TEXT) + screen("Insert value: ") +
                                  crlf("2\n\n\nThe square root of 2 is 1.414213562373095;\n\n\n"
                                       "Press any key to continue\n") +
                                  screen(SQUARE_ROOT_PANEL_TEXT);
  EXPECT_EQ(session.read_until(square_root), square_root);
  session.type("\x1b");
  expect_screen(session, MAIN_MENU_TEXT);
  // Both operands at once, the first with a decimal comma.
  session.type("73" "1,5\r" "2\r");
  const std::string product = crlf("1,5\n\n\nInsert 2nd value: 2\n\n\n1.5 (*) 2 = 3;\n\n\n"
                                   "Press any key to continue\n");
  const std::string got = session.read_until(product);
  EXPECT_TRUE(got.ends_with(product)) << got;
  EXPECT_TRUE(in_key_mode(session.settings())) << describe(session.settings());
}

struct ScriptCase {
  const char* name;
  std::string input;
  std::string output;
};

class EndToEndScript : public testing::TestWithParam<ScriptCase> {};

TEST_P(EndToEndScript, EndsAtEndOfInputWithStatusZero) {
  const ScriptedRun run = run_without_terminal(GetParam().input);
  EXPECT_EQ(run.status, ProcessStatus::exited_with(0));
  EXPECT_EQ(run.out, GetParam().output);  // no screen clearing, no echo
  EXPECT_EQ(run.err, "");
}

const std::string MAIN_MENU(MAIN_MENU_TEXT);
const std::string SQUARE_ROOT_PANEL(SQUARE_ROOT_PANEL_TEXT);

INSTANTIATE_TEST_SUITE_P(
    , EndToEndScript,
    testing::Values(
        ScriptCase{"NoInput", "", MAIN_MENU},
        // Unknown key, ESC then back, a panel with one calculation, then the
        // input ends at the panel.
        ScriptCase{"MenusAndOneCalculation", "0\x1bx" "51" "2\n" "q",
                   MAIN_MENU + std::string(QUIT_QUESTION_TEXT) + MAIN_MENU + SQUARE_ROOT_PANEL +
                       "Insert value: \n\nThe square root of 2 is 1.414213562373095;\n\n\n"
                       "Press any key to continue\n" +
                       SQUARE_ROOT_PANEL},
        // A line cut off by the end of input is still read; the pause then
        // finds no key and the program ends.
        ScriptCase{"LineCutOffByEndOfInput", "51" "4",
                   MAIN_MENU + SQUARE_ROOT_PANEL +
                       "Insert value: \n\nThe square root of 4 is 2;\n\n\n"
                       "Press any key to continue\n"},
        // ESC ESC quits before the input ends; what follows is not read.
        ScriptCase{"QuitBeforeTheEnd", "\x1b\x1b" "5",
                   MAIN_MENU + std::string(QUIT_QUESTION_TEXT)}),
    [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

class EndToEndPlainTerminal : public testing::TestWithParam<std::optional<std::string>> {};

TEST_P(EndToEndPlainTerminal, WritesNoEscapeSequenceAndKeysStillWork) {
  PtyOptions options;
  options.term = GetParam();
  PtySession session(options);
  std::string all;
  auto expect_text = [&](std::string_view text) {
    const std::string expected = crlf(text);
    const std::string got = session.read_until(expected);
    EXPECT_EQ(got, expected);
    all += got;
  };
  expect_text(MAIN_MENU_TEXT);
  session.type("5");
  expect_text(SQUARE_ROOT_PANEL_TEXT);
  session.type("1");
  expect_text("Insert value: ");
  ASSERT_TRUE(session.type_line("2\r"));
  expect_text("2\n\n\nThe square root of 2 is 1.414213562373095;\n\n\nPress any key to continue\n");
  session.type("x");
  expect_text(SQUARE_ROOT_PANEL_TEXT);
  session.type("\x1b");
  expect_text(MAIN_MENU_TEXT);
  session.type("\x1b");
  expect_text(QUIT_QUESTION_TEXT);
  session.type("\x1b");
  EXPECT_EQ(session.wait_exit(), ProcessStatus::exited_with(0));
  all += session.read_for(QUIET_PERIOD);
  EXPECT_EQ(all.find('\x1b'), std::string::npos) << testing::PrintToString(all);
}

INSTANTIATE_TEST_SUITE_P(, EndToEndPlainTerminal,
                         testing::Values(std::optional<std::string>("dumb"), std::nullopt),
                         [](const testing::TestParamInfo<std::optional<std::string>>& info) {
                           return info.param ? "TermDumb" : "TermUnset";
                         });

}  // namespace
