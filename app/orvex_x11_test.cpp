// The bar as the window manager sees it, on a private X server with openbox: its window type,
// struts and place at the top and above a bottom panel, a maximised window kept clear of it, one
// instance only, and its menu opened and used with real input.

#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>

#include <gtest/gtest.h>

#include "gui/testing/x11_test_display.h"

namespace orvex::app {
namespace {

namespace fs = std::filesystem;
using ::orvex::gui::testing::Child;
using ::orvex::gui::testing::FoundWindow;
using ::orvex::gui::testing::X11TestDisplay;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
constexpr int kBarHeight = 30;
constexpr int kWaitMs = 15000;

class OrvexX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!x.ok()) GTEST_SKIP() << x.problem();
        home = x.dir() / "home";
        fs::create_directories(home / "data");
        fs::create_directories(home / "config" / "orvex");
        fs::create_directories(home / "run");
        ::chmod((home / "run").c_str(), 0700);
        // No first page: these tests are about the bar, not the browser.
        std::ofstream(home / "config" / "orvex" / "settings.ini") << "[data]\nFirstPageMode=0\n";
        // A person file without persons: not a first start, so the person setup does not open.
        std::ofstream(home / "data" / "userdata.ini") << "; no persons yet\n";
    }
    std::map<std::string, std::string> env() const {
        auto e = x.environment();
        e["ORVEX_HOME"] = (home / "data").string();
        e["XDG_CONFIG_HOME"] = (home / "config").string();
        e["XDG_RUNTIME_DIR"] = (home / "run").string();
        return e;
    }
    std::unique_ptr<Child> startOrvex(const std::string& log = "orvex.log") {
        return std::make_unique<Child>(std::vector<std::string>{ORVEX_BINARY}, env(), x.dir() / log);
    }
    std::optional<FoundWindow> bar() { return x.waitForWindow("frmMain", kWaitMs, true); }
    std::vector<std::uint32_t> strut(xcb_window_t w) {
        return x.property(w, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL);
    }
    // Waits until the window manager's work area starts at `top` and ends at `bottom`.
    bool workAreaIs(int top, int bottom) {
        for (int i = 0; i < 100; ++i) {
            const auto area = x.property(x.root(), "_NET_WORKAREA", XCB_ATOM_CARDINAL);
            if (area.size() >= 4 && static_cast<int>(area[1]) == top &&
                static_cast<int>(area[1] + area[3]) == bottom)
                return true;
            ::usleep(100000);
        }
        return false;
    }

    X11TestDisplay x{kScreenWidth, kScreenHeight};
    fs::path home;
};

// Tests that a bar without "system.ini" docks at the top: a dock on every desktop, 30 pixels
// high across the whole width at y = 0, reserving that strip.
TEST_F(OrvexX11Test, DocksAtTheTopReservingItsStrip) {
    auto orvex = startOrvex();
    const auto w = bar();
    ASSERT_TRUE(w) << "no bar window";
    EXPECT_EQ(x.property(w->id, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM),
              std::vector<std::uint32_t>{x.atom("_NET_WM_WINDOW_TYPE_DOCK")});
    EXPECT_EQ(x.property(w->id, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL),
              std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(w->x, 0);
    EXPECT_EQ(w->y, 0);
    EXPECT_EQ(w->width, kScreenWidth);
    EXPECT_EQ(w->height, kBarHeight);
    const auto s = strut(w->id);
    ASSERT_EQ(s.size(), 12u);
    EXPECT_EQ(s[2], static_cast<std::uint32_t>(kBarHeight));  // top
    EXPECT_EQ(s[3], 0u);                                      // bottom
    EXPECT_EQ(s[8], 0u);
    EXPECT_EQ(s[9], static_cast<std::uint32_t>(kScreenWidth - 1));
    EXPECT_EQ(x.property(w->id, "_NET_WM_STRUT", XCB_ATOM_CARDINAL).size(), 4u);
    EXPECT_TRUE(workAreaIs(kBarHeight, kScreenHeight));
}

// Tests that with "BarPosition" 1 and a panel already at the bottom, the bar sits directly above
// the panel and reserves the panel's strip and its own.
TEST_F(OrvexX11Test, BottomBarSitsAboveAPanel) {
    constexpr int kPanel = 40;
    ::orvex::gui::testing::FakePanel panel(x, true, kPanel);
    ASSERT_TRUE(workAreaIs(0, kScreenHeight - kPanel));
    std::ofstream(home / "data" / "system.ini") << "[BAR]\nBarPosition=1\n";
    auto orvex = startOrvex();
    const auto w = bar();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->y, kScreenHeight - kPanel - kBarHeight);
    EXPECT_EQ(w->height, kBarHeight);
    EXPECT_EQ(w->width, kScreenWidth);
    const auto s = strut(w->id);
    ASSERT_EQ(s.size(), 12u);
    EXPECT_EQ(s[3], static_cast<std::uint32_t>(kPanel + kBarHeight));
    EXPECT_EQ(s[2], 0u);
    EXPECT_TRUE(workAreaIs(0, kScreenHeight - kPanel - kBarHeight));
}

