#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/input_stream.h"

// The sequence the scripted console writes for clear_screen, the same a
// real terminal gets.
inline constexpr std::string_view CLS = "\x1b[H\x1b[2J";

// A console fed from a script: keys and lines share one input, one byte per
// key, as in the program's scripted mode; everything written is kept.
class ScriptedConsole final : public Console {
 public:
  // chunk: how many bytes each refill hands over (small values exercise the
  // buffer boundaries).
  explicit ScriptedConsole(std::string input, std::size_t chunk = 4096);

  void write(std::string_view bytes) override { output_ += bytes; }
  void clear() override { output_ += CLS; }
  int read_key_code() override;
  bool read_line(char* buffer, int limit) override { return input_.get_line(buffer, limit); }

  const std::string& output() const { return output_; }
  // Returns what was written since the last call.
  std::string take_output();

 private:
  static long refill(void* context, char* into, std::size_t capacity);

  std::string script_;
  std::size_t consumed_ = 0;
  std::size_t chunk_;
  std::string output_;
  InputStream input_{&ScriptedConsole::refill, this};
};
