#include "support/scripted_console.h"

#include <algorithm>
#include <cstring>

ScriptedConsole::ScriptedConsole(std::string input, std::size_t chunk)
    : script_(std::move(input)), chunk_(chunk == 0 ? 1 : chunk) {}

long ScriptedConsole::refill(void* context, char* into, std::size_t capacity) {
  auto& self = *static_cast<ScriptedConsole*>(context);
  const std::size_t n =
      std::min({capacity, self.chunk_, self.script_.size() - self.consumed_});
  std::memcpy(into, self.script_.data() + self.consumed_, n);
  self.consumed_ += n;
  return static_cast<long>(n);
}

int ScriptedConsole::read_key_code() {
  const int byte = input_.get();
  return byte < 0 ? KEY_END_OF_INPUT : byte;
}

std::string ScriptedConsole::take_output() {
  std::string taken;
  taken.swap(output_);
  return taken;
}
