#pragma once

#include <cstddef>

// The buffered bytes of standard input. Lines are always taken from it; with
// no terminal, keys are taken from it too, one byte per key, so that a byte
// is part of either a key or a line, never both.
class InputStream {
 public:
  // Called only when every buffered byte has been taken. Stores up to
  // capacity bytes and returns how many (0 at end of input, negative on
  // error). End of input is not remembered: the next call asks again, so an
  // end-of-input mark typed on a terminal fails a single read.
  using Refill = long (*)(void* context, char* into, std::size_t capacity);

  // The buffer is left uninitialised: only bytes the source stored are read.
  // cppcheck-suppress uninitMemberVar
  InputStream(Refill refill, void* context) : refill_(refill), context_(context) {}

  // The next byte (0 to 255), or -1 at end of input.
  int get();
  // fgets: up to limit - 1 bytes, through the first newline, then a zero.
  // A line cut off by end of input is still a line. False when no byte came.
  bool get_line(char* buffer, int limit);
  // True when a byte can be taken without asking the source for more.
  bool has_buffered() const { return begin_ < end_; }

 private:
  bool fill();

  // Small enough that a long session touches no more memory than a short one.
  static constexpr std::size_t CAPACITY = 4096;
  Refill refill_;
  void* context_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  char data_[CAPACITY];
};
