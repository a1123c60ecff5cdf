#pragma once
// For tests of real windows: a private X server (Xvfb, on a display it picks itself) with a
// window manager that honours struts (openbox), both stopped when the object goes, also when a
// test fails; child processes with their output in a log; and X11 look-ups by window class.
// Used by test executables only.

#include <sys/types.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvex::gui::testing {

/// A child process in its own process group; stopped (the whole group) when destroyed.
class Child {
  public:
    /// Starts `argv` with `env` added to this process's environment, standard input from
    /// /dev/null and its output appended to `log`; pid() is -1 when it could not start.
    Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
          const std::filesystem::path& log);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return m_pid; }
    /// The exit status once it ended within `timeoutMs`; nothing while it still runs.
    std::optional<int> waitExit(int timeoutMs);
    /// True while it runs.
    bool running();
    /// SIGTERM to the group, SIGKILL after a second, and reaped; safe to call twice.
    void stop();

  private:
    pid_t m_pid = -1;
    std::optional<int> m_status;
};

/// A window found on the display.
struct FoundWindow {
    xcb_window_t id = XCB_NONE;
    int x = 0, y = 0, width = 0, height = 0;  // in root coordinates
};

/// Xvfb with openbox on a display of their own.
class X11TestDisplay {
  public:
    /// Starts both on a screen of `width` × `height`; ok() is false when either is missing or
    /// did not come up (tests then skip).
    X11TestDisplay(int width = 1280, int height = 800);
    ~X11TestDisplay();

    bool ok() const { return m_connection != nullptr && m_wmReady; }
    /// Why ok() is false.
    const std::string& problem() const { return m_problem; }
    /// ":N".
    const std::string& display() const { return m_display; }
    xcb_connection_t* connection() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    const std::filesystem::path& dir() const { return m_dir; }

    /// The first window whose class instance (first WM_CLASS string) is `instance` (and that is
    /// mapped, with `mappedOnly`), waited for up to `timeoutMs`.
    std::optional<FoundWindow> waitForWindow(const std::string& instance, int timeoutMs, bool mappedOnly = false);
    /// The window's place in root coordinates now.
    std::optional<FoundWindow> geometry(xcb_window_t window);
    /// The 32-bit values of a window property (`name` of type `type`); empty when missing.
    std::vector<std::uint32_t> property(xcb_window_t window, const std::string& name, xcb_atom_t type);
    /// The atom named `name`.
    xcb_atom_t atom(const std::string& name);
    /// Runs `argv` (xdotool, import) on the display and returns its exit code (-1 on failure).
    int run(const std::vector<std::string>& argv);
    /// The environment a program on this display needs.
    std::map<std::string, std::string> environment() const;

  private:
    std::filesystem::path m_dir;
    std::string m_display;
    std::string m_problem;
    std::optional<Child> m_server;
    std::optional<Child> m_wm;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    bool m_wmReady = false;
};

/// A dock window made by the test: a strip at the bottom (or top) of the screen of the given
/// thickness that reserves its strip with struts, as a desktop panel does.
class FakePanel {
  public:
    FakePanel(X11TestDisplay& display, bool bottom, int thickness);
    ~FakePanel();

  private:
    X11TestDisplay& m_display;
    xcb_window_t m_window = XCB_NONE;
};

}  // namespace orvex::gui::testing
