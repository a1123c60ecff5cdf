// Tests against a real headless browser and pages served from loopback by the test itself.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "devtools/browser_host.h"
#include "devtools/test_http_server.h"

namespace orvex::devtools {
namespace {

using nlohmann::json;

// Generous, because the browser shares two cores with everything else.
constexpr int kStartMs = 30000;
constexpr int kWaitMs = 15000;
// How long to watch for something that must not happen.
constexpr int kQuietMs = 700;
// Length of one protocol event in the failure trace.
constexpr std::size_t kTraceLine = 300;

// Records the session's events; decides navigations with a test-supplied rule.
class Recorder : public BrowserEvents {
  public:
    void windowOpened(const WindowInfo& w) override {
        opened.push_back(w);
        if (onOpened) onOpened(w);
    }
    void windowClosed(const std::string& id) override { closed.push_back(id); }
    NavigationDecision navigationRequested(const NavigationRequest& r) override {
        requests.push_back(r);
        return decide ? decide(r) : NavigationDecision::proceed();
    }
    void frameNavigated(const FrameInfo& f) override { navigated.push_back(f); }
    void frameLoaded(const FrameInfo& f) override { loaded.push_back(f); }
    void mailtoClicked(const FrameInfo& f, const std::string& url) override { mailtos.push_back({f, url}); }
    void windowFocused(const std::string& id) override { focused.push_back(id); }
    void browserClosed(const std::string& reason) override { closedReason = reason; }

    bool hasLoaded(const std::string& url) const {
        return std::any_of(loaded.begin(), loaded.end(), [&](const FrameInfo& f) { return f.url == url; });
    }

    std::vector<WindowInfo> opened;
    std::vector<std::string> closed;
    std::vector<NavigationRequest> requests;
    std::vector<FrameInfo> navigated;
    std::vector<FrameInfo> loaded;
    std::vector<std::pair<FrameInfo, std::string>> mailtos;
    std::vector<std::string> focused;
    std::optional<std::string> closedReason;
    std::function<NavigationDecision(const NavigationRequest&)> decide;
    std::function<void(const WindowInfo&)> onOpened;
};

std::map<std::string, std::string> pages(int port) {
    const std::string other = "http://localhost:" + std::to_string(port);
    return {
        {"/a.html",
         "<html><head><title>A</title><script>var pageSecret = 1;</script></head><body>"
         "<p id=t>alpha</p><a id=l href=\"/b.html\">b</a> <a id=c href=\"/c.html\">c</a>"
         "<a id=h href=\"#x\">here</a><p id=x>x</p>"
         "<a id=m href=\"MAILTO:someone@example.jp?subject=hi\" "
         "style=\"display:block;width:200px;height:40px\">mail</a>"
         "<iframe name=inner src=\"/f.html\"></iframe>"
         "<button id=p onclick=\"window.open('/b.html')\">popup</button></body></html>"},
        {"/b.html", "<html><head><title>B</title></head><body>beta</body></html>"},
        {"/c.html", "<html><head><title>C</title></head><body>gamma</body></html>"},
        {"/f.html", "<html><body>inner frame</body></html>"},
        {"/x.html", "<html><body><p>outer</p><iframe src=\"" + other + "/g.html\"></iframe></body></html>"},
        {"/g.html", "<html><body><p id=g>cross-site text</p></body></html>"},
        {"/form.html",
         "<html><head><title>Form</title></head><body><form id=f>"
         "<input id=n name=name1 value=\"orig\"><input id=hidden1 style=\"visibility:hidden\">"
         "<input id=none1 style=\"display:none\"><input id=zero "
         "style=\"width:0;height:0;padding:0;border:0\">"
         "<input type=checkbox id=k><select id=s><option>a<option>b<option>c</select><!-- note --></form>"
         "</body></html>"},
    };
}

class BrowserIntegrationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server = std::make_unique<TestHttpServer>(std::map<std::string, std::string>{});
        ASSERT_GT(server->port(), 0);
        server->setPages(pages(server->port()));  // the pages refer to the server's own port
        char pattern[] = "/tmp/orvex-browser-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        LaunchOptions options;
        options.profileDir = dir + "/profile";
        options.headless = true;
        options.logPath = dir + "/browser.log";
        std::string error;
        host = BrowserHost::launch(options, &error);
        ASSERT_TRUE(host) << error;
        host->session().setObserver(&events);
        host->client().subscribeAll([this](const Event& e) {
            std::string line = e.sessionId.substr(0, 6) + " " + e.method + " " + e.params.dump();
            trace.push_back(line.substr(0, kTraceLine));
        });
        ASSERT_TRUE(host->waitReady(kStartMs)) << host->session().startError();
    }

