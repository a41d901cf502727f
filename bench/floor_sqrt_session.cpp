// Floor for scripted throughput: the least a program can do to run a scripted
// square-root session and write what the calculator writes, byte for byte.
//
// It serves the session the benchmark feeds it: the main menu (where '5'
// opens the square-root panel, ESC asks to quit and every other key is
// ignored), the square-root panel ('1' calculates, ESC goes back, any other
// key redraws) and the quit question. Keys and lines come from one buffered
// standard input, one byte per key; a line is read as fgets reads it (254
// bytes at most, through the newline), its commas become points and the
// number it starts with is parsed by the same grammar, with from_chars on
// the accepted prefix (strtod only where from_chars reports overflow or
// underflow). Numbers are written with to_chars, general, 16 digits. The
// screens are constant bytes, copied. Output is held and written only
// before a read of input, which is the read that can block; at the end of
// input it is written and the program ends with status 0.

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "bench/floor_io.h"
#include "bench/screens.h"

namespace {

constexpr int KEY_ESC = 27;
constexpr int END = -1;
constexpr std::size_t LINE_LIMIT = 255;  // terminator counted

char out[64 * 1024];
std::size_t out_size = 0;
char in[64 * 1024];
std::size_t in_begin = 0;
std::size_t in_end = 0;
bool clears = false;

void flush() {
  floor_io::write_all(STDOUT_FILENO, out, out_size);
  out_size = 0;
}

void put(const char* data, std::size_t size) {
  if (size > sizeof out - out_size) {
    flush();
    if (size > sizeof out) {
      floor_io::write_all(STDOUT_FILENO, data, size);
      return;
    }
  }
  std::memcpy(out + out_size, data, size);
  out_size += size;
}

void put(std::string_view text) { put(text.data(), text.size()); }

void clear() {
  if (clears) put(screens::CLEAR);
}

bool refill() {
  flush();  // the read below may wait
  in_begin = 0;
  const long got = floor_io::read_some(STDIN_FILENO, in, sizeof in);
  in_end = got > 0 ? static_cast<std::size_t>(got) : 0;
  return in_end > 0;
}

int key() {
  if (in_begin == in_end && !refill()) return END;
  return static_cast<unsigned char>(in[in_begin++]);
}

// fgets into line: at most LINE_LIMIT - 1 bytes, through the first newline.
// Returns the bytes stored, 0 when none could be read.
std::size_t read_line(char* line) {
  std::size_t stored = 0;
  while (stored < LINE_LIMIT - 1) {
    if (in_begin == in_end && !refill()) break;
    const std::size_t room = LINE_LIMIT - 1 - stored;
    const std::size_t available = in_end - in_begin;
    const std::size_t span = room < available ? room : available;
    const char* start = in + in_begin;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', span));
    const std::size_t take = newline != nullptr ? static_cast<std::size_t>(newline - start) + 1 : span;
    std::memcpy(line + stored, start, take);
    stored += take;
    in_begin += take;
    if (newline != nullptr) break;
  }
  return stored;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The number text starts with: [sign] digits [. digits] [e [sign] digits].
bool parse(const char* p, const char* end, double& target) {
  while (p < end && is_blank(*p)) ++p;
  const char* start = p;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '+' || *p == '-')) ++p;
  const char* mantissa = p;
  const char* q = p;
  while (q < end && is_digit(*q)) ++q;
  bool has_digits = q > p;
  if (q < end && *q == '.') {
    const char* r = q + 1;
    while (r < end && is_digit(*r)) ++r;
    if (r > q + 1) has_digits = true;
    if (has_digits) q = r;
  }
  if (!has_digits) return false;
  if (q < end && (*q == 'e' || *q == 'E')) {
    const char* r = q + 1;
    if (r < end && (*r == '+' || *r == '-')) ++r;
    const char* s = r;
    while (s < end && is_digit(*s)) ++s;
    if (s > r) q = s;
  }
  double value = 0;
  const auto result = std::from_chars(mantissa, q, value);
  if (result.ec != std::errc() || result.ptr != q) {
    char copy[LINE_LIMIT];
    const auto length = static_cast<std::size_t>(q - start);
    std::memcpy(copy, start, length);
    copy[length] = '\0';
    target = std::strtod(copy, nullptr);
    return true;
  }
  target = negative ? -value : value;
  return true;
}

void put_number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 16);
  put(text, static_cast<std::size_t>(result.ptr - text));
}

double x = 0;

// One calculation of the panel. False when input ended at its pause.
bool square_root() {
  static char line[LINE_LIMIT + 1];
  put(screens::PROMPT);
  const std::size_t stored = read_line(line);
  if (stored > 0) {
    line[stored] = '\0';
    std::size_t length = 0;
    for (; line[length] != '\0'; ++length) {
      if (line[length] == ',') line[length] = '.';
    }
    parse(line, line + length, x);
  }
  put("\n\nThe square root of ");
  put_number(x);
  put(" is ");
  put_number(std::sqrt(x));
  put(";\n\n\n");
  put(screens::PAUSE);
  return key() != END;
}

// The panel until ESC (true) or the end of input (false).
bool panel() {
  for (;;) {
    put(clears ? screens::CLEARED_SQUARE_ROOT_PANEL : screens::SQUARE_ROOT_PANEL);
    const int k = key();
    if (k == END) return false;
    if (k == KEY_ESC) return true;
    if (k == '1') {
      clear();
      if (!square_root()) return false;
    }
  }
}

}  // namespace

int main() {
  clears = floor_io::screen_clears();
  for (;;) {
    put(clears ? screens::CLEARED_MAIN_MENU : screens::MAIN_MENU);
    for (;;) {
      const int k = key();
      if (k == END) {
        flush();
        return 0;
      }
      if (k == KEY_ESC) {
        clear();
        put(screens::QUIT_QUESTION);
        const int answer = key();
        if (answer == KEY_ESC || answer == END) {
          flush();
          return 0;
        }
        break;
      }
      if (k == '5') {
        if (!panel()) {
          flush();
          return 0;
        }
        break;
      }
    }
  }
}
