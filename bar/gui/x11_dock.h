#pragma once
// Docking the bar on X11: the bar becomes a dock window on every desktop that reserves its
// strip of the screen (struts), so the window manager keeps other windows, maximised ones
// included, clear of it. It sits inside the area that the other docks leave (a panel already
// at the bottom: the bar sits directly above it), and docks again when the screen or that
// area changes. Other platforms get a plain frameless window at the edge.

#include <optional>
#include <vector>

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>

#include "bar/bar_geometry.h"

class QWidget;

namespace orvex::bar::gui {

/// The X11 side of the bar's docking; does nothing but the fallback when the platform is not xcb.
class X11Dock : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    /// Docks `bar` (not yet shown) at `edge` (bar::kEdgeTop or bar::kEdgeBottom).
    X11Dock(QWidget* bar, int edge);
    ~X11Dock() override;

    /// True when the program runs on X11 (the xcb platform).
    static bool onX11();

    /// Sets the window up as a dock (after winId(), before the first show()), places it and
    /// reserves its strip; on other platforms places a plain window at the edge. Returns false
    /// when no screen space could be reserved (no X11).
    bool dock();
    /// Places the bar again from the current screen and docks (after a change of either).
    void redock();
    /// Removes the reservation (the bar leaves the screen at exit); safe to call twice.
    void undock();
    /// The last placement made, in pixels of the root window.
    const bar::DockPlacement& placement() const { return m_placement; }
    /// Puts the bar at the top of the stay-on-top windows, or takes it out of them.
    void setAbove(bool above);

    /// Notes the window system's changes of the list of windows and of the work area, so that
    /// a dock arriving or leaving re-docks the bar; never swallows an event.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  signals:
    /// The bar was placed (again); its width may have changed.
    void placed();

  private:
    bool writeDockProperties();
    void writeStruts(const bar::Strut& strut);
    bar::DockArea dockArea() const;

    QWidget* m_bar;
    int m_edge;
    bool m_x11 = false;
    bool m_docked = false;
    bool m_redockQueued = false;
    unsigned m_clientListAtom = 0;
    unsigned m_workAreaAtom = 0;
    bar::DockPlacement m_placement;
    std::optional<bar::Strut> m_written;
};

}  // namespace orvex::bar::gui
