#include "console/key_decoder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using std::chrono::milliseconds;
using Duration = KeyDecoder::Duration;

constexpr int REPLACEMENT = 256 + 0xFFFD;
constexpr int character(char32_t code_point) { return 256 + static_cast<int>(code_point); }

// Bytes as C escapes, for failure messages.
std::string shown(const std::string& bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      text += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      text += hex;
    }
  }
  return text;
}

// Appends one step's codes, checking what every step must hold: at most four
// codes, and each prefix 0 or 224 followed in the same step by a nonzero code.
void collect(const KeyCodes& step, std::vector<int>& into) {
  ASSERT_GE(step.count, 0);
  ASSERT_LE(step.count, 4);
  for (int i = 0; i < step.count; ++i) {
    const int code = step.codes[static_cast<std::size_t>(i)];
    into.push_back(code);
    if (code == 0 || code == 224) {
      ASSERT_LT(i + 1, step.count) << "prefix " << code << " ends the step";
      ++i;
      const int second = step.codes[static_cast<std::size_t>(i)];
      EXPECT_NE(second, 0);
      into.push_back(second);
    }
  }
}

// Feeds chunks of bytes, each chunk arriving `gap` after the previous byte and
// its bytes together, then lets the wait run out if a key is still pending.
std::vector<int> decode_timed(const std::vector<std::pair<Duration, std::string>>& chunks) {
  KeyDecoder decoder;
  std::vector<int> codes;
  for (const auto& [gap, bytes] : chunks) {
    Duration since = gap;
    for (const char c : bytes) {
      collect(decoder.feed(static_cast<unsigned char>(c), since), codes);
      since = Duration::zero();
    }
  }
  if (decoder.pending()) collect(decoder.timeout(), codes);
  EXPECT_FALSE(decoder.pending());
  return codes;
}

std::vector<int> decode(const std::string& bytes) { return decode_timed({{Duration::zero(), bytes}}); }

struct Case {
  std::string bytes;
  std::vector<int> codes;
};

void expect_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(decode(c.bytes), c.codes) << "bytes: " << shown(c.bytes);
  }
}

TEST(KeyDecoder, PlainBytesAreTheirOwnCodes) {
  expect_cases({
      {"1", {49}},
      {"a", {97}},
      {"\r", {13}},
      {"\x03", {3}},
      {"\x1a", {26}},
      {"\x7f", {127}},
      {std::string(1, '\0'), {0, 3}},  // Ctrl+@
  });
}

