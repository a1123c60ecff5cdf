// Dragging from the palette into a browser, end to end: a private X server with openbox, this
// process's palette as a real window, a browser with a window (not headless) showing a loopback
// page, and real input from xdotool (press on a button, move onto the page's input, release). The
// page's own script records what its input got and how; the test reads that from the page.

#include <sstream>

#include <gtest/gtest.h>

#include "bar/person_list.h"
#include "browser/live_loader.h"
#include "devtools/browser_host.h"
#include "devtools/test_http_server.h"
#include "palette/gui/clip_button.h"
#include "palette/gui/clip_panel.h"
#include "palette/gui/frm_clip.h"
#include "palette/gui/xcb_test_session.h"
#include "profile/test_support.h"

namespace orvex::palette::gui {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::pumpFor;
using testing::pumpUntil;
using testing::runAlongside;
using testing::XcbSession;

// Generous: the browser shares two cores with everything else.
constexpr int kStartMs = 60000;
constexpr int kWaitMs = 20000;

// One text input over the whole page. Its own script keeps, on the body, the input's value after
// each input event, how that input came (its inputType) and how many there were, and reports the
// value to the server.
constexpr const char* kDropPage = R"(<!doctype html>
<html><head><meta charset="utf-8"><title>drop</title>
<style>html, body { margin: 0; height: 100%; }
#name { position: fixed; left: 0; top: 0; width: 100vw; height: 100vh; box-sizing: border-box; font-size: 28px; }</style>
</head><body><input type="text" id="name" name="simei">
<script>
var input = document.getElementById('name');
input.addEventListener('input', function (e) {
  var b = document.body;
  b.setAttribute('data-events', String(Number(b.getAttribute('data-events') || 0) + 1));
  b.setAttribute('data-input-type', e.inputType || '');
  b.setAttribute('data-value', input.value);
  new Image().src = '/report/' + encodeURIComponent(input.value);
});
</script></body></html>)";

// The phrase of the first phrase button: far longer than its button.
const std::string kLongPhrase =
    "いつも大変お世話になっております。" + std::string(40, 'x') + "今後ともよろしくお願いいたします。";

bool onPath(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

class PaletteBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!XcbSession::get().ok()) GTEST_SKIP() << XcbSession::get().problem();
        for (const char* program : {"xdotool", "chromium"})
            if (!onPath(program))
                GTEST_SKIP() << program << " is not installed (scripts/deps.sh installs it)";
        ASSERT_GT(server.port(), 0);
        fs::copy_file(fs::path(ORVEX_SOURCE_DIR) / "resources/sample/userdata.ini", dir / "userdata.ini");
        persons = bar::loadPersons(dir.path());
        ASSERT_FALSE(persons.empty());
        std::ofstream(dir / "system.ini") << "[CLIP]\nCAPTION1=" << kLongPhrase << "\n";

        devtools::LaunchOptions options;
        options.profileDir = (dir / "profile").string();
        options.headless = false;
        options.logPath = (dir / "browser.log").string();
        options.extraArguments = {"--window-position=0,0", "--window-size=900,700"};
        std::string error;
        host = devtools::BrowserHost::launch(options, &error);
        ASSERT_TRUE(host) << error;
        ASSERT_TRUE(pumpUntil([&] { return host->session().isReady(); }, kStartMs, pumpBrowser()))
            << host->session().startError();
        loader = std::make_unique<browser::LiveLoader>(host->session(), [this] {
            host->client().pump(5);
            QCoreApplication::processEvents();
        });
        std::optional<std::string> id;
        bool answered = false;
        host->session().openWindow(server.url("/drop.html"), [&](std::optional<std::string> w) {
            id = std::move(w);
            answered = true;
        });
        ASSERT_TRUE(pumpUntil([&] { return answered; }, kWaitMs, pumpBrowser()));
        ASSERT_TRUE(id) << "the browser opened no window";
        windowId = *id;
        ASSERT_TRUE(pumpUntil([&] { return evaluate("document.readyState") == "complete"; }, kWaitMs))
            << "the page did not load";
    }
    void TearDown() override {
        loader.reset();
        host.reset();  // ends the browser
    }

    std::function<void()> pumpBrowser() {
        return [this] { host->client().pump(0); };
    }
    // The value of `expression` in the page (the program's own world, which shares its document).
    json evaluate(const std::string& expression) {
        const auto answer = loader->evaluateNow(windowId, expression);
        return answer && answer->ok ? answer->value : json();
    }
    std::string bodyData(const std::string& name) {
        const json v = evaluate("document.body.getAttribute('data-" + name + "')");
        return v.is_string() ? v.get<std::string>() : std::string();
    }
    // The middle of the page on the screen: inside the input, which covers the page.
    QPoint pageMiddle() {
        const json v = evaluate(
            "[window.screenX, window.screenY, window.outerWidth, window.outerHeight, window.innerWidth, "
            "window.innerHeight]");
        if (!v.is_array() || v.size() != 6) return {};
        const int x = v[0].get<int>() + v[2].get<int>() / 2;
        const int y = v[1].get<int>() + (v[3].get<int>() - v[5].get<int>()) + v[5].get<int>() / 2;
        return {x, y};
    }
    // Presses the left button on `from`, moves in steps onto `to` and releases it there.
    bool drag(const QPoint& from, const QPoint& to) {
        const auto n = [](int v) { return std::to_string(v); };
        const QPoint mid = (from + to) / 2;
        return runAlongside(
                   {"xdotool",       "mousemove", n(from.x()),   n(from.y()),   "sleep",     "0.3",
                    "mousedown",     "1",         "sleep",       "0.3",         "mousemove", n(from.x() - 12),
                    n(from.y() + 4), "sleep",     "0.3",         "mousemove",   n(mid.x()),  n(mid.y()),
                    "sleep",         "0.3",       "mousemove",   n(to.x()),     n(to.y()),   "sleep",
                    "0.5",           "mousemove", n(to.x() + 6), n(to.y() + 6), "sleep",     "0.5",
                    "mouseup",       "1"},
                   dir / "xdotool.log", kWaitMs, pumpBrowser()) == 0;
    }
    bool open(frmClip& clip) {
        clip.toggle(persons);
        const bool shown = pumpUntil(
            [&] { return XcbSession::get().display().waitForWindow("frmClip", 0, true).has_value(); },
            kWaitMs, pumpBrowser());
        pumpFor(500, pumpBrowser());
        return shown;
    }
    static QPoint middleOf(const QWidget* w) { return w->mapToGlobal(w->rect().center()); }

    devtools::TestHttpServer server{{{"/drop.html", kDropPage}}};
    profile::testing::TempDir dir;
    Persons persons;
    std::unique_ptr<devtools::BrowserHost> host;
    std::unique_ptr<browser::LiveLoader> loader;
    std::string windowId;
};

