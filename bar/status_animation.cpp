#include "bar/status_animation.h"

namespace orvex::bar {

text::TextView statusStateName(StatusState state) {
    return kStatusStateNames[static_cast<std::size_t>(state)];
}

StatusAnimation::StatusAnimation(TimerSource& timers, std::function<void(StatusPicture)> onPicture)
    : m_show(std::move(onPicture)), m_timer(timers.createTimer([this] { tick(); })) {
    show(StatusPicture{PictureSet::Bar, 0});
}

void StatusAnimation::show(StatusPicture picture) {
    m_picture = picture;
    if (m_show) m_show(picture);
}

void StatusAnimation::setState(StatusState state) {
    m_state = state;
    m_timer->stop();
    switch (state) {
        case StatusState::Hit:
            m_counter = kHitFrames;
            show(StatusPicture{PictureSet::Smiles, kHitFirstPicture});
            m_timer->start(kHitTickMs);
            break;
        case StatusState::BeforeNavigate:
            // The picture stays as it is until the first tick.
            m_counter = 0;
            m_timer->start(kBeforeNavigateTickMs);
            break;
        case StatusState::AccessDeny:
            show(StatusPicture{PictureSet::AccessDeny, 0});
            m_timer->start(kAccessDenyMs);
            break;
        case StatusState::Default:
            show(StatusPicture{PictureSet::Bar, 0});
            break;
    }
}

void StatusAnimation::tick() {
    switch (m_state) {
        case StatusState::Hit: {
            const int counter = m_counter;
            show(StatusPicture{PictureSet::Smiles, counter % kSmilesPictures});
            --m_counter;
            if (counter <= 1) setState(StatusState::Default);
            break;
        }
        case StatusState::BeforeNavigate:
            show(StatusPicture{PictureSet::ReadingPage, m_counter % kReadingPagePictures});
            // Only the parity matters; keeping it small lets the animation run for ever.
            m_counter = static_cast<std::int16_t>((m_counter + 1) % kReadingPagePictures);
            break;
        case StatusState::AccessDeny:
            setState(StatusState::Default);
            break;
        case StatusState::Default:
            m_timer->stop();
            break;
    }
}

Flasher::Flasher(TimerSource& timers, std::function<void(bool)> setFlash, std::function<void()> finished)
    : m_setFlash(std::move(setFlash)), m_finished(std::move(finished)), m_timer(timers.createTimer([this] { tick(); })) {}

void Flasher::start() {
    m_counter = kFlashTicks;
    m_timer->start(kFlashTickMs);
}

bool Flasher::running() const {
    return m_timer->isActive();
}

void Flasher::tick() {
    --m_counter;
    if (m_counter > 0) {
        m_on = !m_on;
        if (m_setFlash) m_setFlash(m_on);
        return;
    }
    m_counter = 0;
    m_timer->stop();
    m_on = false;
    if (m_setFlash) m_setFlash(false);
    if (m_finished) m_finished();
}

}  // namespace orvex::bar