TEST(KeyDecoder, SpecialKeySequencesGiveTheirCodes) {
  expect_cases({
      // Arrows, both forms.
      {"\x1b[A", {224, 72}}, {"\x1b[B", {224, 80}}, {"\x1b[C", {224, 77}}, {"\x1b[D", {224, 75}},
      {"\x1bOA", {224, 72}}, {"\x1bOB", {224, 80}}, {"\x1bOC", {224, 77}}, {"\x1bOD", {224, 75}},
      // Home and End, every form.
      {"\x1b[H", {224, 71}}, {"\x1b[F", {224, 79}}, {"\x1bOH", {224, 71}}, {"\x1bOF", {224, 79}},
      {"\x1b[1~", {224, 71}}, {"\x1b[4~", {224, 79}}, {"\x1b[7~", {224, 71}}, {"\x1b[8~", {224, 79}},
      // Editing keys.
      {"\x1b[2~", {224, 82}}, {"\x1b[3~", {224, 83}}, {"\x1b[5~", {224, 73}}, {"\x1b[6~", {224, 81}},
      // F1..F4, every form.
      {"\x1bOP", {0, 59}}, {"\x1bOQ", {0, 60}}, {"\x1bOR", {0, 61}}, {"\x1bOS", {0, 62}},
      {"\x1b[11~", {0, 59}}, {"\x1b[12~", {0, 60}}, {"\x1b[13~", {0, 61}}, {"\x1b[14~", {0, 62}},
      {"\x1b[[A", {0, 59}}, {"\x1b[[B", {0, 60}}, {"\x1b[[C", {0, 61}}, {"\x1b[[D", {0, 62}},
      // F5..F12.
      {"\x1b[15~", {0, 63}}, {"\x1b[[E", {0, 63}}, {"\x1b[17~", {0, 64}}, {"\x1b[18~", {0, 65}},
      {"\x1b[19~", {0, 66}}, {"\x1b[20~", {0, 67}}, {"\x1b[21~", {0, 68}},
      {"\x1b[23~", {224, 133}}, {"\x1b[24~", {224, 134}},
      // Shift, Ctrl, Alt with function keys.
      {"\x1b[1;2P", {0, 84}}, {"\x1bO2P", {0, 84}}, {"\x1bO1;2P", {0, 84}}, {"\x1b[21;2~", {0, 93}},
      {"\x1b[1;5Q", {0, 95}}, {"\x1b[15;5~", {0, 98}}, {"\x1b[21;5~", {0, 103}},
      {"\x1b[1;3S", {0, 107}}, {"\x1b[17;3~", {0, 109}}, {"\x1b[21;3~", {0, 113}},
      {"\x1b[23;2~", {224, 135}}, {"\x1b[24;2~", {224, 136}}, {"\x1b[23;5~", {224, 137}},
      {"\x1b[24;5~", {224, 138}}, {"\x1b[23;3~", {224, 139}}, {"\x1b[24;3~", {224, 140}},
      // Combined modifiers: Ctrl wins over Alt, Alt over Shift.
      {"\x1b[15;6~", {0, 98}}, {"\x1b[15;7~", {0, 98}}, {"\x1b[15;8~", {0, 98}},
      {"\x1b[15;4~", {0, 108}}, {"\x1b[1;4C", {0, 157}}, {"\x1b[1;6D", {224, 115}},
      {"\x1b[1;7H", {224, 119}},
      // Ctrl with arrows and editing keys.
      {"\x1b[1;5A", {224, 141}}, {"\x1b[1;5B", {224, 145}}, {"\x1b[1;5D", {224, 115}},
      {"\x1b[1;5C", {224, 116}}, {"\x1b[1;5H", {224, 119}}, {"\x1b[1;5F", {224, 117}},
      {"\x1b[5;5~", {224, 132}}, {"\x1b[6;5~", {224, 118}}, {"\x1b[2;5~", {224, 146}},
      {"\x1b[3;5~", {224, 147}}, {"\x1bO5A", {224, 141}},
      // Alt with arrows and editing keys.
      {"\x1b[1;3A", {0, 152}}, {"\x1b[1;3B", {0, 160}}, {"\x1b[1;3D", {0, 155}},
      {"\x1b[1;3C", {0, 157}}, {"\x1b[1;3H", {0, 151}}, {"\x1b[1;3F", {0, 159}},
      {"\x1b[5;3~", {0, 153}}, {"\x1b[6;3~", {0, 161}}, {"\x1b[2;3~", {0, 162}},
      {"\x1b[3;3~", {0, 163}},
      // Shift with arrows and editing keys: the unshifted codes.
      {"\x1b[1;2A", {224, 72}}, {"\x1b[1;2F", {224, 79}}, {"\x1b[3;2~", {224, 83}},
      // rxvt.
      {"\x1b[2$", {224, 82}}, {"\x1b[3^", {224, 147}}, {"\x1b[5@", {224, 132}},
      {"\x1b[7$", {224, 71}}, {"\x1b[8^", {224, 117}}, {"\x1b[12$", {0, 85}},
      {"\x1b[11^", {0, 94}}, {"\x1b[15@", {0, 98}}, {"\x1b[24$", {224, 136}},
      {"\x1b[a", {224, 72}}, {"\x1b[b", {224, 80}}, {"\x1b[c", {224, 77}}, {"\x1b[d", {224, 75}},
      {"\x1bOa", {224, 141}}, {"\x1bOb", {224, 145}}, {"\x1bOc", {224, 116}},
      {"\x1bOd", {224, 115}},
  });
}

TEST(KeyDecoder, EscWithACharacterIsAlt) {
  std::vector<Case> cases;
  // Scan codes run along the keyboard's rows.
  const std::vector<std::pair<std::string, int>> rows = {
      {"qwertyuiop", 16}, {"asdfghjkl", 30}, {"zxcvbnm", 44}, {"1234567890", 120}};
  for (const auto& [row, first_code] : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      const int code = first_code + static_cast<int>(i);
      cases.push_back({std::string("\x1b") + row[i], {0, code}});
      const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(row[i])));
      if (upper != row[i]) cases.push_back({std::string("\x1b") + upper, {0, code}});
    }
  }
  // `ESC O` that nothing follows is Alt+O.
  cases.push_back({"\x1bO", {0, 24}});
  // Alt with any other character gives nothing and takes the character.
  for (const std::string other : {"-", " ", "\r", "\x7f", "\x03", "\xc3\xa9", "\xe2\x82\xac", "\x80"}) {
    cases.push_back({"\x1b" + other, {}});
  }
  cases.push_back({"\x1b[", {}});  // Alt+[
  cases.push_back({"\x1b\xc3\xa9" "1", {49}});
  expect_cases(cases);
}

