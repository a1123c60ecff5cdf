#include "history/gui/deadline_notice.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "history/deadlines.h"
#include "history/recs.h"

namespace orvex::history::gui {
namespace {

// The notification disappears when the service decides (-1).
constexpr int kServiceTimeout = -1;

}  // namespace

bool sendDesktopNotification(const QString& text, const QDBusConnection& bus) {
    if (!bus.isConnected() || bus.interface() == nullptr) return false;
    if (!bus.interface()->isServiceRegistered(QString::fromLatin1(kNotificationService)).value()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kNotificationService),
                                                       QString::fromLatin1(kNotificationPath),
                                                       QString::fromLatin1(kNotificationInterface),
                                                       QStringLiteral("Notify"));
    // A service that does not run is not started for one notice.
    call.setAutoStartService(false);
    const QString title = QString::fromUtf16(orvex::gui::kMessageTitle);
    call << title << uint(0) << QString() << title << text << QStringList() << QVariantMap()
         << kServiceTimeout;
    return bus.send(call);
}

QString announceDeadlines(const std::function<void(const QString&)>& statusLine, const Date& today,
                          const QDBusConnection& bus) {
    clsRecs recs;
    recs.Load();
    const QString notice = orvex::gui::toQt(dueSoonNotice(dueSoonCount(recs, today)));
    if (notice.isEmpty()) return notice;
    if (statusLine) statusLine(notice);
    sendDesktopNotification(notice, bus);
    return notice;
}

}  // namespace orvex::history::gui
