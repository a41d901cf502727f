#include "shell/dispatch_table.h"

#include <algorithm>
#include <array>

#include "calculators/arithmetic.h"
#include "calculators/bessel.h"
#include "calculators/currency.h"
#include "calculators/elementary_functions.h"
#include "calculators/inverse_trigonometry.h"
#include "calculators/temperature.h"
#include "calculators/trigonometry.h"

namespace {

// One row per main-menu key; each calculator brings the panels it defines.
constexpr std::array MAIN_MENU_PANELS = {
    MenuEntry{'1', &temperature_panel},    MenuEntry{'2', &currency_panel},
    MenuEntry{'3', &power_panel},          MenuEntry{'4', &logarithm_panel},
    MenuEntry{'5', &square_root_panel},    MenuEntry{'6', &trigonometry_panel},
    MenuEntry{'7', &arithmetic_panel},     MenuEntry{'8', &absolute_value_panel},
    MenuEntry{'9', &arcsine_panel},        MenuEntry{'a', &arctangent_panel},
    MenuEntry{'b', &bessel_panel},
};

}  // namespace

const Panel* panel_for_key(int key) {
  const auto* entry = std::find_if(MAIN_MENU_PANELS.begin(), MAIN_MENU_PANELS.end(),
                                  [key](const MenuEntry& row) { return row.key == key; });
  return entry == MAIN_MENU_PANELS.end() ? nullptr : entry->panel;
}
