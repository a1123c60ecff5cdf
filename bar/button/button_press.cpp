#include "bar/button/button_press.h"

namespace orvex::bar::button {

PressOutcome ButtonPress::leftDown(int buttonType) {
    PressOutcome out;
    if (buttonType == kButtonTypePressable && !m_pressed) {
        m_pressed = true;
        out.redraw = true;
    }
    return out;
}

PressOutcome ButtonPress::leftUp(int buttonType, int x, int y, int width, int height) {
    PressOutcome out;
    if (buttonType == kButtonTypePressable && m_pressed) {
        m_pressed = false;
        out.redraw = true;
    }
    // A press dragged off the element before the release is cancelled.
    out.click = x >= 0 && y >= 0 && x <= width && y <= height;
    return out;
}

PressOutcome ButtonPress::rightUp() const {
    PressOutcome out;
    out.rightMenu = true;
    return out;
}

}  // namespace orvex::bar::button
