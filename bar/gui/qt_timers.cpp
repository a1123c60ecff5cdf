#include "bar/gui/qt_timers.h"

#include <exception>

#include <QPointer>
#include <QTimer>

namespace orvex::bar::gui {
namespace {

class QtTimer final : public BarTimer {
  public:
    QtTimer(QObject* owner, const QString& name, std::function<void()> onTick)
        : m_timer(new QTimer(owner)), m_onTick(std::move(onTick)) {
        m_timer->setObjectName(name);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] {
            // No exception may reach the event loop.
            try {
                if (m_onTick) m_onTick();
            } catch (const std::exception&) {
            } catch (...) {
            }
        });
    }
    ~QtTimer() override { delete m_timer.data(); }
    void start(int intervalMs) override {
        if (m_timer) m_timer->start(intervalMs < 1 ? 1 : intervalMs);
    }
    void stop() override {
        if (m_timer) m_timer->stop();
    }
    bool isActive() const override { return m_timer && m_timer->isActive(); }

  private:
    QPointer<QTimer> m_timer;
    std::function<void()> m_onTick;
};

}  // namespace

QtTimerSource::QtTimerSource(QObject* owner, QStringList names) : m_owner(owner), m_names(std::move(names)) {}

std::unique_ptr<BarTimer> QtTimerSource::createTimer(std::function<void()> onTick) {
    const QString name = m_made < m_names.size() ? m_names[m_made] : QString();
    ++m_made;
    return std::make_unique<QtTimer>(m_owner, name, std::move(onTick));
}

}  // namespace orvex::bar::gui
