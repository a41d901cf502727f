#pragma once

#include <initializer_list>
#include <string_view>

#include "console/console.h"

// The pause text every action uses unless its panel says otherwise.
inline constexpr std::string_view PAUSE_TEXT = "Press any key to continue\n";

// Size of the line buffer and the limit of one line read, terminator counted.
inline constexpr int LINE_BUFFER_SIZE = 256;
inline constexpr int LINE_LIMIT = 255;

// One value named by a write_text format: "%.16g" takes a double, "%d" an
// int, "%s" a text.
// The constructors convert implicitly on purpose: write_text passes its
// arguments through them.
struct FormatArg {
  enum class Kind { Double, Int, Text };
  // cppcheck-suppress noExplicitConstructor
  FormatArg(double value) : kind(Kind::Double), real(value) {}
  // cppcheck-suppress noExplicitConstructor
  FormatArg(int value) : kind(Kind::Int), integer(value) {}
  // cppcheck-suppress noExplicitConstructor
  FormatArg(std::string_view value) : kind(Kind::Text), text(value) {}
  // cppcheck-suppress noExplicitConstructor
  FormatArg(const char* value) : FormatArg(std::string_view(value)) {}
  Kind kind;
  double real = 0;
  int integer = 0;
  std::string_view text;
};

void clear_screen(Console& console);

// Writes format with its "%.16g", "%d" and "%s" conversions filled in from
// args, in order, exactly as printf would; "%%" is a percent sign. Nothing is
// added, not even a newline.
void write_formatted(Console& console, std::string_view format,
                     std::initializer_list<FormatArg> args);

template <typename... Args>
void write_text(Console& console, std::string_view format, Args... args) {
  write_formatted(console, format, {FormatArg(args)...});
}

int read_key(Console& console);

// Writes the prompt, reads a line and stores the number it starts with in
// target; a line without a number, or a failed read, leaves target alone.
void read_number(Console& console, std::string_view prompt, double& target);

// Writes text and waits for any key. Returns the key's code, so that the
// caller can tell when input has ended.
int pause_for_key(Console& console, std::string_view text = PAUSE_TEXT);
