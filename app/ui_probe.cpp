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
    const qint64 step = now - m_last - kProbeTickMs;
    m_longest = std::max(m_longest, step);
    if (m_reading) m_longestReading = std::max(m_longestReading, step);
    m_last = now;
}

void UiProbe::pageReadingStarted() {
    if (m_reading) return;  // its picture changes while it goes on
    // The step that ends now counts for this page too: it may be the step the reading began in.
    tick();
    m_reading = true;
    m_longestReading = 0;
}

void UiProbe::pageNotFilled() {
    m_reading = false;
}

void UiProbe::pageFilled() {
    if (!m_reading) return;
    tick();
    m_reading = false;
    m_longestFill = std::max(m_longestFill, m_longestReading);
    ++m_fills;
}

bool UiProbe::report(const QString& file) const {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QString text = QStringLiteral(
                             "longest UI step: %1 ms\n"
                             "longest UI step while a page was read and filled: %2 ms\n"
                             "pages filled: %3\n")
                             .arg(m_longest)
                             .arg(m_longestFill)
                             .arg(m_fills);
    return out.write(text.toUtf8()) > 0;
}

}  // namespace orvex::app
