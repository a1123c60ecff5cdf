#pragma once
// The bar's timers as Qt timers on the event loop.

#include <QObject>

#include "bar/timer.h"

namespace orvex::bar::gui {

/// Makes timers that are QTimer children of `owner`, named in the order given to names()
/// (timAnimation, tmrFlash, ...; unnamed past the list).
class QtTimerSource final : public TimerSource {
  public:
    explicit QtTimerSource(QObject* owner, QStringList names = {});
    std::unique_ptr<BarTimer> createTimer(std::function<void()> onTick) override;

  private:
    QObject* m_owner;
    QStringList m_names;
    int m_made = 0;
};

}  // namespace orvex::bar::gui
