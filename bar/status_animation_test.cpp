#include "bar/status_animation.h"

#include <gtest/gtest.h>

#include "bar/fake_timers.h"

namespace orvex::bar {
namespace {

constexpr StatusPicture smile(int i) {
    return {PictureSet::Smiles, i};
}
constexpr StatusPicture reading(int i) {
    return {PictureSet::ReadingPage, i};
}
constexpr StatusPicture kDefaultPicture{PictureSet::Bar, 0};

class StatusAnimationTest : public ::testing::Test {
  protected:
    FakeTimerSource timers;
    std::vector<StatusPicture> shown;
    StatusAnimation status{timers, [this](StatusPicture p) { shown.push_back(p); }};
};

// Tests that a hit shows six frames 300 ms apart (the last smile first, then by the counter) and
// the default picture at the sixth tick, not a millisecond before; a second hit starts over.
TEST_F(StatusAnimationTest, HitRunsSixFramesThenDefault) {
    shown.clear();
    status.setState(StatusState::Hit);
    timers.advance(1799);
    EXPECT_EQ(status.state(), StatusState::Hit);
    EXPECT_EQ(shown, (std::vector<StatusPicture>{smile(2), smile(0), smile(2), smile(1), smile(0), smile(2)}));
    timers.advance(1);
    EXPECT_EQ(status.state(), StatusState::Default);
    EXPECT_EQ(status.picture(), kDefaultPicture);
    EXPECT_EQ(timers.activeCount(), 0);

    status.setState(StatusState::Hit);
    timers.advance(900);
    status.setState(StatusState::Hit);
    timers.advance(1799);
    EXPECT_EQ(status.state(), StatusState::Hit);
}

// Tests that reading alternates its two pictures every 500 ms, keeping the picture until the first
// tick, and that access denied shows its picture for 5000 ms.
TEST_F(StatusAnimationTest, ReadingAndAccessDenied) {
    status.setState(StatusState::BeforeNavigate);
    EXPECT_EQ(status.picture(), kDefaultPicture);
    shown.clear();
    timers.advance(2000);
    EXPECT_EQ(shown, (std::vector<StatusPicture>{reading(0), reading(1), reading(0), reading(1)}));

    status.setState(StatusState::AccessDeny);
    EXPECT_EQ(status.picture(), (StatusPicture{PictureSet::AccessDeny, 0}));
    timers.advance(4999);
    EXPECT_EQ(status.state(), StatusState::AccessDeny);
    timers.advance(1);
    EXPECT_EQ(status.state(), StatusState::Default);
    EXPECT_EQ(statusStateName(StatusState::BeforeNavigate), u"BEFORENAVIGATE");
}

// Tests that a flashing toggles the flash state on four ticks of 500 ms and resets it on the fifth,
// showing the status box's first picture; a flashing started again runs five ticks again.
TEST(FlasherTest, FourTogglesThenReset) {
    FakeTimerSource timers;
    std::vector<bool> states;
    int finished = 0;
    Flasher flasher(timers, [&](bool on) { states.push_back(on); }, [&] { ++finished; });
    flasher.start();
    timers.advance(2000);
    EXPECT_EQ(states, (std::vector<bool>{true, false, true, false}));
    EXPECT_TRUE(flasher.running());
    EXPECT_EQ(finished, 0);
    timers.advance(500);
    EXPECT_EQ(states, (std::vector<bool>{true, false, true, false, false}));
    EXPECT_FALSE(flasher.running());
    EXPECT_EQ(finished, 1);

    flasher.start();
    timers.advance(1000);
    flasher.start();
    timers.advance(2000);
    EXPECT_TRUE(flasher.running());
    timers.advance(500);
    EXPECT_FALSE(flasher.running());
}

}  // namespace
}  // namespace orvex::bar