// Tests that dragging the full-name button onto the page's input enters the person's full name
// there as a drop, which the page's own input event reports; before the drag the page has seen no
// input.
TEST_F(PaletteBrowserTest, FullNameDroppedIntoTheInput) {
    frmClip clip(dir / "system.ini");
    ASSERT_TRUE(open(clip));
    ClipButton* fullName = clip.panel()->button(0);
    ASSERT_EQ(fullName->fullText(), QStringLiteral("山田　花子"));
    EXPECT_EQ(bodyData("events"), "");
    const QPoint target = pageMiddle();
    ASSERT_FALSE(target.isNull());
    ASSERT_TRUE(drag(middleOf(fullName), target));
    ASSERT_TRUE(pumpUntil([&] { return !bodyData("value").empty(); }, kWaitMs, pumpBrowser()))
        << "the page saw no input";
    EXPECT_EQ(bodyData("value"), "山田　花子");
    EXPECT_EQ(bodyData("input-type"), "insertFromDrop");
    EXPECT_EQ(evaluate("document.getElementById('name').value"), "山田　花子");
    if (const auto shots = testing::screenshotDir())
        XcbSession::get().display().run(
            {"import", "-window", "root", (*shots / "drop_full_name.png").string()});
}

// Tests that a phrase far longer than its button, shown shortened, is dropped whole.
TEST_F(PaletteBrowserTest, LongPhraseDroppedWhole) {
    frmClip clip(dir / "system.ini");
    ASSERT_TRUE(open(clip));
    ClipButton* phrase = clip.panel()->button(30);
    ASSERT_EQ(phrase->fullText().toStdString(), kLongPhrase);
    ASSERT_LT(phrase->shownCaption().size(), phrase->fullText().size());
    ASSERT_TRUE(drag(middleOf(phrase), pageMiddle()));
    ASSERT_TRUE(pumpUntil([&] { return !bodyData("value").empty(); }, kWaitMs, pumpBrowser()))
        << "the page saw no input";
    EXPECT_EQ(bodyData("value"), kLongPhrase);
    EXPECT_EQ(bodyData("input-type"), "insertFromDrop");
}

}  // namespace
}  // namespace orvex::palette::gui