TEST(KeyDecoder, BurstsHoldSeveralKeys) {
  expect_cases({
      {"\x1b\x1b", {27, 27}},
      {"\x1b\x1b\x1b", {27, 27, 27}},
      {"\x1b[A1", {224, 72, 49}},
      {"1\x1b", {49, 27}},
      {"\x1b\x1b[A", {27, 224, 72}},
      {"\x1b[15~\x1b[15~", {0, 63, 0, 63}},
      {"\x1b[A\x1bOB\x1b[[C", {224, 72, 224, 80, 0, 61}},
      {"\x1b" "a1", {0, 30, 49}},
      {"\xc3\xa9\xe2\x82\xac", {character(0xE9), character(0x20AC)}},
  });
}

TEST(KeyDecoder, WaitDecidesWhetherBytesAreOneKey) {
  const Duration within = milliseconds(20);
  const Duration beyond = milliseconds(26);
  // A sequence whose bytes come within the wait is one key.
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1b"}, {within, "["}, {within, "1"},
                          {within, "5"}, {within, "~"}}),
            (std::vector<int>{0, 63}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1b"}, {KeyDecoder::ESC_WAIT, "a"}}),
            (std::vector<int>{0, 30}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\xf0\x9f"}, {within, "\x98\x80"}}),
            (std::vector<int>{character(0x1F600)}));
  // After the wait, ESC was a key of its own and the next byte begins another.
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1b"}, {beyond, "a"}}), (std::vector<int>{27, 97}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1b"}, {beyond, "\x1b"}}), (std::vector<int>{27, 27}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1b"}, {beyond, "[A"}}),
            (std::vector<int>{27, 91, 65}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1bO"}, {beyond, "P"}}), (std::vector<int>{0, 24, 80}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\x1b["}, {beyond, "A"}}), (std::vector<int>{65}));
  EXPECT_EQ(decode_timed({{Duration::zero(), "\xc3"}, {beyond, "\xa9"}}),
            (std::vector<int>{REPLACEMENT, REPLACEMENT}));
  // A gap matters only while a key is pending.
  EXPECT_EQ(decode_timed({{Duration::zero(), "1"}, {beyond, "\x1b[A"}}),
            (std::vector<int>{49, 224, 72}));
}

TEST(KeyDecoder, UnknownAndBrokenSequencesGiveNothing) {
  const std::string long_body(100, '1');
  expect_cases({
      // Complete sequences the keyboard has no code for: consumed whole.
      {"\x1b[200~", {}}, {"\x1b[99~", {}}, {"\x1b[9~", {}}, {"\x1b[?1;2c", {}},
      {"\x1b[<0;10;5M", {}}, {"\x1b[1;2;3A", {}}, {"\x1b[2;5A", {}}, {"\x1b[1;9A", {}},
      {"\x1b[5;0~", {}}, {"\x1b[E", {}}, {"\x1b[Z", {}}, {"\x1bOx", {}}, {"\x1bO[", {}},
      {"\x1b[ q", {}}, {"\x1b[1;5$", {}}, {"\x1b[2;5^", {}}, {"\x1b[1a", {}}, {"\x1b[[Z", {}},
      {"\x1b[[1", {}}, {"\x1b[" + long_body + "~", {}},
      // Whatever follows an unknown sequence is a key again.
      {"\x1b[200~1", {49}}, {"\x1b[" + long_body + "~x", {120}}, {"\x1b[" + long_body + "A2", {50}},
      // Unfinished when the wait runs out: nothing, not even ESC.
      {"\x1b[1", {}}, {"\x1b[1;5", {}}, {"\x1b[15", {}}, {"\x1bO2", {}}, {"\x1b[[", {}},
      {"\x1b[" + long_body, {}},
      // A byte that cannot go on a sequence ends it and is a key of its own.
      {"\x1b[1\r", {13}}, {"\x1b[15\x03", {3}}, {"\x1b[1;5\x1b[A", {224, 72}},
      {"\x1b[\x1b", {27}}, {"\x1b[[\x1b", {27}}, {"\x1b[1\xc3\xa9", {character(0xE9)}},
      {"\x1bO\x1b", {0, 24, 27}}, {"\x1bO\r", {0, 24, 13}}, {"\x1b[" + long_body + "\x7f", {127}},
      {std::string("\x1bO") + '\0', {0, 24, 0, 3}},
  });
}

