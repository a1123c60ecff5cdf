#pragma once
// The start-up notice of entries whose deadline is near: once on the bar's status line and, when
// a desktop notification service runs, as a desktop notification.

#include <functional>

#include <QDBusConnection>
#include <QString>

#include "history/deadlines.h"

namespace orvex::history::gui {

// The freedesktop notification service.
inline constexpr char kNotificationService[] = "org.freedesktop.Notifications";
inline constexpr char kNotificationPath[] = "/org/freedesktop/Notifications";
inline constexpr char kNotificationInterface[] = "org.freedesktop.Notifications";

/// Sends `text` as a desktop notification titled "Orvex2000" through `bus` when the notification
/// service runs there (it is not started for this); true when it was sent. Never waits for the
/// answer.
bool sendDesktopNotification(const QString& text, const QDBusConnection& bus = QDBusConnection::sessionBus());

/// Reads "record.ini" (on its own, the shared store is left as it is) and, when entries close
/// today or within the next three days, hands the notice to `statusLine` and sends it as a
/// desktop notification through `bus`. Returns the notice; empty when there is nothing to say.
QString announceDeadlines(const std::function<void(const QString&)>& statusLine, const Date& today = localDate(),
                          const QDBusConnection& bus = QDBusConnection::sessionBus());

}  // namespace orvex::history::gui
