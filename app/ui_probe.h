#pragma once
// A timer probe of the user interface's responsiveness: a timer that should tick every few
// milliseconds notes how late each tick comes, so the longest step the event loop took is known.
// Switched on by the environment (ORVEX_UI_PROBE names the file that gets the result at exit).

#include <chrono>

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTimer;

namespace orvex::app {

// The probe's tick.
inline constexpr int kProbeTickMs = 5;

class UiProbe : public QObject {
    Q_OBJECT
  public:
    /// Starts probing at once.
    explicit UiProbe(QObject* parent = nullptr);
    /// The longest time between two ticks, less the tick itself, in milliseconds.
    qint64 longestStepMs() const { return m_longest; }
    /// Writes "longest UI step: N ms" to `file`; false when it could not be written.
    bool report(const QString& file) const;

  private:
    void tick();

    QTimer* m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

}  // namespace orvex::app
