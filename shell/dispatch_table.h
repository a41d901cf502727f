#pragma once

#include "shell/panel.h"

// A main-menu key and the panel it opens.
struct MenuEntry {
  int key;
  const Panel* panel;
};

// The panel a main-menu key opens, or nullptr for a key the menu ignores.
const Panel* panel_for_key(int key);
