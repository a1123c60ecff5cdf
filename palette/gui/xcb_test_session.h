#pragma once
// For tests of the palette's real windows: one private X server with openbox for the whole test
// executable, and this process's Qt application on it (the xcb platform), so that the windows
// under test are real X11 windows that xdotool, xclip and the browser talk to. Both are stopped
// when the tests end, the application first. Header-only; used by test executables only, which are
// registered with orvex_test(... X11_IN_PROCESS): the sanitizer's options of this process are fixed
// before any test runs, so the one check that the X keyboard library trips is turned off there.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCoreApplication>

#include "gui/testing/x11_test_display.h"

namespace orvex::palette::gui::testing {

using ::orvex::gui::testing::Child;
using ::orvex::gui::testing::X11TestDisplay;

// Screen of the private server.
inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 800;

class XcbSession {
  public:
    /// The session, started at the first call: the server, openbox and the application.
    static XcbSession& get() {
        if (!instance()) instance().reset(new XcbSession);
        return *instance();
    }
    /// Stops the session when one was started.
    static void stopIfStarted() {
        if (instance()) instance()->stop();
    }
    /// Stops the application, then the server and openbox; safe to call twice.
    void stop() {
        m_app.reset();
        m_display.reset();
    }

    bool ok() const { return m_app != nullptr; }
    const std::string& problem() const { return m_problem; }
    X11TestDisplay& display() { return *m_display; }

  private:
    static std::unique_ptr<XcbSession>& instance() {
        static std::unique_ptr<XcbSession> session;
        return session;
    }
    XcbSession() {
        m_display = std::make_unique<X11TestDisplay>(kScreenWidth, kScreenHeight);
        if (!m_display->ok()) {
            m_problem = m_display->problem();
            return;
        }
        // The browser started by a test inherits these, so it opens its windows here too.
        for (const auto& [name, value] : m_display->environment())
            if (name != "ASAN_OPTIONS") ::setenv(name.c_str(), value.c_str(), 1);
        static int argc = 1;
        static char name[] = "orvex-palette-test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }

    std::unique_ptr<X11TestDisplay> m_display;
    std::unique_ptr<QApplication> m_app;
    std::string m_problem;
};

/// Stops the session after the last test.
class XcbEnvironment : public ::testing::Environment {
  public:
    void TearDown() override { XcbSession::stopIfStarted(); }
};
inline ::testing::Environment* const kXcbEnvironment =
    ::testing::AddGlobalTestEnvironment(new XcbEnvironment);

/// Processes this process's events (and runs `alongside`, when given) until `done` or `timeoutMs`.
inline bool pumpUntil(const std::function<bool()>& done, int timeoutMs,
                      const std::function<void()>& alongside = {}) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (alongside) alongside();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

/// Processes events for `ms`.
inline void pumpFor(int ms, const std::function<void()>& alongside = {}) {
    pumpUntil([] { return false; }, ms, alongside);
}

/// Runs `argv` on the display while this process keeps processing its events (a tool that talks
/// to this process's windows, such as a drag or a clipboard read, needs that); its exit code, -1
/// when it did not end within `timeoutMs`.
inline int runAlongside(const std::vector<std::string>& argv, const std::filesystem::path& log, int timeoutMs,
                        const std::function<void()>& alongside = {}) {
    Child child(argv, XcbSession::get().display().environment(), log);
    std::optional<int> status;
    pumpUntil([&] { return (status = child.waitExit(0)).has_value(); }, timeoutMs, alongside);
    if (!status || !WIFEXITED(*status)) return -1;
    return WEXITSTATUS(*status);
}

/// Where to keep screenshots to look at: $ORVEX_SCREENSHOT_DIR, else nowhere.
inline std::optional<std::filesystem::path> screenshotDir() {
    const char* dir = std::getenv("ORVEX_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0') return std::nullopt;
    std::filesystem::create_directories(dir);
    return std::filesystem::path(dir);
}

}  // namespace orvex::palette::gui::testing
