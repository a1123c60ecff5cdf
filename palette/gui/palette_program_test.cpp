// The floating window in the whole program, on a private X server with openbox: with BarMode 1 it
// stands in for the bar (no dock, no reserved strip), with BarMode 2 it stays above a window raised
// over it, and closing it ends the program and keeps its place. Skipped while the program does not
// carry the floating window.

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "gui/testing/x11_test_display.h"

namespace orvex::palette::gui {
namespace {

namespace fs = std::filesystem;
using ::orvex::gui::testing::Child;
using ::orvex::gui::testing::FoundWindow;
using ::orvex::gui::testing::X11TestDisplay;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
// The program starts its browser before it shows the floating window.
constexpr int kShowMs = 60000;
constexpr int kWaitMs = 15000;

bool waitUntil(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms; waited += 100) {
        if (done()) return true;
        ::usleep(100000);
    }
    return done();
}

class PaletteProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(ORVEX_BINARY)) << ORVEX_BINARY << " is not built";
        if (!x.ok()) GTEST_SKIP() << x.problem();
        home = x.dir() / "home";
        fs::create_directories(home / "data");
        fs::create_directories(home / "config" / "orvex");
        fs::create_directories(home / "run");
        ::chmod((home / "run").c_str(), 0700);
        fs::copy_file(fs::path(ORVEX_SOURCE_DIR) / "resources/sample/userdata.ini",
                      home / "data" / "userdata.ini");
    }
    std::unique_ptr<Child> startOrvex(int barMode) {
        std::ofstream(home / "config" / "orvex" / "settings.ini")
            << "[data]\nFirstPageMode=0\nBarMode=" << barMode << "\n";
        auto e = x.environment();
        e["ORVEX_HOME"] = (home / "data").string();
        e["XDG_CONFIG_HOME"] = (home / "config").string();
        e["XDG_RUNTIME_DIR"] = (home / "run").string();
        return std::make_unique<Child>(std::vector<std::string>{ORVEX_BINARY}, e, x.dir() / "orvex.log");
    }
    std::optional<FoundWindow> floating() { return x.waitForWindow("frmFloatMain", kShowMs, true); }
    // The client windows from the bottom of the stack to its top.
    std::vector<std::uint32_t> stacking() {
        return x.property(x.root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    }
    // Position of `w` in the stack from the bottom; -1 when it is not managed.
    int stackIndex(xcb_window_t w) {
        const auto list = stacking();
        const auto it = std::find(list.begin(), list.end(), w);
        return it == list.end() ? -1 : static_cast<int>(it - list.begin());
    }
    // A plain window over `over`, mapped, raised and activated as a user's click on it would.
    xcb_window_t raisedWindowOver(const FoundWindow& over) {
        xcb_connection_t* c = x.connection();
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, x.root(), static_cast<std::int16_t>(over.x - 50),
                          static_cast<std::int16_t>(over.y), 400, 400, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, 0, nullptr);
        static const char kClass[] = "other\0Other";
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof kClass,
                            kClass);
        xcb_map_window(c, w);
        xcb_flush(c);
        EXPECT_TRUE(x.waitForWindow("other", kWaitMs, true));
        EXPECT_TRUE(waitUntil([&] { return stackIndex(w) >= 0; }, kWaitMs));
        sendClientMessage(w, "_NET_ACTIVE_WINDOW", {1, XCB_CURRENT_TIME, 0});
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        sendClientMessage(w, "_NET_RESTACK_WINDOW", {2, 0, XCB_STACK_MODE_ABOVE});
        xcb_flush(c);
        ::usleep(500000);
        return w;
    }
    void sendClientMessage(xcb_window_t w, const std::string& type, std::initializer_list<std::uint32_t> data,
                           bool toRoot = true) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = w;
        event.type = x.atom(type);
        std::size_t i = 0;
        for (std::uint32_t d : data) event.data.data32[i++] = d;
        xcb_send_event(x.connection(), 0, toRoot ? x.root() : w,
                       toRoot ? XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
                              : XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(x.connection());
    }
    // Asks the window to close as its close button does.
    void closeWindow(xcb_window_t w) {
        sendClientMessage(w, "WM_PROTOCOLS", {x.atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME}, false);
    }
    // The frame's top left corner of a client window.
    std::optional<std::pair<int, int>> frameCorner(const FoundWindow& w) {
        std::vector<std::uint32_t> extents;
        waitUntil(
            [&] { return (extents = x.property(w.id, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL)).size() == 4; },
            kWaitMs);
        if (extents.size() != 4) return std::nullopt;
        const auto now = x.geometry(w.id);
        if (!now) return std::nullopt;
        return std::pair<int, int>{now->x - static_cast<int>(extents[0]),
                                   now->y - static_cast<int>(extents[2])};
    }
    bool anyDock() {
        const xcb_atom_t dock = x.atom("_NET_WM_WINDOW_TYPE_DOCK");
        for (std::uint32_t w : x.property(x.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW))
            for (std::uint32_t type : x.property(w, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM))
                if (type == dock) return true;
        return false;
    }

    X11TestDisplay x{kScreenWidth, kScreenHeight};
    fs::path home;
};

