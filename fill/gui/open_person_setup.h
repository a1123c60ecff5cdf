#pragma once
// The bar's way into the person setup dialog.

#include <functional>

#include "fill/gui/frm_setup_main.h"

class QWidget;

namespace orvex::bar {
class BarModel;
}

namespace orvex::fill::gui {

/// Shows frmSetupMain over `parent` for the data directory's "userdata.ini" and returns when it
/// is closed. After a save the bar reads the persons again and rebuilds its buttons
/// (UpdateUserData), then `afterSave` runs (the floating window refreshes its person list).
/// Returns true when the dialog saved.
bool openPersonSetup(bar::BarModel& bar, QWidget* parent, BuiltInIcons icons,
                     std::function<void()> afterSave = {});

}  // namespace orvex::fill::gui
