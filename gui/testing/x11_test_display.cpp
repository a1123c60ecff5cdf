#include "gui/testing/x11_test_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

namespace orvex::gui::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How long the server and the window manager get to come up.
constexpr int kStartMs = 10000;
constexpr int kPollMs = 50;

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return done();
}

std::string makeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "orvex-x11-XXXXXX").string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string p = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= p.size()) {
        const std::size_t end = p.find(':', start);
        const std::string dir = p.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const fs::path& log) {
    if (argv.empty()) return;
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid != 0) {
        if (m_pid > 0) ::setpgid(m_pid, m_pid);
        return;
    }
    ::setpgid(0, 0);
    // The child goes when the test process dies, whatever way it dies.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (in >= 0) ::dup2(in, 0);
    if (out >= 0) {
        ::dup2(out, 1);
        ::dup2(out, 2);
    }
    for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

Child::~Child() { stop(); }

std::optional<int> Child::waitExit(int timeoutMs) {
    if (m_status) return m_status;
    if (m_pid <= 0) return std::nullopt;
    waitUntil([&] {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) m_status = status;
        return m_status.has_value();
    }, timeoutMs);
    return m_status;
}

bool Child::running() { return m_pid > 0 && !waitExit(0); }

void Child::stop() {
    if (m_pid <= 0) return;
    if (m_status) {
        // The child ended (or was killed by the test): helpers it left in its group go too.
        ::kill(-m_pid, SIGKILL);
        m_pid = -1;
        return;
    }
    ::kill(-m_pid, SIGTERM);
    if (!waitExit(1000)) {
        ::kill(-m_pid, SIGKILL);
        waitExit(5000);
    }
    // Helpers the child left in its group go too.
    ::kill(-m_pid, SIGKILL);
}

X11TestDisplay::X11TestDisplay(int width, int height) : m_dir(makeTempDir()) {
    if (m_dir.empty()) {
        m_problem = "no temporary directory";
        return;
    }
    for (const char* program : {"Xvfb", "openbox"}) {
        if (!onPath(program)) {
            m_problem = std::string(program) + " is not installed (scripts/deps.sh installs it)";
            return;
        }
    }
    // The server writes its display number to the pipe once it accepts connections.
    int fds[2];
    if (::pipe(fds) != 0) {
        m_problem = "no pipe";
        return;
    }
    m_server.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                              std::to_string(width) + "x" + std::to_string(height) + "x24",
                                              "-nolisten", "tcp", "-noreset"},
                     std::map<std::string, std::string>{}, m_dir / "xvfb.log");
    ::close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    const auto end = Clock::now() + std::chrono::milliseconds(kStartMs);
    while (Clock::now() < end && number.find('\n') == std::string::npos) {
        if (::poll(&p, 1, kPollMs) <= 0) continue;
        char buf[32];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        number.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        m_problem = "Xvfb did not start";
        return;
    }
    m_display = ":" + number.substr(0, number.find('\n'));
    m_connection = xcb_connect(m_display.c_str(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        m_problem = "cannot connect to " + m_display;
        return;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_wm.emplace(std::vector<std::string>{"openbox", "--sm-disable"}, environment(), m_dir / "openbox.log");
    // Ready once it has said so and published its first work area.
    m_wmReady = waitUntil([&] {
        return !property(m_root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty() &&
               !property(m_root, "_NET_WORKAREA", XCB_ATOM_CARDINAL).empty();
    }, kStartMs);
    if (!m_wmReady) m_problem = "openbox did not start";
}

X11TestDisplay::~X11TestDisplay() {
    if (m_connection != nullptr) xcb_disconnect(m_connection);
    if (m_wm) m_wm->stop();
    if (m_server) m_server->stop();
    std::error_code ec;
    if (!m_dir.empty() && std::getenv("ORVEX_KEEP_X11_LOGS") == nullptr) fs::remove_all(m_dir, ec);
}

std::map<std::string, std::string> X11TestDisplay::environment() const {
    std::map<std::string, std::string> env = {
        {"DISPLAY", m_display}, {"QT_QPA_PLATFORM", "xcb"}, {"XAUTHORITY", "/dev/null"}};
    // The X keyboard library reads a keymap name past its end with strndup (a read the strict
    // string checks of the sanitizer count as overflow); the program's own code keeps every other
    // check, strict ones included where the caller set them.
    const char* asan = std::getenv("ASAN_OPTIONS");
    env["ASAN_OPTIONS"] = std::string(asan != nullptr ? asan : "") + (asan != nullptr && *asan ? ":" : "") +
                          "strict_string_checks=0";
    return env;
}

xcb_atom_t X11TestDisplay::atom(const std::string& name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(m_connection,
                              xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
                              nullptr),
        &std::free);
    return reply ? reply->atom : XCB_NONE;
}

std::vector<std::uint32_t> X11TestDisplay::property(xcb_window_t window, const std::string& name, xcb_atom_t type) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(m_connection, xcb_get_property(m_connection, 0, window, atom(name), type, 0, 1024),
                               nullptr),
        &std::free);
    std::vector<std::uint32_t> out;
    if (!reply || reply->format != 32) return out;
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    out.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    return out;
}

