// Fuzzing of the key decoder. The input is a list of (byte, gap) pairs: each
// byte reaches the decoder after its gap, either within the ESC wait, after
// it (passed to feed, which must settle what is pending), or after the
// reader's wait ran out (timeout() first, as the terminal reader does). At
// the end of input the reader settles what is pending. Checked:
// - every output is whole keys: a prefix 0 or 224 is followed in the same
//   output by a nonzero second code; other codes are bytes below 128 or
//   characters (256 + a code point);
// - 27 comes exactly once for every lone ESC (one whose next byte came after
//   the wait, was another ESC, or never came) and never otherwise;
// - time matters only as "within the wait or not": the same bytes fed with
//   every gap within the wait set to zero, and every late byte preceded by
//   timeout(), give the same codes;
// - after timeout() nothing is pending, so the reader never waits twice for
//   one key, and the one wait is short.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "console/key_decoder.h"

namespace {

using Duration = KeyDecoder::Duration;
constexpr Duration WAIT = KeyDecoder::ESC_WAIT;
static_assert(WAIT > Duration::zero() && WAIT <= std::chrono::milliseconds(50),
              "a lone ESC must come through within 50 ms");

constexpr int ESC = 27;

[[noreturn]] void fail(const char* what, const std::uint8_t* data, std::size_t size) {
  std::fprintf(stderr, "key decoder: %s\n(byte, gap) pairs:", what);
  for (std::size_t i = 0; i < size; ++i) std::fprintf(stderr, " %02x", data[i]);
  std::fprintf(stderr, "\n");
  std::abort();
}

enum class Arrival { within_wait, late, after_timeout };

struct Event {
  unsigned char byte;
  Arrival arrival;
  Duration since;  // what feed() is told
};

// gap 0..159: within the wait, from 0 to exactly WAIT; 160..207: later, from
// WAIT + 1 ns to WAIT + 2^47 ns, told to feed(); 208..255: the reader's wait
// ran out before the byte came, so timeout() comes first.
Event decode_event(unsigned char byte, unsigned char gap) {
  if (gap < 160) return {byte, Arrival::within_wait, WAIT * gap / 159};
  if (gap < 208) {
    return {byte, Arrival::late, WAIT + Duration(std::int64_t{1} << (gap - 160))};
  }
  return {byte, Arrival::after_timeout, gap % 2 == 0 ? Duration::zero() : WAIT * 1000};
}

bool is_valid_character(int code) {
  const int code_point = code - 256;
  return code_point >= 0x80 && code_point <= 0x10FFFF &&
         !(code_point >= 0xD800 && code_point <= 0xDFFF);
}

class Checker {
 public:
  Checker(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // Checks one output of the decoder and appends it to all codes seen.
  void take(const KeyCodes& out, std::vector<int>& all) {
    if (out.count < 0 || out.count > static_cast<int>(out.codes.size())) {
      fail("impossible code count", data_, size_);
    }
    for (int i = 0; i < out.count; ++i) {
      const int code = out.codes[static_cast<std::size_t>(i)];
      all.push_back(code);
      if (code == 0 || code == 224) {
        if (i + 1 == out.count) fail("a prefix code ends an output", data_, size_);
        const int second = out.codes[static_cast<std::size_t>(++i)];
        all.push_back(second);
        if (second <= 0 || second > 255) fail("a prefix is followed by a bad code", data_, size_);
      } else if (code == ESC) {
        ++escapes_;
      } else if (!(code > 0 && code < 128) && !is_valid_character(code)) {
        fail("a code that is neither a byte, a character nor a prefix", data_, size_);
      }
    }
  }

  int escapes() const { return escapes_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  int escapes_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<Event> events;
  for (std::size_t i = 0; i < size; i += 2) {
    events.push_back(decode_event(data[i], i + 1 < size ? data[i + 1] : 0));
  }

  // A lone ESC: its next byte came after the wait, was ESC, or never came.
  int lone_escapes = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].byte != ESC) continue;
    const bool last = i + 1 == events.size();
    if (last || events[i + 1].arrival != Arrival::within_wait || events[i + 1].byte == ESC) {
      ++lone_escapes;
    }
  }

  KeyDecoder decoder;
  KeyDecoder normalised;  // sees every gap within the wait as zero
  std::vector<int> codes;
  std::vector<int> normalised_codes;
  Checker checker(data, size);
  Checker normalised_checker(data, size);

  auto settle = [&](KeyDecoder& d, Checker& c, std::vector<int>& all) {
    const bool was_pending = d.pending();
    const KeyCodes out = d.timeout();
    if (d.pending()) fail("still pending after timeout()", data, size);
    if (!was_pending && out.count != 0) fail("timeout() with nothing pending gave codes", data, size);
    c.take(out, all);
  };

  for (const Event& event : events) {
    if (event.arrival == Arrival::after_timeout && decoder.pending()) {
      settle(decoder, checker, codes);
    }
    checker.take(decoder.feed(event.byte, event.since), codes);

    if (event.arrival != Arrival::within_wait && normalised.pending()) {
      settle(normalised, normalised_checker, normalised_codes);
    }
    normalised_checker.take(normalised.feed(event.byte, Duration::zero()), normalised_codes);
  }
  // End of input: the reader settles whatever is pending.
  settle(decoder, checker, codes);
  settle(normalised, normalised_checker, normalised_codes);

  if (checker.escapes() != lone_escapes) fail("27 does not match the lone ESC bytes", data, size);
  if (codes != normalised_codes) fail("the codes depend on more than the wait", data, size);
  return 0;
}
