#include "console/key_decoder.h"

#include <optional>
#include <string_view>

namespace {

constexpr unsigned char ESC = 27;
constexpr int REPLACEMENT_CODE = 256 + 0xFFFD;
// First code of a character decoded from UTF-8: 256 + its code point, well
// away from the prefix codes 0 and 224.
constexpr int CHARACTER_BASE = 256;

enum class Key { up, down, right, left, home, end, insert, del, page_up, page_down, f1 };
// F2..F12 follow F1 in order.
Key function_key(int index) { return static_cast<Key>(static_cast<int>(Key::f1) + index); }

enum class Modifier { none = 0, shift = 1, ctrl = 2, alt = 3 };

struct KeyPress {
  Key key;
  Modifier modifier;
};

struct CodePair {
  int prefix;
  int code;
};

// The two codes of a key, by modifier (none, Shift, Ctrl, Alt). Shift with an
// arrow or an editing key gives the unshifted codes.
using KeyRow = std::array<CodePair, 4>;
constexpr std::array<KeyRow, 10> EDITING_KEYS = {{
    {{{224, 72}, {224, 72}, {224, 141}, {0, 152}}},  // Up
    {{{224, 80}, {224, 80}, {224, 145}, {0, 160}}},  // Down
    {{{224, 77}, {224, 77}, {224, 116}, {0, 157}}},  // Right
    {{{224, 75}, {224, 75}, {224, 115}, {0, 155}}},  // Left
    {{{224, 71}, {224, 71}, {224, 119}, {0, 151}}},  // Home
    {{{224, 79}, {224, 79}, {224, 117}, {0, 159}}},  // End
    {{{224, 82}, {224, 82}, {224, 146}, {0, 162}}},  // Insert
    {{{224, 83}, {224, 83}, {224, 147}, {0, 163}}},  // Delete
    {{{224, 73}, {224, 73}, {224, 132}, {0, 153}}},  // PgUp
    {{{224, 81}, {224, 81}, {224, 118}, {0, 161}}},  // PgDn
}};

CodePair codes_of(KeyPress press) {
  const auto column = static_cast<std::size_t>(press.modifier);
  const int index = static_cast<int>(press.key);
  if (press.key < Key::f1) return EDITING_KEYS[static_cast<std::size_t>(index)][column];
  const int f = index - static_cast<int>(Key::f1);  // 0 for F1
  if (f < 10) {
    constexpr std::array<int, 4> F1_CODE = {59, 84, 94, 104};
    return {0, F1_CODE[column] + f};
  }
  constexpr std::array<int, 4> F11_CODE = {133, 135, 137, 139};
  return {224, F11_CODE[column] + (f - 10)};
}

// xterm's modifier parameter: 1 + (1 Shift, 2 Alt, 4 Ctrl). Where several
// are held, Ctrl wins over Alt and Alt over Shift.
std::optional<Modifier> xterm_modifier(int parameter) {
  if (parameter < 1 || parameter > 8) return std::nullopt;
  const int bits = parameter - 1;
  if ((bits & 4) != 0) return Modifier::ctrl;
  if ((bits & 2) != 0) return Modifier::alt;
  if ((bits & 1) != 0) return Modifier::shift;
  return Modifier::none;
}

// The key of `ESC [ n ~` (also ending in rxvt's `$`, `^` or `@`).
std::optional<Key> tilde_key(int n) {
  switch (n) {
    case 1: case 7: return Key::home;
    case 2: return Key::insert;
    case 3: return Key::del;
    case 4: case 8: return Key::end;
    case 5: return Key::page_up;
    case 6: return Key::page_down;
    case 11: case 12: case 13: case 14: case 15: return function_key(n - 11);
    case 17: case 18: case 19: case 20: case 21: return function_key(n - 12);
    case 23: case 24: return function_key(n - 13);
    default: return std::nullopt;
  }
}

// The key named by the final letter of `ESC [ ... x` or `ESC O ... x`.
std::optional<Key> letter_key(unsigned char final) {
  switch (final) {
    case 'A': return Key::up;
    case 'B': return Key::down;
    case 'C': return Key::right;
    case 'D': return Key::left;
    case 'H': return Key::home;
    case 'F': return Key::end;
    case 'P': case 'Q': case 'R': case 'S': return function_key(final - 'P');
    default: return std::nullopt;
  }
}

// Numeric parameters separated by ';', an empty one meaning 1. Empty when the
// body holds anything else (private markers, intermediates), more than two
// parameters, or a number too large to be meant.
struct Parameters {
  std::array<int, 2> values{};
  int count = 0;
};

std::optional<Parameters> parse_parameters(std::string_view body) {
  Parameters result;
  if (body.empty()) return result;
  int value = -1;  // -1: no digit yet in this parameter
  for (std::size_t i = 0; i <= body.size(); ++i) {
    if (i == body.size() || body[i] == ';') {
      if (result.count == 2) return std::nullopt;
      result.values[static_cast<std::size_t>(result.count++)] = value < 0 ? 1 : value;
      value = -1;
    } else if (body[i] >= '0' && body[i] <= '9') {
      value = (value < 0 ? 0 : value * 10) + (body[i] - '0');
      if (value > 999) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return result;
}

// The key a complete escape sequence stands for: `ESC introducer body final`.
std::optional<KeyPress> decode_sequence(unsigned char introducer, std::string_view body,
                                        unsigned char final) {
  const std::optional<Parameters> parameters = parse_parameters(body);
  if (!parameters) return std::nullopt;
  const int count = parameters->count;
  const int first = parameters->values[0];
  const int second = parameters->values[1];

  // rxvt: Shift + arrows as `ESC [ a`..`d`, Ctrl + arrows as `ESC O a`..`d`.
  if (final >= 'a' && final <= 'd') {
    if (count != 0) return std::nullopt;
    const Key arrow = letter_key(static_cast<unsigned char>(final - 'a' + 'A')).value();
    return KeyPress{arrow, introducer == '[' ? Modifier::shift : Modifier::ctrl};
  }

  if (introducer == '[' && (final == '~' || final == '$' || final == '^' || final == '@')) {
    if (count == 0) return std::nullopt;
    const std::optional<Key> key = tilde_key(first);
    if (!key) return std::nullopt;
    if (final == '~') {
      const std::optional<Modifier> modifier = xterm_modifier(count == 2 ? second : 1);
      if (!modifier) return std::nullopt;
      return KeyPress{*key, *modifier};
    }
    // rxvt's modified keys carry the modifier in the final byte, no parameter.
    if (count != 1) return std::nullopt;
    return KeyPress{*key, final == '$' ? Modifier::shift : Modifier::ctrl};
  }

  const std::optional<Key> key = letter_key(final);
  if (!key) return std::nullopt;
  // `ESC [ 1 ; m x` and `ESC O 1 ; m x`; `ESC O m x` from older terminals.
  int modifier_parameter = 1;
  if (count == 2) {
    if (first != 1) return std::nullopt;
    modifier_parameter = second;
  } else if (count == 1) {
    if (introducer == 'O') {
      modifier_parameter = first;
    } else if (first != 1) {
      return std::nullopt;
    }
  }
  const std::optional<Modifier> modifier = xterm_modifier(modifier_parameter);
  if (!modifier) return std::nullopt;
  return KeyPress{*key, *modifier};
}

void push_key(KeyPress press, KeyCodes& out) {
  const CodePair pair = codes_of(press);
  out.push(pair.prefix);
  out.push(pair.code);
}

// Scan code of a letter (either case) or digit held with Alt; 0 for others.
int alt_scan_code(unsigned char byte) {
  // a..z in the order of the alphabet.
  constexpr std::array<int, 26> LETTERS = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                           49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
  if (byte >= 'a' && byte <= 'z') return LETTERS[static_cast<std::size_t>(byte - 'a')];
  if (byte >= 'A' && byte <= 'Z') return LETTERS[static_cast<std::size_t>(byte - 'A')];
  if (byte >= '1' && byte <= '9') return 120 + (byte - '1');
  if (byte == '0') return 129;
  return 0;
}

bool is_utf8_lead(unsigned char byte) { return byte >= 0xC2 && byte <= 0xF4; }
bool is_final(unsigned char byte) { return byte >= 0x40 && byte <= 0x7E; }
// Parameter (0x30-0x3F) or intermediate (0x20-0x2F) byte. Either may come in
// any order here: an oddly ordered sequence is still consumed whole, as one
// this decoder does not know, so none of its bytes turns into a key.
bool is_sequence_body(unsigned char byte) { return byte >= 0x20 && byte <= 0x3F; }

}  // namespace

KeyCodes KeyDecoder::feed(unsigned char byte, Duration since_previous) {
  KeyCodes out;
  if (state_ != State::idle && since_previous > ESC_WAIT) settle(out);
  step(byte, out);
  return out;
}

bool KeyDecoder::pending() const { return state_ != State::idle; }

KeyCodes KeyDecoder::timeout() {
  KeyCodes out;
  settle(out);
  return out;
}

void KeyDecoder::step(unsigned char byte, KeyCodes& out) {
  switch (state_) {
    case State::idle: start(byte, out); break;
    case State::escape: after_escape(byte, out); break;
    case State::sequence: in_sequence(byte, out); break;
    case State::linux_function: in_linux_function(byte, out); break;
    case State::character:
    case State::alt_character: in_character(byte, out); break;
  }
}

// A byte that begins a key.
void KeyDecoder::start(unsigned char byte, KeyCodes& out) {
  if (byte == ESC) {
    state_ = State::escape;
  } else if (byte == 0) {
    out.push(0);  // Ctrl+@ (Ctrl+Space): NUL, which a PC keyboard gives as 0 3
    out.push(3);
  } else if (byte < 0x80) {
    out.push(byte);
  } else if (is_utf8_lead(byte)) {
    begin_character(byte, false);
  } else {
    out.push(REPLACEMENT_CODE);  // stray continuation byte or invalid lead
  }
}

// The byte that came at once after ESC.
void KeyDecoder::after_escape(unsigned char byte, KeyCodes& out) {
  state_ = State::idle;
  if (byte == ESC) {
    out.push(27);  // two ESC keys; the second waits for what follows it
    state_ = State::escape;
  } else if (byte == '[' || byte == 'O') {
    state_ = State::sequence;
    introducer_ = byte;
    body_length_ = 0;
    body_overflowed_ = false;
  } else if (const int scan = alt_scan_code(byte); scan != 0) {
    out.push(0);
    out.push(scan);
  } else if (is_utf8_lead(byte)) {
    begin_character(byte, true);
  }
  // Alt with any other byte (punctuation, a control byte, a byte that is not
  // valid UTF-8) has no code: the byte is consumed.
}

// A byte after `ESC [` or `ESC O`. A byte that can neither continue nor end
// the sequence (a control byte, ESC, DEL, a byte of 0x80 or more) is not part
// of it: the sequence is settled as the wait running out would settle it (no
// code, except Alt+O for a bare `ESC O`) and the byte begins a key of its own.
void KeyDecoder::in_sequence(unsigned char byte, KeyCodes& out) {
  const std::string_view body(reinterpret_cast<const char*>(body_.data()), body_length_);
  // rxvt ends a shifted key with '$' (`ESC [ 2 $`), elsewhere an intermediate
  // byte: it ends the sequence when only digits came before it.
  const bool rxvt_shift = byte == '$' && introducer_ == '[' && !body_overflowed_ &&
                          !body.empty() && body.find_first_not_of("0123456789") == body.npos;
  if (is_final(byte) || rxvt_shift) {
    if (byte == '[' && introducer_ == '[' && body_length_ == 0 && !body_overflowed_) {
      state_ = State::linux_function;  // the Linux console's `ESC [ [ A`..`E`
      return;
    }
    state_ = State::idle;
    if (body_overflowed_) return;
    if (const std::optional<KeyPress> press = decode_sequence(introducer_, body, byte)) {
      push_key(*press, out);
    }
  } else if (is_sequence_body(byte)) {
    if (body_length_ < MAX_SEQUENCE) {
      body_[body_length_++] = byte;
    } else {
      body_overflowed_ = true;
    }
  } else {
    settle(out);
    start(byte, out);
  }
}

// The byte after `ESC [ [`: the Linux console's F1..F5 are `A`..`E`. Any other
// printable byte ends an unknown sequence; other bytes begin a key of their
// own, as in in_sequence.
void KeyDecoder::in_linux_function(unsigned char byte, KeyCodes& out) {
  if (byte < 0x20 || byte > 0x7E) {
    settle(out);
    start(byte, out);
    return;
  }
  state_ = State::idle;
  if (byte >= 'A' && byte <= 'E') push_key({function_key(byte - 'A'), Modifier::none}, out);
}

void KeyDecoder::begin_character(unsigned char lead, bool with_alt) {
  state_ = with_alt ? State::alt_character : State::character;
  next_low_ = 0x80;
  next_high_ = 0xBF;
  if (lead < 0xE0) {
    continuations_due_ = 1;
    code_point_ = lead & 0x1Fu;
  } else if (lead < 0xF0) {
    continuations_due_ = 2;
    code_point_ = lead & 0x0Fu;
    if (lead == 0xE0) next_low_ = 0xA0;   // no overlong forms
    if (lead == 0xED) next_high_ = 0x9F;  // no surrogates
  } else {
    continuations_due_ = 3;
    code_point_ = lead & 0x07u;
    if (lead == 0xF0) next_low_ = 0x90;   // no overlong forms
    if (lead == 0xF4) next_high_ = 0x8F;  // nothing above U+10FFFF
  }
}

// A byte inside a UTF-8 character. A byte that cannot continue it ends the
// broken part (U+FFFD, or nothing when Alt was held) and begins a key of its
// own.
void KeyDecoder::in_character(unsigned char byte, KeyCodes& out) {
  if (byte < next_low_ || byte > next_high_) {
    settle(out);
    start(byte, out);
    return;
  }
  code_point_ = (code_point_ << 6) | (byte & 0x3Fu);
  next_low_ = 0x80;
  next_high_ = 0xBF;
  if (--continuations_due_ > 0) return;
  if (state_ == State::character) out.push(CHARACTER_BASE + static_cast<int>(code_point_));
  state_ = State::idle;  // Alt with a character other than a letter or digit: no code
}

// Ends the pending key as it stands.
void KeyDecoder::settle(KeyCodes& out) {
  switch (state_) {
    case State::idle: break;
    case State::escape: out.push(27); break;
    case State::sequence:
      // A bare `ESC O` is Alt+O; any other unfinished sequence gives nothing
      // (a bare `ESC [` is Alt+[, which has no code).
      if (introducer_ == 'O' && body_length_ == 0 && !body_overflowed_) {
        out.push(0);
        out.push(alt_scan_code('O'));
      }
      break;
    case State::linux_function: break;
    case State::character: out.push(REPLACEMENT_CODE); break;
    case State::alt_character: break;
  }
  state_ = State::idle;
}
