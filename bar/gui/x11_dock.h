#pragma once
// Docking the bar on X11: the bar becomes a dock window on every desktop that reserves its
// strip of the screen (struts), so the window manager keeps other windows, maximised ones
// included, clear of it. It sits inside the area that the other docks leave (a panel already
// at the bottom: the bar sits directly above it), and docks again when the screen or that
// area changes. Other platforms get a plain frameless window at the edge.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QObject>
#include <QRect>

class QWidget;

namespace orvex::bar::gui {

// The reserved space of one dock as the window manager reads it: left, right, top, bottom,
// then the start and end of each side (left y, right y, top x, bottom x), in device pixels.
using StrutPartial = std::array<std::uint32_t, 12>;

enum class DockEdge { Top, Bottom };

/// Where a dock goes and what it reserves.
struct DockPlacement {
    QRect rect;          // in device pixels of the root window
    StrutPartial strut{};
};

/// The strip of `thickness` device pixels at `edge` inside the part of `screen` that the
/// other docks' struts leave free, and the strut that reserves it. Never fails; struts larger
/// than the screen are clamped.
DockPlacement placeDock(const QRect& screen, const std::vector<StrutPartial>& others, DockEdge edge, int thickness);

/// The X11 side of the bar's docking; does nothing but the fallback when the platform is not xcb.
class X11Dock : public QObject {
    Q_OBJECT
  public:
    /// Docks `bar` (not yet shown) at `edge`, `thickness` device-independent pixels thick.
    X11Dock(QWidget* bar, DockEdge edge, int thickness);
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
    /// The last placement made, in device pixels.
    const DockPlacement& placement() const { return m_placement; }

  private:
    bool writeDockProperties();
    void writeStruts(const StrutPartial& strut);
    std::vector<StrutPartial> otherStruts() const;
    QRect screenRect() const;
    void moveBar(const QRect& devicePixels);

    QWidget* m_bar;
    DockEdge m_edge;
    int m_thickness;
    bool m_x11 = false;
    bool m_docked = false;
    DockPlacement m_placement;
    std::optional<StrutPartial> m_written;
};

}  // namespace orvex::bar::gui
