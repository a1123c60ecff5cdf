#include "palette/gui/right_edge_placer.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "palette/float_placement.h"

namespace orvex::palette::gui {

RightEdgePlacer::RightEdgePlacer(QWidget* window) : QObject(window), m_window(window) {
    window->installEventFilter(this);
}

void RightEdgePlacer::place() {
    const QScreen* screen = m_window->screen();
    if (screen == nullptr) return;
    const QRect g = screen->geometry();
    m_frameWidth = m_window->frameGeometry().width();
    const Point at = rightEdgePosition(Rect{g.x(), g.y(), g.width(), g.height()}, m_frameWidth);
    m_keeping = true;
    m_window->move(at.x, at.y);
}

bool RightEdgePlacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && m_keeping) {
        const QEvent::Type t = event->type();
        if ((t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show) &&
            m_window->frameGeometry().width() != m_frameWidth) {
            place();
            // The frame is known now; from here on the window is where the user puts it.
            m_keeping = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvex::palette::gui