// Tests that a maximised window keeps clear of the bar at the top.
TEST_F(OrvexX11Test, MaximisedWindowKeepsClear) {
    auto orvex = startOrvex();
    ASSERT_TRUE(bar());
    ASSERT_TRUE(workAreaIs(kBarHeight, kScreenHeight));
    xcb_connection_t* c = x.connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, x.root(), 0, 0, 200, 200, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, 0, nullptr);
    static const char kClass[] = "maxwin\0MaxWin";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof kClass,
                        kClass);
    const xcb_atom_t states[] = {x.atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                                 x.atom("_NET_WM_STATE_MAXIMIZED_HORZ")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, x.atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
    xcb_map_window(c, w);
    xcb_flush(c);
    ASSERT_TRUE(x.waitForWindow("maxwin", kWaitMs, true));
    std::optional<FoundWindow> g;
    for (int i = 0; i < 50; ++i, ::usleep(100000)) {
        g = x.geometry(w);
        if (g && g->height > 200) break;
    }
    ASSERT_TRUE(g);
    EXPECT_GT(g->height, 200) << "the window was not maximised";
    EXPECT_GE(g->y, kBarHeight);
    EXPECT_LE(g->y + g->height, kScreenHeight);
}

// Tests that a second start ends at once while the first goes on, and that the lock of a killed
// instance is taken over by the next start.
TEST_F(OrvexX11Test, OneInstanceOnly) {
    auto first = startOrvex();
    ASSERT_TRUE(bar());
    auto second = startOrvex("second.log");
    const auto status = second->waitExit(5000);
    ASSERT_TRUE(status) << "the second instance did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    EXPECT_TRUE(first->running());

    ::kill(first->pid(), SIGKILL);
    first->waitExit(5000);
    auto third = startOrvex("third.log");
    EXPECT_FALSE(third->waitExit(3000)) << "a stale lock stopped the next start";
    EXPECT_TRUE(bar());
}

// Tests that a right click on the bar opens its menu and that choosing "終了" with the keyboard
// ends the program and gives back the reserved strip.
TEST_F(OrvexX11Test, MenuOpensOnRightClickAndEnds) {
    auto orvex = startOrvex();
    const auto w = bar();
    ASSERT_TRUE(w);
    ASSERT_TRUE(workAreaIs(kBarHeight, kScreenHeight));
    // The middle of the bar holds no button while no persons or links are shown.
    ASSERT_EQ(x.run({"xdotool", "mousemove", std::to_string(kScreenWidth / 2), "15", "click", "3"}), 0);
    ASSERT_TRUE(x.waitForWindow("orvex", kWaitMs, true)) << "no menu window";
    ASSERT_EQ(x.run({"xdotool", "key", "Up", "Return"}), 0);
    const auto status = orvex->waitExit(kWaitMs);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    EXPECT_TRUE(workAreaIs(0, kScreenHeight));
}

}  // namespace
}  // namespace orvex::app

namespace orvex::app {
namespace {

// Tests that SIGTERM ends the program as its exit command does, giving back the strip; a
// SIGKILL (no chance to clean up) still frees it, as the window goes with the process.
TEST_F(OrvexX11Test, TermEndsLikeExit) {
    auto orvex = startOrvex();
    ASSERT_TRUE(bar());
    ASSERT_TRUE(workAreaIs(kBarHeight, kScreenHeight));
    ::kill(orvex->pid(), SIGTERM);
    const auto status = orvex->waitExit(kWaitMs);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    EXPECT_TRUE(workAreaIs(0, kScreenHeight));

    auto killed = startOrvex("killed.log");
    ASSERT_TRUE(workAreaIs(kBarHeight, kScreenHeight));
    ::kill(killed->pid(), SIGKILL);
    killed->waitExit(kWaitMs);
    EXPECT_TRUE(workAreaIs(0, kScreenHeight));
}

// Tests that SIGTERM also ends the program while the person setup of a first start is open: the
// dialog closes as cancelled, without its question, and nothing more starts.
TEST_F(OrvexX11Test, TermEndsWhileTheFirstStartDialogIsOpen) {
    fs::remove(home / "data" / "userdata.ini");
    auto orvex = startOrvex();
    ASSERT_TRUE(x.waitForWindow("orvex", kWaitMs, true)) << "no person setup window";
    ::kill(orvex->pid(), SIGTERM);
    const auto status = orvex->waitExit(kWaitMs);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    EXPECT_FALSE(fs::exists(home / "data" / "userdata.ini"));
}

}  // namespace
}  // namespace orvex::app