    void TearDown() override {
        // The protocol's story explains a failure better than any assertion message.
        if (HasFailure()) {
            for (const auto& line : trace) std::fprintf(stderr, "%s\n", line.c_str());
        }
        if (host) {
            host->session().setObserver(nullptr);
            host.reset();  // stops and reaps the browser
        }
        server.reset();
        if (!dir.empty()) std::system(("rm -rf '" + dir + "'").c_str());
    }

    bool wait(const std::function<bool()>& predicate, int ms = kWaitMs) {
        return host->client().waitUntil(predicate, ms);
    }

    // Opens a window at url and waits for its main frame's load.
    std::string openAndLoad(const std::string& url) {
        auto answer = std::make_shared<std::optional<std::optional<std::string>>>();
        host->session().openWindow(url, [answer](std::optional<std::string> w) { *answer = w; });
        EXPECT_TRUE(wait([&] { return answer->has_value(); }));
        if (!answer->has_value() || !answer->value()) return {};
        const std::string id = *answer->value();
        const bool loaded = wait([&] {
            return std::any_of(events.loaded.begin(), events.loaded.end(),
                               [&](const FrameInfo& f) { return f.frameId == id && f.url == url; });
        });
        EXPECT_TRUE(loaded) << url;
        return loaded ? id : std::string();
    }

    EvalResult evaluate(const std::string& frameId, const std::string& expression) {
        auto result = std::make_shared<std::optional<EvalResult>>();
        host->session().evaluate(frameId, expression, [result](const EvalResult& r) { *result = r; });
        EXPECT_TRUE(wait([&] { return result->has_value(); })) << expression;
        return result->value_or(EvalResult{});
    }

    // Runs script in the page's own world as if the user did it; waits for it to finish unless told not to
    // (window.open does not return while the new window is held).
    void runAsUser(const std::string& windowId, const std::string& script, bool waitForIt = true) {
        auto done = std::make_shared<bool>(false);
        host->client().send("Runtime.evaluate", {{"expression", script}, {"userGesture", true}},
                            host->session().sessionOfFrame(windowId), [done](const Reply&) { *done = true; });
        if (waitForIt) {
            EXPECT_TRUE(wait([&] { return *done; }));
        }
    }

    std::unique_ptr<TestHttpServer> server;
    std::string dir;
    std::unique_ptr<BrowserHost> host;
    Recorder events;
    std::vector<std::string> trace;
};

// Tests that a window opens, reports the load of its page and frame, and evaluates in an isolated world.
TEST_F(BrowserIntegrationTest, OpenLoadAndEvaluate) {
    const std::string id = openAndLoad(server->url("/a.html"));
    ASSERT_FALSE(id.empty());
    EXPECT_TRUE(events.hasLoaded(server->url("/f.html")));
    const auto frames = host->session().frames(id);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].name, "inner");
    EXPECT_EQ(frames[1].parentFrameId, id);
    const EvalResult text = evaluate(id, "document.getElementById('t').textContent");
    ASSERT_TRUE(text.ok) << text.error;
    EXPECT_EQ(text.value, "alpha");
    // The page's own variables are not visible in the program's world; the document is.
    EXPECT_EQ(evaluate(id, "typeof pageSecret").value, "undefined");
    EXPECT_EQ(evaluate(frames[1].frameId, "document.body.textContent").value, "inner frame");
    const EvalResult failing = evaluate(id, "nosuchthing.x");
    EXPECT_FALSE(failing.ok);
    EXPECT_NE(failing.error.find("nosuchthing"), std::string::npos);
    // Load events are not repeated for the initial empty documents.
    EXPECT_EQ(std::count_if(events.loaded.begin(), events.loaded.end(),
                            [](const FrameInfo& f) { return f.url == "about:blank" || f.url.empty(); }),
              0);
}

