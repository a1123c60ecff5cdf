#pragma once
// Places a window at the right edge of its screen, 500 twips below the top, and keeps its frame
// there while the window manager's frame around it becomes known: before the window is mapped its
// frame width is unknown, and the window manager reports it only afterwards.

#include <QObject>

class QWidget;

namespace orvex::palette::gui {

class RightEdgePlacer : public QObject {
    Q_OBJECT
  public:
    /// A placer for `window` (its parent); it does nothing until place().
    explicit RightEdgePlacer(QWidget* window);

    /// Moves the window's frame to the right edge of its screen, and once more when the frame's
    /// width first becomes known or changes; nothing when the window has no screen.
    void place();
    /// Stops keeping the window at the edge (the window was placed elsewhere).
    void release() { m_keeping = false; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_window;
    bool m_keeping = false;
    int m_frameWidth = 0;  // the frame width the window was last placed for
};

}  // namespace orvex::palette::gui
