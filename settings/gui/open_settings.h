#pragma once
// The bar's ways into the two settings dialogs.

class QWidget;

namespace orvex::bar {
class BarModel;
class BrowserProvider;
}  // namespace orvex::bar

namespace orvex::settings::gui {

class frmSystemSetup;
class frmZolvanSetup;

/// Shows the system settings dialog over `parent` and returns when it is hidden. The dialog is
/// made once, at the first call, with the values the bar read from "system.ini" when it loaded,
/// and is kept (hidden) with `parent`; an OK that changed "UserButtonType" hands the new values to
/// the bar, which rebuilds its buttons. Returns the dialog.
frmSystemSetup* openSystemSetup(bar::BarModel& bar, QWidget* parent);

/// Shows the advanced settings dialog (not modal; raised when it is open already). "位置変更"
/// opens the first page with the bar in a new window filled on request, and the position is read
/// from the bar's current browser window through `provider`. Returns the dialog.
frmZolvanSetup* openZolvanSetup(bar::BarModel& bar, bar::BrowserProvider& provider, QWidget* parent);

}  // namespace orvex::settings::gui
