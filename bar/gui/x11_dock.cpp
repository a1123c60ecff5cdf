#include "bar/gui/x11_dock.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace orvex::bar::gui {
namespace {

// Indexes into a strut.
enum StrutIndex { kLeft, kRight, kTop, kBottom, kLeftStart, kLeftEnd, kRightStart, kRightEnd,
                  kTopStart, kTopEnd, kBottomStart, kBottomEnd };
// _NET_WM_DESKTOP for "on every desktop".
constexpr std::uint32_t kAllDesktops = 0xFFFFFFFFu;
// Qt's own window-type property of a QWindow on xcb: with the dock bit Qt writes the dock type
// itself whenever it sets the window's type.
constexpr char kQtWindowTypeProperty[] = "_q_xcb_wm_window_type";
constexpr int kQtDockTypeBit = 0x000004;
// Other docks whose struts are read: the window manager's client list, else the top two levels
// of the window tree (frames and the windows inside them).
constexpr int kTreeDepth = 2;

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    return it.rem > 0 ? it.data->root : XCB_NONE;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : XCB_NONE;
}

// The 32-bit values of a window's property of `type`; empty when it is missing.
std::vector<std::uint32_t> cardinals(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                                     std::uint32_t maxLength) {
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, maxLength), nullptr), &std::free);
    std::vector<std::uint32_t> out;
    if (!reply || reply->format != 32 || reply->type != type) return out;
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int n = xcb_get_property_value_length(reply.get()) / 4;
    out.assign(data, data + n);
    return out;
}

void setCardinals(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                  const std::uint32_t* values, std::uint32_t count) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, 32, count, values);
}

// The strut of one window: its partial strut, else its plain strut; nothing without either.
std::optional<StrutPartial> strutOf(xcb_connection_t* c, xcb_window_t w, xcb_atom_t partialAtom, xcb_atom_t strutAtom) {
    StrutPartial s{};
    const auto partial = cardinals(c, w, partialAtom, XCB_ATOM_CARDINAL, 12);
    if (partial.size() == 12) {
        std::copy(partial.begin(), partial.end(), s.begin());
        return s;
    }
    const auto plain = cardinals(c, w, strutAtom, XCB_ATOM_CARDINAL, 4);
    if (plain.size() != 4) return std::nullopt;
    std::copy(plain.begin(), plain.end(), s.begin());
    // A plain strut spans its whole side.
    for (int i = kLeftStart; i <= kBottomEnd; i += 2) s[i + 1] = 0xFFFFFFFFu;
    return s;
}

std::vector<xcb_window_t> childWindows(xcb_connection_t* c, xcb_window_t w) {
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr), &std::free);
    if (!tree) return {};
    const xcb_window_t* kids = xcb_query_tree_children(tree.get());
    return std::vector<xcb_window_t>(kids, kids + xcb_query_tree_children_length(tree.get()));
}

}  // namespace

DockPlacement placeDock(const QRect& screen, const std::vector<StrutPartial>& others, DockEdge edge, int thickness) {
    const int w = std::max(0, screen.width());
    const int h = std::max(0, screen.height());
    std::uint32_t left = 0, right = 0, top = 0, bottom = 0;
    for (const StrutPartial& s : others) {
        left = std::max(left, s[kLeft]);
        right = std::max(right, s[kRight]);
        top = std::max(top, s[kTop]);
        bottom = std::max(bottom, s[kBottom]);
    }
    const int l = std::min<std::int64_t>(left, w);
    const int r = std::max<std::int64_t>(l, w - static_cast<std::int64_t>(std::min<std::uint32_t>(right, w)));
    const int t = std::min<std::int64_t>(top, h);
    const int b = std::max<std::int64_t>(t, h - static_cast<std::int64_t>(std::min<std::uint32_t>(bottom, h)));
    thickness = std::clamp(thickness, 0, std::max(0, b - t));

    DockPlacement p;
    const int y = edge == DockEdge::Top ? t : b - thickness;
    p.rect = QRect(screen.x() + l, screen.y() + y, r - l, thickness);
    if (r > l && thickness > 0) {
        if (edge == DockEdge::Top) {
            p.strut[kTop] = static_cast<std::uint32_t>(y + thickness);
            p.strut[kTopStart] = static_cast<std::uint32_t>(l);
            p.strut[kTopEnd] = static_cast<std::uint32_t>(r - 1);
        } else {
            p.strut[kBottom] = static_cast<std::uint32_t>(h - y);
            p.strut[kBottomStart] = static_cast<std::uint32_t>(l);
            p.strut[kBottomEnd] = static_cast<std::uint32_t>(r - 1);
        }
    }
    return p;
}

X11Dock::X11Dock(QWidget* bar, DockEdge edge, int thickness)
    : QObject(bar), m_bar(bar), m_edge(edge), m_thickness(thickness), m_x11(onX11()) {}

X11Dock::~X11Dock() { undock(); }

bool X11Dock::onX11() {
    return qGuiApp != nullptr && QGuiApplication::platformName() == QLatin1String("xcb") && connection() != nullptr;
}

