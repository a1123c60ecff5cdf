// The whole program under a private X server with openbox, a headed browser and a loopback
// campaign page: a link button clicked with real input opens the page, which is filled (the
// page itself reports the values it got); the bar counts the hit. Controls are found by their
// names in the accessibility tree, not by guessed positions.

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "gui/testing/x11_test_display.h"
#include "devtools/test_http_server.h"

namespace orvex::app {
namespace {

namespace fs = std::filesystem;
using ::orvex::gui::testing::Child;
using ::orvex::gui::testing::X11TestDisplay;

// How long the browser gets to start, load and fill.
constexpr int kFillWaitMs = 60000;
// How long a page is watched for writes that must not come.
constexpr int kQuietMs = 4000;

// The demo entry form, with a script of the page's own that reports every changed field by
// requesting /report/<name>/<value>.
std::string reportingEntryPage() {
    std::ifstream in(fs::path(ORVEX_SOURCE_DIR) / "resources/demo/entry.html", std::ios::binary);
    std::stringstream page;
    page << in.rdbuf();
    std::string html = page.str();
    const std::string reporter =
        "<script>document.addEventListener('change', function (e) {"
        " var t = e.target; if (!t.name) return;"
        " new Image().src = '/report/' + t.name + '/' + encodeURIComponent(t.value); }, true);</script>";
    const std::size_t end = html.rfind("</body>");
    html.insert(end == std::string::npos ? html.size() : end, reporter);
    return html;
}

struct Control {
    std::string role, name, description;
    int x = 0, y = 0, width = 0, height = 0;
};

bool onPath(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

class OrvexFillTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!x.ok()) GTEST_SKIP() << x.problem();
        for (const char* program : {"dbus-daemon", "xdotool", "chromium"})
            if (!onPath(program)) GTEST_SKIP() << program << " is not installed (scripts/deps.sh installs it)";
        if (std::system("/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "python3-pyatspi is not installed";
        ASSERT_NE(server.port(), 0);
        home = x.dir() / "home";
        fs::create_directories(home / "data");
        fs::create_directories(home / "config" / "orvex");
        fs::create_directories(home / "run");
        ::chmod((home / "run").c_str(), 0700);
        fs::copy_file(fs::path(ORVEX_SOURCE_DIR) / "resources/sample/userdata.ini", home / "data" / "userdata.ini");
        std::ofstream(home / "config" / "orvex" / "settings.ini") << "[data]\nFirstPageMode=0\n";
        // A bus of the test's own for the accessibility tree.
        bus = std::make_unique<Child>(std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address=1"},
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
    void writeLink(int inputMode) {
        std::ofstream(home / "data" / "link.ini")
            << "[LINK1]\nName=キャンペーン\nURL=" << server.url("/entry.html") << "\nInputMode=" << inputMode
            << "\nOrder=50\nButtonType=1\nVisible=True\n";
    }
    // The program's controls as the accessibility tree lists them now.
    std::vector<Control> controls() {
        const fs::path out = x.dir() / "controls.txt";
        fs::remove(out);
        Child lister({"/usr/bin/python3", std::string(ORVEX_SOURCE_DIR) + "/app/a11y_controls.py", "orvex", "20"}, env(),
                     out);
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
    std::optional<Control> control(const std::string& name, const std::string& description = {}) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            for (const Control& c : controls())
                if ((name.empty() || c.name == name) && (description.empty() || c.description == description) &&
                    c.width > 0)
                    return c;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return std::nullopt;
    }
    void clickOn(const Control& c) {
        ASSERT_EQ(x.run({"xdotool", "mousemove", std::to_string(c.x + c.width / 2), std::to_string(c.y + c.height / 2),
                         "click", "1"}),
                  0);
    }
    bool requested(const std::string& path) {
        for (const std::string& p : server.requested())
            if (p == path) return true;
        return false;
    }
    bool anyReport() {
        for (const std::string& p : server.requested())
            if (p.rfind("/report/", 0) == 0) return true;
        return false;
    }
    bool waitFor(const std::function<bool()>& done, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return done();
    }
    std::string hitCount() {
        const auto label = control({}, "ヒット数");
        return label ? label->name : "?";
    }

    X11TestDisplay x;
    devtools::TestHttpServer server{{{"/entry.html", reportingEntryPage()}}};
    fs::path home;
    std::unique_ptr<Child> bus;
    std::string busAddress;
};

// The family name 山田 as the page's script reports it.
const std::string kReportedSei = "/report/sei/%E5%B1%B1%E7%94%B0";

// Tests that an automatic link clicked on the bar opens its page and fills it with the first
// person, and that the bar counts the hit.
TEST_F(OrvexFillTest, AutomaticLinkFillsThePage) {
    writeLink(1);
    Child orvex({ORVEX_BINARY}, env(), x.dir() / "orvex.log");
    const auto link = control("キャンペーン");
    ASSERT_TRUE(link) << "no link button in the accessibility tree";
    EXPECT_EQ(hitCount(), "0");
    clickOn(*link);
    EXPECT_TRUE(waitFor([&] { return requested(kReportedSei); }, kFillWaitMs)) << "the page was not filled";
    EXPECT_TRUE(waitFor([&] { return hitCount() == "1"; }, 5000)) << hitCount();
    // ORVEX_SCREENSHOT_DIR keeps a picture of the screen after the fill, to look at.
    if (const char* dir = std::getenv("ORVEX_SCREENSHOT_DIR"))
        x.run({"import", "-window", "root", (fs::path(dir) / "bar_after_fill.png").string()});
}

// Tests that a link for filling on request fills nothing until a person button is clicked.
TEST_F(OrvexFillTest, OnRequestLinkWaitsForAPersonButton) {
    writeLink(2);
    Child orvex({ORVEX_BINARY}, env(), x.dir() / "orvex.log");
    const auto link = control("キャンペーン");
    ASSERT_TRUE(link);
    clickOn(*link);
    ASSERT_TRUE(waitFor([&] { return requested("/entry.html"); }, kFillWaitMs)) << "the page was not opened";
    std::this_thread::sleep_for(std::chrono::milliseconds(kQuietMs));
    EXPECT_FALSE(anyReport()) << "filled without a person button";
    const auto person = control("花子");
    ASSERT_TRUE(person);
    clickOn(*person);
    EXPECT_TRUE(waitFor([&] { return requested(kReportedSei); }, kFillWaitMs)) << "the person button filled nothing";
}

}  // namespace
}  // namespace orvex::app
