#include "shell/dispatch_table.h"

#include <array>

namespace {

// One row per main-menu key; each calculator brings the panels it defines.
constexpr std::array<MenuEntry, 0> MAIN_MENU_PANELS{};

}  // namespace

const Panel* panel_for_key(int key) {
  for (const MenuEntry& entry : MAIN_MENU_PANELS) {
    if (entry.key == key) return entry.panel;
  }
  return nullptr;
}
