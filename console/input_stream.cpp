#include "console/input_stream.h"

#include <cstring>

bool InputStream::fill() {
  begin_ = 0;
  end_ = 0;
  const long got = refill_(context_, data_, CAPACITY);
  if (got <= 0) return false;
  end_ = static_cast<std::size_t>(got);
  return true;
}

int InputStream::get() {
  if (begin_ == end_ && !fill()) return -1;
  return static_cast<unsigned char>(data_[begin_++]);
}

bool InputStream::get_line(char* buffer, int limit) {
  if (limit <= 0) return false;
  std::size_t stored = 0;
  const auto room = static_cast<std::size_t>(limit - 1);
  while (stored < room) {
    if (begin_ == end_ && !fill()) break;
    const std::size_t available = end_ - begin_;
    const std::size_t wanted = room - stored < available ? room - stored : available;
    const char* start = data_ + begin_;
    const void* newline = std::memchr(start, '\n', wanted);
    const std::size_t take =
        newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1
                           : wanted;
    std::memcpy(buffer + stored, start, take);
    stored += take;
    begin_ += take;
    if (newline != nullptr) break;
  }
  buffer[stored] = '\0';
  return stored > 0;
}
