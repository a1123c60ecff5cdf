#pragma once
// The program's wait: sleeps in 10 ms steps and lets pending events run after each step, so
// that browser events and timers are handled while a caller waits.

#include <chrono>
#include <functional>

namespace orvex::settings {

// Length of one step of the wait.
inline constexpr std::chrono::milliseconds kWaitStep{10};

/// Sets the routine that processes pending events once (the GUI or browser layer plugs in its
/// event loop); an empty function means there is nothing to process.
void setProcessEventsHook(std::function<void()> hook);

/// Replaces the sleep of one step (a GUI lets events run during the step instead of sleeping);
/// an empty function restores the real sleep.
void setWaitStepHook(std::function<void(std::chrono::milliseconds)> step);

/// Replaces the clock and the sleep, for tests; empty functions restore the real ones.
void setWaitClockForTesting(std::function<std::chrono::milliseconds()> now,
                            std::function<void(std::chrono::milliseconds)> sleep);

/// Waits about `milliseconds`: up to milliseconds / 10 steps, each a 10 ms sleep followed by
/// `rounds` calls of the event hook; ends early once more than `milliseconds` have passed since
/// it began. Below 10 ms (or negative) it returns at once.
void waitFor(int milliseconds, int rounds);

/// waitFor with the program's wait rounds (globals().waitRounds).
void waitFor(int milliseconds);

}  // namespace orvex::settings