// Tests that a cancelled navigation leaves the old page in place, and a near miss goes through.
TEST_F(BrowserIntegrationTest, CancelNavigation) {
    const std::string id = openAndLoad(server->url("/a.html"));
    ASSERT_FALSE(id.empty());
    events.decide = [&](const NavigationRequest& r) {
        return r.url == server->url("/b.html") ? NavigationDecision::cancel() : NavigationDecision::proceed();
    };
    runAsUser(id, "document.getElementById('l').click()");
    ASSERT_TRUE(wait([&] {
        return std::any_of(events.requests.begin(), events.requests.end(),
                           [&](const NavigationRequest& r) { return r.url == server->url("/b.html"); });
    }));
    const auto request =
        std::find_if(events.requests.begin(), events.requests.end(),
                     [&](const NavigationRequest& r) { return r.url == server->url("/b.html"); });
    EXPECT_EQ(request->windowId, id);
    EXPECT_TRUE(request->topLevel);
    wait([] { return false; }, kQuietMs);
    EXPECT_FALSE(events.hasLoaded(server->url("/b.html")));
    EXPECT_EQ(evaluate(id, "location.href").value, server->url("/a.html"));
    const auto served = server->requested();
    EXPECT_EQ(std::count(served.begin(), served.end(), "/b.html"), 0);

    runAsUser(id, "document.getElementById('c').click()");
    EXPECT_TRUE(wait([&] { return events.hasLoaded(server->url("/c.html")); }));
}

// Tests that a redirected navigation ends on the new address.
TEST_F(BrowserIntegrationTest, RedirectNavigation) {
    const std::string id = openAndLoad(server->url("/a.html"));
    ASSERT_FALSE(id.empty());
    events.decide = [&](const NavigationRequest& r) {
        return r.url == server->url("/b.html") ? NavigationDecision::redirect(server->url("/c.html"))
                                               : NavigationDecision::proceed();
    };
    runAsUser(id, "document.getElementById('l').click()");
    ASSERT_TRUE(wait([&] { return events.hasLoaded(server->url("/c.html")); }));
    EXPECT_EQ(evaluate(id, "document.title").value, "C");
    EXPECT_TRUE(std::any_of(events.requests.begin(), events.requests.end(),
                            [&](const NavigationRequest& r) { return r.redirected; }));
}

// Tests that a popup is caught paused with its opener, does not navigate while held, and loads when released.
TEST_F(BrowserIntegrationTest, PopupCaughtPausedAndReleased) {
    const std::string id = openAndLoad(server->url("/a.html"));
    ASSERT_FALSE(id.empty());
    std::string popup;
    events.onOpened = [&](const WindowInfo& w) {
        if (w.openerId == id) {
            popup = w.windowId;
            host->session().holdWindow(w.windowId);
        }
    };
    runAsUser(id, "document.getElementById('p').click()", false);
    ASSERT_TRUE(wait([&] { return !popup.empty(); }));
    wait([] { return false; }, kQuietMs);
    const auto popupRequests = [&] {
        return std::count_if(events.requests.begin(), events.requests.end(),
                             [&](const NavigationRequest& r) { return r.windowId == popup; });
    };
    EXPECT_EQ(popupRequests(), 0);
    EXPECT_FALSE(std::any_of(events.loaded.begin(), events.loaded.end(),
                             [&](const FrameInfo& f) { return f.windowId == popup; }));
    host->session().releaseWindow(popup);
    ASSERT_TRUE(wait([&] {
        return std::any_of(events.loaded.begin(), events.loaded.end(), [&](const FrameInfo& f) {
            return f.windowId == popup && f.url == server->url("/b.html");
        });
    }));
    EXPECT_EQ(popupRequests(), 1);
    const auto windows = host->session().windows();
    EXPECT_TRUE(std::any_of(windows.begin(), windows.end(),
                            [&](const WindowInfo& w) { return w.windowId == popup && w.openerId == id; }));
    host->session().closeWindow(popup);
    EXPECT_TRUE(wait([&] { return std::count(events.closed.begin(), events.closed.end(), popup) == 1; }));
}

