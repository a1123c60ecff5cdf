#pragma once
// The bar's status picture with its states and animation, and the flashing of the windows after a
// hit; both run on the bar's timers.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "bar/timer.h"
#include "text/text.h"

namespace orvex::bar {

enum class StatusState { Default, BeforeNavigate, Hit, AccessDeny };

// The names of the states, by StatusState.
inline constexpr std::array<text::TextView, 4> kStatusStateNames = {u"DEFAULT", u"BEFORENAVIGATE", u"HIT",
                                                                    u"ACCESSDENY"};

/// The name of a state ("DEFAULT", "BEFORENAVIGATE", "HIT", "ACCESSDENY").
text::TextView statusStateName(StatusState state);

// The picture sets of the status picture: the default picture, the hit animation, the reading
// animation and the access-denied picture.
enum class PictureSet { Bar, Smiles, ReadingPage, AccessDeny };
inline constexpr int kSmilesPictures = 3;
inline constexpr int kReadingPagePictures = 2;

/// One picture of one set.
struct StatusPicture {
    PictureSet set = PictureSet::Bar;
    int index = 0;
    friend bool operator==(const StatusPicture&, const StatusPicture&) = default;
};

// The hit animation: the last smile first, then twice through the set, one picture per tick.
inline constexpr int kHitFirstPicture = 2;
inline constexpr int kHitFrames = 2 * kSmilesPictures;
inline constexpr int kHitTickMs = 300;
// The reading animation alternates its pictures at this pace until the state changes.
inline constexpr int kBeforeNavigateTickMs = 500;
// The access-denied picture stays this long.
inline constexpr int kAccessDenyMs = 5000;

/// The status state and its picture; every change of state restarts the animation timer.
class StatusAnimation {
  public:
    /// Shows the default picture through `onPicture` at once, and every new picture after it.
    StatusAnimation(TimerSource& timers, std::function<void(StatusPicture)> onPicture);

    /// Enters `state` (also the current one again: the animation starts over).
    void setState(StatusState state);
    StatusState state() const { return m_state; }
    /// The picture shown now.
    StatusPicture picture() const { return m_picture; }

  private:
    void tick();
    void show(StatusPicture picture);

    std::function<void(StatusPicture)> m_show;
    std::unique_ptr<BarTimer> m_timer;
    StatusState m_state = StatusState::Default;
    StatusPicture m_picture;
    std::int16_t m_counter = 0;
};

// Ticks of one flashing: the windows are toggled on all but the last, which ends it.
inline constexpr int kFlashTicks = 5;
inline constexpr int kFlashTickMs = 500;

/// The flashing of the bar (and the browser window) after a hit.
class Flasher {
  public:
    /// `setFlash` turns the flash state of the windows on or off; `finished` runs when a
    /// flashing ends.
    Flasher(TimerSource& timers, std::function<void(bool)> setFlash, std::function<void()> finished);

    /// Starts a flashing (over again when one runs).
    void start();
    /// True while a flashing runs.
    bool running() const;
    /// The ticks left.
    int counter() const { return m_counter; }

  private:
    void tick();

    std::function<void(bool)> m_setFlash;
    std::function<void()> m_finished;
    std::unique_ptr<BarTimer> m_timer;
    int m_counter = 0;
    bool m_on = false;
};

}  // namespace orvex::bar
