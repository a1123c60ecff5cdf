#pragma once
// What the bar's button does with the mouse: the pressed state while the left button is held,
// a click for a left release inside the element that got it, the right-menu request for a
// right release. The same rules hold on the button's surface, its picture and its caption.

namespace orvex::bar::button {

// ButtonType 0: the button shows a pressed state while held; any other value never does.
inline constexpr int kButtonTypePressable = 0;

/// What one mouse event asks the widget to do.
struct PressOutcome {
    bool redraw = false;     // the pressed look changed
    bool click = false;      // raise Click
    bool rightMenu = false;  // raise RightMenu
};

/// The pressed flag of one button and its rules.
class ButtonPress {
  public:
    /// True while the button looks pressed.
    bool pressed() const { return m_pressed; }

    /// A left button press: sets the pressed flag when `buttonType` is 0 and it was not set.
    PressOutcome leftDown(int buttonType);
    /// A left button release at (x, y) in pixels of the element that received it, whose size
    /// is width × height: clears the pressed flag (ButtonType 0); a click when x and y are at
    /// least 0 and not beyond the width and height, nothing when the release is outside.
    PressOutcome leftUp(int buttonType, int x, int y, int width, int height);
    /// A right button release: asks for the right menu, never a click.
    PressOutcome rightUp() const;

  private:
    bool m_pressed = false;
};

}  // namespace orvex::bar::button