TEST(KeyDecoder, Utf8CharactersAreOneKey) {
  expect_cases({
      {"\xc2\x80", {character(0x80)}},
      {"\xc3\xa9", {character(0xE9)}},
      {"\xe2\x82\xac", {character(0x20AC)}},
      {"\xef\xbf\xbd", {character(0xFFFD)}},
      {"\xf0\x9f\x98\x80", {character(0x1F600)}},
      {"\xf4\x8f\xbf\xbf", {character(0x10FFFF)}},
      // Bytes that are not UTF-8: U+FFFD for each broken part.
      {"\x80", {REPLACEMENT}},
      {"\xbf\x80", {REPLACEMENT, REPLACEMENT}},
      {"\xff", {REPLACEMENT}},
      {"\xc0\xaf", {REPLACEMENT, REPLACEMENT}},              // overlong
      {"\xe0\x80\xaf", {REPLACEMENT, REPLACEMENT, REPLACEMENT}},  // overlong
      {"\xed\xa0\x80", {REPLACEMENT, REPLACEMENT, REPLACEMENT}},  // surrogate
      {"\xf4\x90\x80\x80", {REPLACEMENT, REPLACEMENT, REPLACEMENT, REPLACEMENT}},
      // Truncated by the wait, or by a byte that begins a key of its own.
      {"\xc3", {REPLACEMENT}},
      {"\xe2\x82", {REPLACEMENT}},
      {"\xf0\x9f\x98", {REPLACEMENT}},
      {"\xc3" "a", {REPLACEMENT, 97}},
      {"\xe2\x82\x1b[A", {REPLACEMENT, 224, 72}},
      {"\xe2\xc3\xa9", {REPLACEMENT, character(0xE9)}},
  });
}

// Random streams of the bytes that matter, with random gaps and waits running
// out: every step keeps its codes whole, ESC is 27 only for ESC bytes, and
// nothing stays pending after the wait.
TEST(KeyDecoder, RandomStreamsKeepEveryKeyWhole) {
  std::string alphabet = "\x1b\x1b\x1b[[O;;12569~~$^@APaEz\r\x03\x7f\x80\xa9\xbf\xc3\xe2\xf0\xff ";
  alphabet.push_back('\0');
  std::mt19937 random(20240604);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> chance(0, 99);
  KeyDecoder decoder;
  std::vector<int> codes;
  int escapes_fed = 0;
  for (int i = 0; i < 200000; ++i) {
    const auto byte = static_cast<unsigned char>(alphabet[pick(random)]);
    const int roll = chance(random);
    const Duration gap = roll < 5 ? milliseconds(26) : roll < 10 ? KeyDecoder::ESC_WAIT : milliseconds(1);
    if (byte == 27) ++escapes_fed;
    collect(decoder.feed(byte, gap), codes);
    if (chance(random) < 3 && decoder.pending()) {
      collect(decoder.timeout(), codes);
      ASSERT_FALSE(decoder.pending());
    }
    if (testing::Test::HasFatalFailure()) return;
  }
  collect(decoder.timeout(), codes);
  EXPECT_FALSE(decoder.pending());

  int escapes_given = 0;
  int special_keys = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == 0 || codes[i] == 224) {
      ++i;  // second code, checked by collect
      ++special_keys;
    } else if (codes[i] == 27) {
      ++escapes_given;
    } else {
      const bool byte_code = codes[i] > 0 && codes[i] < 128;
      const bool character_code = codes[i] >= character(0x80) && codes[i] <= character(0x10FFFF);
      EXPECT_TRUE(byte_code || character_code) << "code " << codes[i];
    }
  }
  EXPECT_LE(escapes_given, escapes_fed);
  EXPECT_GT(escapes_given, 0);
  EXPECT_GT(special_keys, 0);
}

}  // namespace