bool X11Dock::writeDockProperties() {
    xcb_connection_t* c = connection();
    if (c == nullptr) return false;
    const auto w = static_cast<xcb_window_t>(m_bar->winId());
    const xcb_atom_t dockType = atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    setCardinals(c, w, atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, &dockType, 1);
    setCardinals(c, w, atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, &kAllDesktops, 1);
    // The window's class is its documented name, so tools find the bar by it.
    static const char kClass[] = "frmMain\0Orvex2000";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof kClass, kClass);
    xcb_flush(c);
    return true;
}

void X11Dock::writeStruts(const StrutPartial& strut) {
    if (m_written == strut) return;  // unchanged: no property change, so no work-area change loop
    xcb_connection_t* c = connection();
    if (c == nullptr) return;
    const auto w = static_cast<xcb_window_t>(m_bar->winId());
    setCardinals(c, w, atom(c, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, strut.data(), 12);
    setCardinals(c, w, atom(c, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL, strut.data(), 4);
    xcb_flush(c);
    m_written = strut;
}

std::vector<StrutPartial> X11Dock::otherStruts() const {
    std::vector<StrutPartial> out;
    xcb_connection_t* c = connection();
    if (c == nullptr) return out;
    const xcb_window_t root = rootOf(c);
    const auto own = static_cast<xcb_window_t>(m_bar->winId());
    const xcb_atom_t partial = atom(c, "_NET_WM_STRUT_PARTIAL");
    const xcb_atom_t plain = atom(c, "_NET_WM_STRUT");
    std::vector<std::uint32_t> windows = cardinals(c, root, atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 4096);
    if (windows.empty()) {
        std::vector<xcb_window_t> level{root};
        for (int depth = 0; depth < kTreeDepth; ++depth) {
            std::vector<xcb_window_t> next;
            for (xcb_window_t w : level)
                for (xcb_window_t k : childWindows(c, w)) next.push_back(k);
            windows.insert(windows.end(), next.begin(), next.end());
            level = std::move(next);
        }
    }
    for (std::uint32_t w : windows) {
        if (w == own) continue;
        if (auto s = strutOf(c, w, partial, plain)) out.push_back(*s);
    }
    return out;
}

QRect X11Dock::screenRect() const {
    QScreen* screen = m_bar->screen() != nullptr ? m_bar->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const qreal scale = screen->devicePixelRatio();
    const QRect g = screen->geometry();
    return QRect(qRound(g.x() * scale), qRound(g.y() * scale), qRound(g.width() * scale), qRound(g.height() * scale));
}

void X11Dock::moveBar(const QRect& r) {
    const qreal scale = m_bar->devicePixelRatioF() > 0 ? m_bar->devicePixelRatioF() : 1.0;
    m_bar->setGeometry(QRect(qRound(r.x() / scale), qRound(r.y() / scale), qRound(r.width() / scale),
                             qRound(r.height() / scale)));
}

bool X11Dock::dock() {
    m_bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus);
    m_bar->setAttribute(Qt::WA_ShowWithoutActivating);
    if (m_x11) {
        m_bar->createWinId();
        if (QWindow* window = m_bar->windowHandle()) window->setProperty(kQtWindowTypeProperty, kQtDockTypeBit);
        m_docked = writeDockProperties();
    }
    redock();
    if (QScreen* screen = m_bar->screen()) {
        connect(screen, &QScreen::geometryChanged, this, &X11Dock::redock);
        connect(screen, &QScreen::availableGeometryChanged, this, &X11Dock::redock);
    }
    return m_docked;
}

void X11Dock::redock() {
    const qreal scale = m_bar->devicePixelRatioF() > 0 ? m_bar->devicePixelRatioF() : 1.0;
    const int thickness = qRound(m_thickness * scale);
    if (m_docked) {
        m_placement = placeDock(screenRect(), otherStruts(), m_edge, thickness);
        moveBar(m_placement.rect);
        writeStruts(m_placement.strut);
        return;
    }
    // No window manager to reserve space with: the edge of the space the desktop leaves free.
    QScreen* screen = m_bar->screen() != nullptr ? m_bar->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const int y = m_edge == DockEdge::Top ? area.top() : area.bottom() + 1 - m_thickness;
    m_bar->setGeometry(area.left(), y, area.width(), m_thickness);
    m_placement.rect = QRect(qRound(area.left() * scale), qRound(y * scale), qRound(area.width() * scale), thickness);
}

void X11Dock::undock() {
    if (!m_docked) return;
    m_docked = false;
    xcb_connection_t* c = connection();
    if (c == nullptr || !m_bar->internalWinId()) return;
    const auto w = static_cast<xcb_window_t>(m_bar->internalWinId());
    xcb_delete_property(c, w, atom(c, "_NET_WM_STRUT_PARTIAL"));
    xcb_delete_property(c, w, atom(c, "_NET_WM_STRUT"));
    xcb_flush(c);
    m_written.reset();
}

}  // namespace orvex::bar::gui
