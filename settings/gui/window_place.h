#pragma once
// Centring a dialog on its screen, as every settings and data dialog of the program does when it
// loads. Header-only, so that each dialog's window library can use it without linking another.

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace orvex::settings::gui {

/// Moves `window` so that its frame stands in the middle of the available area of its screen (the
/// primary screen when it has none yet), halves rounded down. Before the window is first shown the
/// frame is not known and the window's own size is used. A null window is ignored.
inline void centreOnScreen(QWidget* window) {
    if (window == nullptr) return;
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

}  // namespace orvex::settings::gui
