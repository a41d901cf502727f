#pragma once

#include <cstddef>
#include <string>

#include "console/console.h"
#include "console/input_stream.h"
#include "console/key_decoder.h"

// The console of the running program. With a controlling terminal, keys are
// read from it in key mode and decoded from its escape sequences, while lines
// come from standard input in the terminal's own mode. Without one (a
// script), keys and lines share standard input, one byte per key. Output is
// held in one buffer and written when a read may have to wait, so that every
// screen reaches the terminal in a single write.
class PosixConsole final : public Console {
 public:
  PosixConsole();
  ~PosixConsole() override;

  void write(std::string_view bytes) override;
  void clear() override;
  int read_key_code() override;
  bool read_line(char* buffer, int limit) override;

  // Writes out everything held.
  void flush();

 private:
  // Used through input_, which cppcheck does not follow.
  // cppcheck-suppress unusedPrivateFunction
  static long refill_input(void* context, char* into, std::size_t capacity);
  long read_terminal_line(char* into, std::size_t capacity);
  std::size_t take_typed_ahead(char* into, std::size_t capacity);
  int read_terminal_key();
  int decode_terminal_key();
  void remember(std::string_view bytes);

  int tty_fd_ = -1;
  bool clears_screen_ = false;
  bool lines_from_terminal_ = false;
  bool terminal_gone_ = false;

  // The screen as drawn since it was last cleared, kept on a terminal to draw
  // it again when the program is continued after a stop (the shell has
  // written over it by then). A screen too long to keep is not redrawn.
  static constexpr std::size_t SCREEN_CAPACITY = 16 * 1024;
  bool keeps_screen_ = false;
  bool screen_whole_ = false;
  std::string screen_;

  KeyDecoder decoder_;
  KeyCodes decoded_;
  int next_decoded_ = 0;

  std::size_t out_size_ = 0;
  static constexpr std::size_t OUT_CAPACITY = 64 * 1024;
  char out_[OUT_CAPACITY];

  InputStream input_{&PosixConsole::refill_input, this};
};
