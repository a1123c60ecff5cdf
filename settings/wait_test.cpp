#include "settings/wait.h"

#include <gtest/gtest.h>

#include "settings/globals.h"

namespace orvex::settings {
namespace {

using std::chrono::milliseconds;

// A fake clock: sleeping advances it, and each event round may cost time too.
class WaitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setWaitClockForTesting([this] { return clock; }, [this](milliseconds d) { clock += d, ++sleeps; });
        setProcessEventsHook([this] {
            ++rounds;
            clock += costPerRound;
        });
    }
    void TearDown() override {
        setWaitClockForTesting({}, {});
        setProcessEventsHook({});
    }
    milliseconds clock{1000};
    milliseconds costPerRound{0};
    int sleeps = 0;
    int rounds = 0;
};

// Tests that a wait takes milliseconds / 10 steps of 10 ms with the given rounds after each.
TEST_F(WaitTest, StepsAndRounds) {
    waitFor(100, 3);
    EXPECT_EQ(sleeps, 10);
    EXPECT_EQ(rounds, 30);
    EXPECT_EQ(clock, milliseconds(1100));
}

// Tests that the wait ends once more than the time has passed, even with steps left, and goes on
// while exactly the time has passed.
TEST_F(WaitTest, EndsWhenTimeIsOver) {
    costPerRound = milliseconds(25);
    waitFor(100, 2);  // each step costs 10 + 50 ms: over 100 after the second step
    EXPECT_EQ(sleeps, 2);
    clock = milliseconds(0);
    sleeps = 0;
    costPerRound = milliseconds(0);
    waitFor(25, 1);  // two steps, 20 ms, never over 25
    EXPECT_EQ(sleeps, 2);
}

// Tests that waits below one step return at once, and that the program's wait uses the global
// wait rounds.
TEST_F(WaitTest, ShortWaitsAndGlobalRounds) {
    waitFor(9, 5);
    waitFor(-10, 5);
    EXPECT_EQ(sleeps, 0);
    EXPECT_EQ(rounds, 0);
    globals().waitRounds = 4;
    waitFor(20);
    EXPECT_EQ(rounds, 8);
    globals().waitRounds = kDefaultWaitRounds;
}

// Tests that a handler may replace the hook while it runs, and that without a hook the wait
// still sleeps.
TEST_F(WaitTest, HookMayChangeWhileRunning) {
    int second = 0;
    setProcessEventsHook([&] {
        ++rounds;
        setProcessEventsHook([&] { ++second; });
    });
    waitFor(10, 3);
    EXPECT_EQ(rounds, 1);
    EXPECT_EQ(second, 2);
    setProcessEventsHook({});
    waitFor(30, 3);
    EXPECT_EQ(sleeps, 4);
}

}  // namespace
}  // namespace orvex::settings
