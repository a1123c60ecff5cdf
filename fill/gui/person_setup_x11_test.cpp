// The first start of the program on a private X server with openbox, driven with real input: the
// person setup dialog opens by itself when "userdata.ini" is missing, and a person entered there
// has a button on the bar as soon as OK is pressed. Controls are found through the accessibility
// tree on a bus of the test's own.

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "gui/testing/x11_test_display.h"

namespace orvex::fill::gui {
namespace {

namespace fs = std::filesystem;
using ::orvex::gui::testing::Child;
using ::orvex::gui::testing::X11TestDisplay;

struct Control {
    std::string role, name, description;
    int x = 0, y = 0, width = 0, height = 0;
};

bool onPath(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PersonSetupX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!x.ok()) GTEST_SKIP() << x.problem();
        for (const char* program : {"dbus-daemon", "xdotool"})
            if (!onPath(program))
                GTEST_SKIP() << program << " is not installed (scripts/deps.sh installs it)";
        if (std::system("/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "python3-pyatspi is not installed";
        home = x.dir() / "home";
        fs::create_directories(home / "data");
        fs::create_directories(home / "config" / "orvex");
        fs::create_directories(home / "run");
        ::chmod((home / "run").c_str(), 0700);
        // No first page: the test is about the persons, not the browser.
        std::ofstream(home / "config" / "orvex" / "settings.ini") << "[data]\nFirstPageMode=0\n";
        bus = std::make_unique<Child>(
            std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address=1"},
            x.environment(), x.dir() / "bus.log");
        for (int i = 0; i < 100 && busAddress.empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::ifstream log(x.dir() / "bus.log");
            std::getline(log, busAddress);
        }
        ASSERT_FALSE(busAddress.empty()) << "no session bus";
    }
    std::map<std::string, std::string> env() const {
        auto e = x.environment();
        e["ORVEX_HOME"] = (home / "data").string();
        e["XDG_CONFIG_HOME"] = (home / "config").string();
        e["XDG_RUNTIME_DIR"] = (home / "run").string();
        e["DBUS_SESSION_BUS_ADDRESS"] = busAddress;
        e["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1";
        return e;
    }
    // The program's controls as the accessibility tree lists them now.
    std::vector<Control> controls() {
        const fs::path out = x.dir() / "controls.txt";
        fs::remove(out);
        Child lister(
            {"/usr/bin/python3", std::string(ORVEX_SOURCE_DIR) + "/app/a11y_controls.py", "orvex", "20"},
            env(), out);
        lister.waitExit(30000);
        std::vector<Control> found;
        std::ifstream in(out);
        for (std::string line; std::getline(in, line);) {
            std::stringstream fields(line);
            Control c;
            std::string box;
            if (!std::getline(fields, c.role, '\t') || !std::getline(fields, c.name, '\t') ||
                !std::getline(fields, c.description, '\t') || !std::getline(fields, box))
                continue;
            std::stringstream(box) >> c.x >> c.y >> c.width >> c.height;
            found.push_back(c);
        }
        return found;
    }
    // The first shown control named `name` (with `role` when given) that `where` accepts.
    std::optional<Control> control(const std::string& name, const std::string& role = {},
                                   const std::function<bool(const Control&)>& where = {}) {
        for (int attempt = 0; attempt < 40; ++attempt) {
            for (const Control& c : controls())
                if (c.name == name && (role.empty() || c.role == role) && c.width > 0 && (!where || where(c)))
                    return c;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return std::nullopt;
    }
    void typeInto(const Control& box, const std::string& text) {
        ASSERT_EQ(x.run({"xdotool", "mousemove", std::to_string(box.x + box.width / 2),
                         std::to_string(box.y + box.height / 2), "click", "1"}),
                  0);
        ASSERT_EQ(x.run({"xdotool", "type", "--delay", "30", text}), 0);
    }

    X11TestDisplay x;
    fs::path home;
    std::unique_ptr<Child> bus;
    std::string busAddress;
};

// Tests that the first start without "userdata.ini" opens "ユーザ設定", and that a person typed in
// there and confirmed with OK gets a button on the bar at once and is stored.
TEST_F(PersonSetupX11Test, FirstStartOpensSetupAndOkShowsTheButton) {
    ASSERT_FALSE(fs::exists(home / "data" / "userdata.ini"));
    Child orvex({ORVEX_BINARY}, env(), x.dir() / "orvex.log");
    ASSERT_TRUE(control("ユーザ設定", "dialog")) << "the person setup dialog did not open";
    const auto name1 = control("名前（姓）");
    const auto name2 = control("名前（名）");
    const auto caption = control("バーのボタンに表示する名前");
    ASSERT_TRUE(name1 && name2 && caption) << "the name boxes are not in the accessibility tree";
    typeInto(*name1, "Yamada");
    typeInto(*name2, "Taro");
    typeInto(*caption, "Taro");
    const auto ok = control("OK", "push button");
    ASSERT_TRUE(ok);
    ASSERT_EQ(x.run({"xdotool", "mousemove", std::to_string(ok->x + ok->width / 2),
                     std::to_string(ok->y + ok->height / 2), "click", "1"}),
              0);

    // The bar is docked at the top, 30 pixels high: the person's button stands there.
    const auto button = control("Taro", "push button", [](const Control& c) { return c.y >= 0 && c.y < 30; });
    EXPECT_TRUE(button) << "no person button on the bar";
    const std::string stored = readAll(home / "data" / "userdata.ini");
    EXPECT_NE(stored.find("[USER0]"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Visible=True"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Name1=Yamada"), std::string::npos) << stored;
    EXPECT_NE(stored.find("DisplayName=Taro"), std::string::npos) << stored;
    // ORVEX_SCREENSHOT_DIR keeps a picture of the screen after OK, to look at.
    if (const char* dir = std::getenv("ORVEX_SCREENSHOT_DIR"))
        x.run({"import", "-window", "root", (fs::path(dir) / "bar_after_person_setup.png").string()});
}

}  // namespace
}  // namespace orvex::fill::gui
