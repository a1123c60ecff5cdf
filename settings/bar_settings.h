#pragma once
// The bar's settings in "system.ini", section "BAR", as the system settings dialog edits them.

#include <cstdint>

#include "text/text.h"

namespace orvex::settings {

struct BarSettings {
    int32_t BarPosition = 0;     // 0 docked at the top of the screen, 1 at the bottom
    int32_t UserButtonType = 1;  // 0 narrow person buttons (icon), 1 wide (icon and name)
    int32_t HelloMessage = 2;    // greeting window: 0 not shown, 1 to 3 its placement
};

/// The three values from "system.ini" in the data directory; a missing file, key or a value
/// that is not a number keeps the default.
BarSettings readBarSettings();

/// Writes only the values of `now` that differ from `saved`; true when every such write
/// succeeded (also when nothing differed).
bool writeChangedBarSettings(const BarSettings& saved, const BarSettings& now);

}  // namespace orvex::settings
