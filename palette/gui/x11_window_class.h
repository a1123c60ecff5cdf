#pragma once
// The X11 class of a palette window: its documented name, so that tools and the window
// manager's rules find it by that name.

class QWidget;

namespace orvex::palette::gui {

/// Sets WM_CLASS of `window`'s native window to `instance` and "Orvex2000"; nothing when the
/// platform is not X11 or the window has no native window yet. Call it before the window is
/// mapped (from its showEvent).
void setX11WindowClass(QWidget* window, const char* instance);

}  // namespace orvex::palette::gui
