#include "bar/gui/x11_dock.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace orvex::bar::gui {
namespace {

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
std::optional<bar::Strut> strutOf(xcb_connection_t* c, xcb_window_t w, xcb_atom_t partialAtom, xcb_atom_t strutAtom,
                                  qreal scale) {
    std::vector<std::uint32_t> values = cardinals(c, w, partialAtom, XCB_ATOM_CARDINAL, 12);
    if (values.size() != 12) values = cardinals(c, w, strutAtom, XCB_ATOM_CARDINAL, 4);
    if (values.size() != 12 && values.size() != 4) return std::nullopt;
    std::vector<long> wide;
    for (std::uint32_t v : values) wide.push_back(v == 0xFFFFFFFFu ? static_cast<long>(v) : std::lround(v / scale));
    return bar::Strut::fromValues(wide);
}

bar::Rect toRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// X11 measures in device pixels, the bar's arithmetic in the screen's device-independent pixels
// (a 2x screen gets a bar of 60 device pixels that looks like one of 30).
int toLogical(long devicePixels, qreal scale) { return static_cast<int>(std::lround(devicePixels / scale)); }
long toDevice(long logical, qreal scale) { return std::lround(logical * scale); }

qreal scaleOf(const QWidget* w) { return w->devicePixelRatioF() > 0 ? w->devicePixelRatioF() : 1.0; }
QRect toQRect(const bar::Rect& r) { return QRect(r.x, r.y, r.width, r.height); }

std::vector<xcb_window_t> childWindows(xcb_connection_t* c, xcb_window_t w) {
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr), &std::free);
    if (!tree) return {};
    const xcb_window_t* kids = xcb_query_tree_children(tree.get());
    return std::vector<xcb_window_t>(kids, kids + xcb_query_tree_children_length(tree.get()));
}

}  // namespace

X11Dock::X11Dock(QWidget* bar, int edge) : QObject(bar), m_bar(bar), m_edge(edge), m_x11(onX11()) {}

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

void X11Dock::writeStruts(const bar::Strut& strut) {
    if (m_written == strut) return;  // unchanged: no property change, so no work-area change loop
    xcb_connection_t* c = connection();
    if (c == nullptr) return;
    const auto w = static_cast<xcb_window_t>(m_bar->winId());
    std::array<std::uint32_t, 12> values{};
    const std::array<long, 12> partial = strut.partial();
    const qreal scale = scaleOf(m_bar);
    for (std::size_t i = 0; i < values.size(); ++i) {
        // The end of a side's range is its last pixel: the last device pixel of that logical one.
        const bool rangeEnd = i >= 4 && i % 2 == 1 && partial[(i - 4) / 2] > 0;
        const long v = rangeEnd ? toDevice(partial[i] + 1, scale) - 1 : toDevice(partial[i], scale);
        values[i] = static_cast<std::uint32_t>(std::max(0L, v));
    }
    setCardinals(c, w, atom(c, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, values.data(), 12);
    setCardinals(c, w, atom(c, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL, values.data(), 4);
    xcb_flush(c);
    m_written = strut;
}

bar::DockArea X11Dock::dockArea() const {
    bar::DockArea area;
    QScreen* screen = m_bar->screen() != nullptr ? m_bar->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) area.screen = toRect(screen->geometry());
    area.root = area.screen;
    xcb_connection_t* c = connection();
    if (c == nullptr) return area;
    const xcb_window_t root = rootOf(c);
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    const qreal scale = scaleOf(m_bar);
    if (it.rem > 0)
        area.root = {0, 0, toLogical(it.data->width_in_pixels, scale), toLogical(it.data->height_in_pixels, scale)};
    // The work area of the current desktop (the first when the desktop is not known).
    const std::vector<std::uint32_t> desktop = cardinals(c, root, atom(c, "_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL, 1);
    const std::vector<std::uint32_t> work = cardinals(c, root, atom(c, "_NET_WORKAREA"), XCB_ATOM_CARDINAL, 4 * 64);
    const std::size_t at = 4 * (desktop.empty() ? 0 : desktop[0]);
    if (work.size() >= at + 4)
        area.workArea = {toLogical(work[at], scale), toLogical(work[at + 1], scale), toLogical(work[at + 2], scale),
                         toLogical(work[at + 3], scale)};
    area.workAreaHasOwnStrut = m_written.has_value() && !(*m_written == bar::Strut{});

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
        if (auto s = strutOf(c, w, partial, plain, scale)) area.otherStruts.push_back(*s);
    }
    return area;
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
    if (m_docked) {
        // A dock that arrives without changing the work area (its strip inside the bar's) is seen
        // in the window manager's list of windows.
        m_clientListAtom = atom(connection(), "_NET_CLIENT_LIST");
        m_workAreaAtom = atom(connection(), "_NET_WORKAREA");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    if (QScreen* screen = m_bar->screen()) {
        connect(screen, &QScreen::geometryChanged, this, &X11Dock::redock);
        connect(screen, &QScreen::availableGeometryChanged, this, &X11Dock::redock);
    }
    return m_docked;
}

void X11Dock::redock() {
    if (m_docked) {
        m_placement = bar::placeBar(m_edge, dockArea());
        m_bar->setGeometry(toQRect(m_placement.bar));
        writeStruts(m_placement.strut);
    } else {
        // Nothing reserves space here: the edge of the space the desktop leaves free.
        bar::DockArea area;
        QScreen* screen = m_bar->screen() != nullptr ? m_bar->screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr) return;
        area.root = area.screen = toRect(screen->geometry());
        area.workArea = toRect(screen->availableGeometry());
        m_placement = bar::placeBar(m_edge, area);
        m_bar->setGeometry(toQRect(m_placement.bar));
    }
    emit placed();
}

void X11Dock::setAbove(bool above) {
    xcb_connection_t* c = connection();
    if (!m_x11 || c == nullptr || !m_bar->internalWinId()) return;
    // The window manager changes the state of a mapped window when asked by a client message.
    constexpr std::uint32_t kRemove = 0;
    constexpr std::uint32_t kAdd = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(m_bar->internalWinId());
    message.type = atom(c, "_NET_WM_STATE");
    message.data.data32[0] = above ? kAdd : kRemove;
    message.data.data32[1] = atom(c, "_NET_WM_STATE_ABOVE");
    xcb_send_event(c, 0, rootOf(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

bool X11Dock::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!m_docked || eventType != "xcb_generic_event_t" || message == nullptr) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) return false;
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    if (change->atom != m_clientListAtom && change->atom != m_workAreaAtom) return false;
    if (!m_redockQueued) {
        // Several changes in a row make one re-docking, once the event loop is free.
        m_redockQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_redockQueued = false;
            if (m_docked) redock();
        });
    }
    return false;
}

void X11Dock::undock() {
    if (!m_docked) return;
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
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
