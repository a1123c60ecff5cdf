#pragma once
// The bar's timers behind a small interface: the GUI gives real ones, tests a fake clock.

#include <functional>
#include <memory>

namespace orvex::bar {

/// A repeating timer: after start(interval) it calls its tick function every interval until stop().
class BarTimer {
  public:
    virtual ~BarTimer() = default;
    /// Starts (or restarts from now) ticking every `intervalMs` milliseconds; a value below 1
    /// ticks every millisecond.
    virtual void start(int intervalMs) = 0;
    /// Stops ticking; nothing when it is not running.
    virtual void stop() = 0;
    /// True between start() and stop().
    virtual bool isActive() const = 0;
};

/// Makes timers.
class TimerSource {
  public:
    virtual ~TimerSource() = default;
    /// A stopped timer that calls `onTick` on each tick; the timer never outlives its source.
    virtual std::unique_ptr<BarTimer> createTimer(std::function<void()> onTick) = 0;
};

}  // namespace orvex::bar