std::optional<FoundWindow> X11TestDisplay::geometry(xcb_window_t window) {
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr), &std::free);
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> t(
        xcb_translate_coordinates_reply(m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0),
                                        nullptr),
        &std::free);
    if (!g || !t) return std::nullopt;
    return FoundWindow{window, t->dst_x, t->dst_y, g->width, g->height};
}

std::optional<FoundWindow> X11TestDisplay::waitForWindow(const std::string& instance, int timeoutMs,
                                                         bool mappedOnly) {
    std::optional<FoundWindow> found;
    const auto matches = [&](xcb_window_t w) {
        if (mappedOnly) {
            std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> a(
                xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, w), nullptr),
                &std::free);
            if (!a || a->map_state != XCB_MAP_STATE_VIEWABLE) return false;
        }
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_connection,
                                   xcb_get_property(m_connection, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
                                   nullptr),
            &std::free);
        if (!reply || reply->format != 8) return false;
        const char* s = static_cast<const char*>(xcb_get_property_value(reply.get()));
        const int n = xcb_get_property_value_length(reply.get());
        return std::string(s, strnlen(s, static_cast<std::size_t>(n))) == instance;
    };
    const std::function<bool(xcb_window_t, int)> search = [&](xcb_window_t w, int depth) {
        if (matches(w)) {
            found = geometry(w);
            return found.has_value();
        }
        if (depth == 0) return false;
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, w), nullptr), &std::free);
        if (!tree) return false;
        const xcb_window_t* kids = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
            if (search(kids[i], depth - 1)) return true;
        return false;
    };
    waitUntil([&] { return search(m_root, 3); }, timeoutMs);
    return found;
}

int X11TestDisplay::run(const std::vector<std::string>& argv) {
    Child child(argv, environment(), m_dir / "tools.log");
    const std::optional<int> status = child.waitExit(kStartMs);
    if (!status || !WIFEXITED(*status)) return -1;
    return WEXITSTATUS(*status);
}

FakePanel::FakePanel(X11TestDisplay& display, bool bottom, int thickness) : m_display(display) {
    xcb_connection_t* c = display.connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const int w = screen->width_in_pixels;
    const int h = screen->height_in_pixels;
    m_window = xcb_generate_id(c);
    const std::uint32_t background = screen->black_pixel;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, display.root(), 0,
                      static_cast<std::int16_t>(bottom ? h - thickness : 0), static_cast<std::uint16_t>(w),
                      static_cast<std::uint16_t>(thickness), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL, &background);
    const xcb_atom_t dock = display.atom("_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, display.atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                        &dock);
    std::uint32_t strut[12] = {};
    if (bottom) {
        strut[3] = static_cast<std::uint32_t>(thickness);
        strut[11] = static_cast<std::uint32_t>(w - 1);
    } else {
        strut[2] = static_cast<std::uint32_t>(thickness);
        strut[9] = static_cast<std::uint32_t>(w - 1);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, display.atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL,
                        32, 12, strut);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, display.atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4,
                        strut);
    static const char kClass[] = "fakepanel\0FakePanel";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof kClass,
                        kClass);
    xcb_map_window(c, m_window);
    xcb_flush(c);
    // Once the window manager manages the panel (WM_STATE set), the struts are written again:
    // a change of them is always taken into the work area, whatever the manager read at mapping.
    // A window mapped while the manager is still starting can be missed: it is mapped again.
    const xcb_atom_t wmState = display.atom("WM_STATE");
    constexpr int kManageMs = 2000;
    for (int attempt = 0; attempt < kStartMs / kManageMs; ++attempt) {
        if (waitUntil([&] { return !display.property(m_window, "WM_STATE", wmState).empty(); }, kManageMs)) break;
        xcb_unmap_window(c, m_window);
        xcb_map_window(c, m_window);
        xcb_flush(c);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, display.atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL,
                        32, 12, strut);
    xcb_flush(c);
}

FakePanel::~FakePanel() {
    xcb_destroy_window(m_display.connection(), m_window);
    xcb_flush(m_display.connection());
}

}  // namespace orvex::gui::testing
