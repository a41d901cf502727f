#pragma once

#include <array>
#include <chrono>
#include <cstddef>

// Codes produced by one step of the decoder, in order.
struct KeyCodes {
  std::array<int, 4> codes{};
  int count = 0;
  void push(int code) { codes[static_cast<std::size_t>(count++)] = code; }
};

// Turns the bytes a terminal sends into the key codes of a PC keyboard: a
// plain byte gives its own value, a special key (an escape sequence of the
// xterm, rxvt or Linux console families) gives a prefix 0 or 224 and its
// second code, ESC followed at once by a letter or digit is Alt with that key
// (0 and its scan code), and a character of several UTF-8 bytes gives one
// code, 256 + its code point (256 + U+FFFD for bytes that are not valid
// UTF-8). Keys the PC keyboard has no code for (Alt with other characters,
// sequences this decoder does not know) are consumed whole and give no code.
// Time is passed in by the caller; the decoder reads no clock and does no I/O.
class KeyDecoder {
 public:
  using Duration = std::chrono::nanoseconds;
  // How long the reader waits for the next byte of an unfinished key (a lone
  // ESC, an escape sequence, a UTF-8 character) before settling it.
  static constexpr Duration ESC_WAIT = std::chrono::milliseconds(25);

  // One byte that arrived `since_previous` after the previous byte fed. When
  // a key is pending and since_previous > ESC_WAIT, the pending key is
  // settled first (as timeout() would) and the byte then starts afresh.
  // since_previous is ignored when nothing is pending.
  KeyCodes feed(unsigned char byte, Duration since_previous);
  // True while bytes of an unfinished key are held; the reader then waits at
  // most ESC_WAIT for another byte, and calls timeout() if none comes (or
  // input ends).
  bool pending() const;
  // The wait ran out (or input ended): settle what is pending. A lone ESC
  // gives 27.
  KeyCodes timeout();

 private:
  enum class State { idle, escape, sequence, linux_function, character, alt_character };

  // Longest run of parameter and intermediate bytes kept; a longer sequence
  // is still consumed up to its final byte, but gives no code.
  static constexpr std::size_t MAX_SEQUENCE = 32;

  void step(unsigned char byte, KeyCodes& out);
  void start(unsigned char byte, KeyCodes& out);
  void after_escape(unsigned char byte, KeyCodes& out);
  void in_sequence(unsigned char byte, KeyCodes& out);
  void in_linux_function(unsigned char byte, KeyCodes& out);
  void in_character(unsigned char byte, KeyCodes& out);
  void begin_character(unsigned char lead, bool with_alt);
  void settle(KeyCodes& out);

  State state_ = State::idle;
  // Escape sequence: '[' or 'O', then the bytes between it and the final.
  unsigned char introducer_ = 0;
  std::array<unsigned char, MAX_SEQUENCE> body_{};
  std::size_t body_length_ = 0;
  bool body_overflowed_ = false;
  // UTF-8 character: the value so far, the continuation bytes still due and
  // the range the next one must fall in.
  char32_t code_point_ = 0;
  int continuations_due_ = 0;
  unsigned char next_low_ = 0x80;
  unsigned char next_high_ = 0xBF;
};
