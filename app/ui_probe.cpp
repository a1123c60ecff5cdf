#include "app/ui_probe.h"

#include <algorithm>

#include <QFile>
#include <QTimer>

namespace orvex::app {

UiProbe::UiProbe(QObject* parent) : QObject(parent), m_timer(new QTimer(this)) {
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &UiProbe::tick);
    m_clock.start();
    m_timer->start(kProbeTickMs);
}

void UiProbe::tick() {
    const qint64 now = m_clock.elapsed();
    m_longest = std::max(m_longest, now - m_last - kProbeTickMs);
    m_last = now;
}

bool UiProbe::report(const QString& file) const {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return out.write(QStringLiteral("longest UI step: %1 ms\n").arg(m_longest).toUtf8()) > 0;
}

}  // namespace orvex::app
