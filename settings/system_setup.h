#pragma once
// The system settings dialog without a display: the current and the saved value of each key of
// "system.ini" section "BAR", option clicks, and OK writing only what changed.

#include "settings/bar_settings.h"

namespace orvex::settings {

// The dialog's option groups.
enum class SystemOption { BarPosition, UserButtonType, HelloMessage };

/// What OK did.
struct SystemSetupOk {
    bool stored = true;              ///< every changed key was written
    bool buttonTypeChanged = false;  ///< "UserButtonType" changed: the bar rebuilds its buttons
};

class SystemSetup {
  public:
    /// The dialog as loaded with `saved` (the values read from "system.ini") as current and saved.
    explicit SystemSetup(const BarSettings& saved) : m_current(saved), m_saved(saved) {}

    const BarSettings& current() const { return m_current; }
    const BarSettings& saved() const { return m_saved; }
    /// The current value of a group: the index of its chosen option.
    int chosen(SystemOption group) const;
    /// An option click: the group's current value becomes `index`; an index outside the group's
    /// options is ignored.
    void choose(SystemOption group, int index);

    /// Writes the keys whose current value differs from the saved one; when that succeeded the
    /// saved values become the current ones. A failed write keeps the saved values (so OK again
    /// tries again).
    SystemSetupOk ok();
    /// Cancel: nothing is written, and the options go back to the saved values.
    void cancel() { m_current = m_saved; }

  private:
    BarSettings m_current;
    BarSettings m_saved;
};

}  // namespace orvex::settings