// Tests that with BarMode 1 the floating window is the program's window: no bar is shown, no dock
// exists and no strip of the screen is reserved; a window raised over it goes above it.
TEST_F(PaletteProgramTest, BarMode1ReplacesTheBar) {
    auto orvex = startOrvex(1);
    const auto w = floating();
    ASSERT_TRUE(w) << "no floating window";
    EXPECT_FALSE(x.waitForWindow("frmMain", 2000, true)) << "the bar is shown as well";
    EXPECT_FALSE(anyDock());
    // The work area of the first desktop (every desktop has one) is the whole screen.
    auto area = x.property(x.root(), "_NET_WORKAREA", XCB_ATOM_CARDINAL);
    area.resize(std::min<std::size_t>(area.size(), 4));
    EXPECT_EQ(area, (std::vector<std::uint32_t>{0, 0, kScreenWidth, kScreenHeight}));
    // ORVEX_SCREENSHOT_DIR keeps a picture of the program as it starts, to look at.
    if (const char* dir = std::getenv("ORVEX_SCREENSHOT_DIR"))
        x.run({"import", "-window", "root", (fs::path(dir) / "program_bar_mode_1.png").string()});
    const xcb_window_t other = raisedWindowOver(*w);
    EXPECT_GT(stackIndex(other), stackIndex(w->id));
}

// Tests that with BarMode 2 the floating window stays above a normal window raised over it.
TEST_F(PaletteProgramTest, BarMode2StaysOnTop) {
    auto orvex = startOrvex(2);
    const auto w = floating();
    ASSERT_TRUE(w) << "no floating window";
    const auto state = x.property(w->id, "_NET_WM_STATE", XCB_ATOM_ATOM);
    EXPECT_NE(std::find(state.begin(), state.end(), x.atom("_NET_WM_STATE_ABOVE")), state.end());
    const xcb_window_t other = raisedWindowOver(*w);
    ASSERT_GE(stackIndex(other), 0);
    EXPECT_GT(stackIndex(w->id), stackIndex(other));
}

// Tests that the floating window opens at its stored place, and that closing it ends the program
// and stores the same place again.
TEST_F(PaletteProgramTest, ClosingEndsTheProgramAndKeepsThePlace) {
    std::ofstream(home / "data" / "system.ini") << "[BAR]\nFloatMainLeft=1500\nFloatMainTop=3000\n";
    auto orvex = startOrvex(1);
    const auto w = floating();
    ASSERT_TRUE(w) << "no floating window";
    EXPECT_EQ(frameCorner(*w), (std::pair<int, int>{100, 200}));
    closeWindow(w->id);
    const auto status = orvex->waitExit(kWaitMs);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    std::ifstream in(home / "data" / "system.ini");
    std::stringstream ini;
    ini << in.rdbuf();
    EXPECT_NE(ini.str().find("FloatMainLeft=1500"), std::string::npos) << ini.str();
    EXPECT_NE(ini.str().find("FloatMainTop=3000"), std::string::npos) << ini.str();
}

}  // namespace
}  // namespace orvex::palette::gui
