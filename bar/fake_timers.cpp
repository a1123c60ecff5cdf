#include "bar/fake_timers.h"

#include <algorithm>
#include <limits>

namespace orvex::bar {

struct FakeTimerSource::State {
    struct Entry {
        int id = 0;
        bool active = false;
        int interval = 1;
        std::int64_t due = 0;
        std::function<void()> onTick;
    };
    std::int64_t now = 0;
    int nextId = 1;
    std::vector<Entry> timers;

    Entry* find(int id) {
        for (Entry& e : timers)
            if (e.id == id) return &e;
        return nullptr;
    }
};

namespace {

class FakeTimer final : public BarTimer {
  public:
    FakeTimer(std::weak_ptr<FakeTimerSource::State> state, int id) : m_state(std::move(state)), m_id(id) {}
    ~FakeTimer() override {
        if (auto s = m_state.lock()) std::erase_if(s->timers, [this](const auto& e) { return e.id == m_id; });
    }
    void start(int intervalMs) override {
        auto s = m_state.lock();
        if (!s) return;
        if (auto* e = s->find(m_id)) {
            e->active = true;
            e->interval = std::max(1, intervalMs);
            e->due = s->now + e->interval;
        }
    }
    void stop() override {
        auto s = m_state.lock();
        if (!s) return;
        if (auto* e = s->find(m_id)) e->active = false;
    }
    bool isActive() const override {
        auto s = m_state.lock();
        if (!s) return false;
        const auto* e = s->find(m_id);
        return e != nullptr && e->active;
    }

  private:
    std::weak_ptr<FakeTimerSource::State> m_state;
    int m_id;
};

}  // namespace

FakeTimerSource::FakeTimerSource() : m_state(std::make_shared<State>()) {}

FakeTimerSource::~FakeTimerSource() = default;

std::unique_ptr<BarTimer> FakeTimerSource::createTimer(std::function<void()> onTick) {
    const int id = m_state->nextId++;
    m_state->timers.push_back(State::Entry{id, false, 1, 0, std::move(onTick)});
    return std::make_unique<FakeTimer>(m_state, id);
}

void FakeTimerSource::advance(int ms) {
    const std::int64_t target = m_state->now + std::max(0, ms);
    for (;;) {
        // The earliest due tick within the step; the first made wins a tie.
        int nextId = 0;
        std::int64_t nextDue = std::numeric_limits<std::int64_t>::max();
        for (const State::Entry& e : m_state->timers) {
            if (e.active && e.due <= target && e.due < nextDue) {
                nextDue = e.due;
                nextId = e.id;
            }
        }
        if (nextId == 0) break;
        m_state->now = nextDue;
        State::Entry* e = m_state->find(nextId);
        e->due += e->interval;
        // A copy: the tick may destroy or restart its own timer.
        const std::function<void()> tick = e->onTick;
        if (tick) tick();
    }
    m_state->now = target;
}

std::int64_t FakeTimerSource::now() const {
    return m_state->now;
}

int FakeTimerSource::activeCount() const {
    return static_cast<int>(std::count_if(m_state->timers.begin(), m_state->timers.end(),
                                          [](const State::Entry& e) { return e.active; }));
}

}  // namespace orvex::bar
