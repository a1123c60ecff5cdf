#pragma once
// A fake clock for tests of the bar (and of its widgets): timers tick only when the test
// advances the clock.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bar/timer.h"

namespace orvex::bar {

/// Timers on a clock that stands still until advance(); ticks run in time order.
class FakeTimerSource final : public TimerSource {
  public:
    FakeTimerSource();
    ~FakeTimerSource() override;
    FakeTimerSource(const FakeTimerSource&) = delete;
    FakeTimerSource& operator=(const FakeTimerSource&) = delete;

    std::unique_ptr<BarTimer> createTimer(std::function<void()> onTick) override;

    /// Moves the clock on by `ms`, running every tick that falls due on the way (a tick may start
    /// or stop timers, its own included).
    void advance(int ms);
    /// Milliseconds since the source was made.
    std::int64_t now() const;
    /// Number of timers that are running now.
    int activeCount() const;

    struct State;  // shared with the timers it made

  private:
    std::shared_ptr<State> m_state;
};

}  // namespace orvex::bar