// Tests that a mouse click on a mailto: link is reported once and not followed; a plain link is not reported.
TEST_F(BrowserIntegrationTest, MailtoClickReportedOnce) {
    const std::string id = openAndLoad(server->url("/a.html"));
    ASSERT_FALSE(id.empty());
    const EvalResult box = evaluate(id,
                                    "(() => { const r = document.getElementById('m').getBoundingClientRect();"
                                    " return {x: r.left + 5, y: r.top + 5}; })()");
    ASSERT_TRUE(box.ok) << box.error;
    const std::string session = host->session().sessionOfFrame(id);
    int answered = 0;
    for (const char* type : {"mousePressed", "mouseReleased"}) {
        host->client().send("Input.dispatchMouseEvent",
                            {{"type", type},
                             {"x", box.value["x"]},
                             {"y", box.value["y"]},
                             {"button", "left"},
                             {"clickCount", 1}},
                            session, [&](const Reply&) { ++answered; });
    }
    ASSERT_TRUE(wait([&] { return answered == 2 && !events.mailtos.empty(); }));
    wait([] { return false; }, kQuietMs);
    ASSERT_EQ(events.mailtos.size(), 1u);
    EXPECT_EQ(events.mailtos[0].second, "mailto:someone@example.jp?subject=hi");
    EXPECT_EQ(events.mailtos[0].first.windowId, id);
    EXPECT_EQ(evaluate(id, "location.href").value, server->url("/a.html"));

    runAsUser(id, "document.getElementById('h').click()");
    wait([] { return false; }, kQuietMs);
    EXPECT_EQ(events.mailtos.size(), 1u);
}

// Tests that a cross-site frame (127.0.0.1 page, localhost frame) is read on its own session.
TEST_F(BrowserIntegrationTest, CrossSiteFrameOnItsOwnSession) {
    const std::string id = openAndLoad(server->url("/x.html"));
    ASSERT_FALSE(id.empty());
    const std::string frameUrl = server->url("/g.html", "localhost");
    ASSERT_TRUE(wait([&] { return events.hasLoaded(frameUrl); }));
    const auto frames = host->session().frames(id);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].url, frameUrl);
    EXPECT_EQ(frames[1].parentFrameId, id);
    const std::string frameSession = host->session().sessionOfFrame(frames[1].frameId);
    EXPECT_FALSE(frameSession.empty());
    EXPECT_NE(frameSession, host->session().sessionOfFrame(id));
    EXPECT_EQ(evaluate(frames[1].frameId, "document.getElementById('g').textContent").value,
              "cross-site text");
    EXPECT_EQ(evaluate(id, "document.body.firstChild.textContent").value, "outer");
}

// Tests that a file: page loads and is intercepted like any other document.
TEST_F(BrowserIntegrationTest, FilePage) {
    const std::string path = dir + "/page.html";
    std::ofstream(path) << "<html><head><title>F</title></head><body>file page</body></html>";
    const std::string id = openAndLoad("file://" + path);
    ASSERT_FALSE(id.empty());
    EXPECT_TRUE(std::any_of(events.requests.begin(), events.requests.end(),
                            [&](const NavigationRequest& r) { return r.url == "file://" + path; }));
    EXPECT_EQ(evaluate(id, "document.body.textContent").value, "file page");
}

