#include "palette/gui/x11_window_class.h"

#include <xcb/xcb.h>

#include <string>

#include <QGuiApplication>
#include <QWidget>

namespace orvex::palette::gui {

void setX11WindowClass(QWidget* window, const char* instance) {
    if (window == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
    if (c == nullptr || !window->testAttribute(Qt::WA_WState_Created)) return;
    // Two NUL-terminated strings: the instance, then the class.
    std::string value = std::string(instance) + '\0' + "Orvex2000" + '\0';
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, static_cast<uint32_t>(value.size()),
                        value.data());
    xcb_flush(c);
}

}  // namespace orvex::palette::gui