namespace orvex::app {
namespace {

// Tests that a panel docking at the bar's edge after the bar moves the bar next to it, still 30
// pixels thick, and that the bar goes back once the panel is gone.
TEST_F(OrvexX11Test, RedocksWhenAnotherDockArrives) {
    std::ofstream(home / "data" / "system.ini") << "[BAR]\nBarPosition=1\n";
    auto orvex = startOrvex();
    auto w = bar();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->y, kScreenHeight - kBarHeight);
    constexpr int kPanel = 24;
    const auto barTopIs = [&](int y) {
        for (int i = 0; i < 100; ++i, ::usleep(100000)) {
            w = x.geometry(w->id);
            if (w && w->y == y) return true;
        }
        return false;
    };
    {
        ::orvex::gui::testing::FakePanel panel(x, true, kPanel);
        EXPECT_TRUE(barTopIs(kScreenHeight - kPanel - kBarHeight)) << (w ? w->y : -1);
        EXPECT_EQ(w->height, kBarHeight);
        const auto s = strut(w->id);
        ASSERT_EQ(s.size(), 12u);
        EXPECT_EQ(s[3], static_cast<std::uint32_t>(kPanel + kBarHeight));
    }
    EXPECT_TRUE(barTopIs(kScreenHeight - kBarHeight)) << (w ? w->y : -1);
}

}  // namespace
}  // namespace orvex::app

namespace orvex::app {
namespace {

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Tests that damaged data files, an icon file that is no picture and a splash that is no picture
// leave the bar starting with its defaults (at the top), and that no stored file is changed.
TEST_F(OrvexX11Test, DamagedFilesGiveDefaultsAndStayAsTheyWere) {
    const fs::path data = home / "data";
    fs::create_directories(data / "icons");
    const std::string garbage("\xff\xfe[BAR\x00\x01=\n[[[\nBarPosition=\xe3\x81\n", 30);
    std::ofstream(data / "system.ini", std::ios::binary) << garbage << "BarPosition=x1\nUserButtonType=zz\n";
    std::ofstream(data / "OEM.INI", std::ios::binary)
        << garbage << "[TITLE]\nFileName=.\\icons\\splash.bmp\n";
    std::ofstream(data / "icons" / "splash.bmp", std::ios::binary) << "BM not a bitmap at all";
    std::ofstream(data / "icons" / "bad.ico", std::ios::binary) << "\x00\x00\x01\x00 broken";
    std::ofstream(data / "link.ini", std::ios::binary)
        << garbage
        << "[LINK1]\nName=壊れ\nURL=http://127.0.0.1:1/"
           "\nInputMode=9x\nOrder=q\nIconFileName=.\\icons\\bad.ico\n"
        << "ButtonType=0\nVisible=True\n";
    std::ofstream(data / "userdata.ini", std::ios::binary)
        << garbage << "[USER0]\nVisible=True\nDisplayName=\xe3\n";
    std::map<fs::path, std::string> before;
    for (const auto& entry : fs::recursive_directory_iterator(data))
        if (entry.is_regular_file()) before[entry.path()] = readAll(entry.path());

    auto orvex = startOrvex();
    const auto w = bar();
    ASSERT_TRUE(w) << "the bar did not come up";
    EXPECT_EQ(w->y, 0);
    EXPECT_EQ(w->height, kBarHeight);
    ::usleep(1500000);  // the bar's loading runs on
    EXPECT_TRUE(orvex->running());
    ::kill(orvex->pid(), SIGTERM);
    const auto status = orvex->waitExit(kWaitMs);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    for (const auto& [file, bytes] : before) EXPECT_EQ(readAll(file), bytes) << file;
}

}  // namespace
}  // namespace orvex::app