// Tests that window bounds can be read and changed.
TEST_F(BrowserIntegrationTest, WindowBounds) {
    const std::string id = openAndLoad(server->url("/b.html"));
    ASSERT_FALSE(id.empty());
    std::optional<bool> accepted;
    host->session().setWindowBounds(id, WindowBounds{10, 20, 640, 480, "normal"},
                                    [&](bool ok) { accepted = ok; });
    ASSERT_TRUE(wait([&] { return accepted.has_value(); }));
    EXPECT_TRUE(*accepted);
    std::optional<WindowBounds> bounds;
    bool answered = false;
    host->session().getWindowBounds(id, [&](std::optional<WindowBounds> b) {
        bounds = b;
        answered = true;
    });
    ASSERT_TRUE(wait([&] { return answered; }));
    ASSERT_TRUE(bounds);
    EXPECT_EQ(bounds->width, 640);
    EXPECT_EQ(bounds->height, 480);
    host->session().bringToFront(id);
}

// Tests that the reader script runs in the program's world of documents already open (at once) and
// of every later one before the page's own scripts, same-site and cross-site frames included, and
// stays out of the page's own world.
TEST_F(BrowserIntegrationTest, ReaderScriptRunsInEveryDocument) {
    const std::string id = openAndLoad(server->url("/a.html"));
    ASSERT_FALSE(id.empty());
    host->session().setReaderScript(
        "globalThis.__seen = document.readyState + ' ' + location.pathname + ' ' + typeof pageSecret;");
    EXPECT_EQ(evaluate(id, "globalThis.__seen").value, "complete /a.html undefined");
    const auto frames = host->session().frames(id);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(evaluate(frames[1].frameId, "globalThis.__seen").value, "complete /f.html undefined");

    const std::string next = server->url("/b.html");
    host->session().navigate(id, next);
    ASSERT_TRUE(wait([&] { return events.hasLoaded(next); }));
    EXPECT_EQ(evaluate(id, "globalThis.__seen").value, "loading /b.html undefined");
    const std::string other = openAndLoad(server->url("/x.html"));
    ASSERT_FALSE(other.empty());
    ASSERT_EQ(host->session().frames(other).size(), 2u);
    const std::string cross = host->session().frames(other)[1].frameId;
    EXPECT_EQ(evaluate(cross, "globalThis.__seen").value, "loading /g.html undefined");
    EXPECT_NE(host->session().sessionOfFrame(cross), host->session().sessionOfFrame(other));

    // The page's own world never sees it.
    std::optional<json> pageValue;
    host->client().send("Runtime.evaluate", {{"expression", "typeof __seen"}, {"returnByValue", true}},
                        host->session().sessionOfFrame(id),
                        [&](const Reply& r) { pageValue = r.result["result"]["value"]; });
    ASSERT_TRUE(wait([&] { return pageValue.has_value(); }));
    EXPECT_EQ(*pageValue, "undefined");
}

// Tests that the browser's death is reported (windows first, then the browser) and the process is reaped.
TEST_F(BrowserIntegrationTest, BrowserDeathIsReported) {
    const std::string id = openAndLoad(server->url("/b.html"));
    ASSERT_FALSE(id.empty());
    const pid_t pid = host->pid();
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    ASSERT_TRUE(wait([&] { return events.closedReason.has_value(); }));
    EXPECT_TRUE(std::count(events.closed.begin(), events.closed.end(), id) == 1);
    EXPECT_EQ(host->pid(), -1);
    EXPECT_FALSE(host->session().isOpen());
    bool failed = false;
    host->session().evaluate(id, "1", [&](const EvalResult& r) { failed = !r.ok; });
    EXPECT_TRUE(wait([&] { return failed; }, 1000));
}

}  // namespace
}  // namespace orvex::devtools
