#include "settings/wait.h"

#include <thread>

#include "settings/globals.h"

namespace orvex::settings {
namespace {

struct WaitHooks {
    std::function<void()> processEvents;
    std::function<std::chrono::milliseconds()> now;
    std::function<void(std::chrono::milliseconds)> sleep;
};

WaitHooks& hooks() {
    static WaitHooks h;
    return h;
}

std::chrono::milliseconds now() {
    if (hooks().now) return hooks().now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void sleepFor(std::chrono::milliseconds d) {
    if (hooks().sleep)
        hooks().sleep(d);
    else
        std::this_thread::sleep_for(d);
}

}  // namespace

void setProcessEventsHook(std::function<void()> hook) {
    hooks().processEvents = std::move(hook);
}

void setWaitStepHook(std::function<void(std::chrono::milliseconds)> step) {
    hooks().sleep = std::move(step);
}

void setWaitClockForTesting(std::function<std::chrono::milliseconds()> nowFn,
                            std::function<void(std::chrono::milliseconds)> sleepFn) {
    hooks().now = std::move(nowFn);
    hooks().sleep = std::move(sleepFn);
}

void waitFor(int milliseconds, int rounds) {
    if (milliseconds < kWaitStep.count()) return;
    const std::chrono::milliseconds limit(milliseconds);
    const std::chrono::milliseconds start = now();
    const int steps = milliseconds / static_cast<int>(kWaitStep.count());
    for (int step = 0; step < steps; ++step) {
        sleepFor(kWaitStep);
        for (int r = 0; r < rounds; ++r) {
            // A copy: a handler run by the hook may replace the hook.
            const std::function<void()> process = hooks().processEvents;
            if (process) process();
        }
        if (now() - start > limit) break;
    }
}

void waitFor(int milliseconds) {
    waitFor(milliseconds, globals().waitRounds);
}

}  // namespace orvex::settings
