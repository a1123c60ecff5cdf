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
    /// A page begins to be read (its loading started) or was filled: the steps between the two
    /// are the ones a user waits through while a form is filled.
    void pageReadingStarted();
    void pageFilled();
    /// The reading ended without a fill (nothing to fill): its steps count for no fill.
    void pageNotFilled();
    /// The longest step while pages were read and filled (from each start to the fill after it).
    qint64 longestFillStepMs() const { return m_longestFill; }
    /// Writes "longest UI step: N ms", "longest UI step while a page was read and filled: N ms"
    /// and "pages filled: N" to `file`; false when it could not be written.
    bool report(const QString& file) const;

  private:
    void tick();

    QTimer* m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    bool m_reading = false;
    qint64 m_longestReading = 0;  // of the reading under way
    qint64 m_longestFill = 0;
    int m_fills = 0;
};

}  // namespace orvex::app
