// Tests of the live loader, the frame manager and the watcher against a real headless browser,
// with pages served from loopback by the test itself.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/input_form.h"
#include "browser/live_loader.h"
#include "browser/session_router.h"
#include "devtools/browser_host.h"
#include "devtools/test_http_server.h"
#include "history/rec.h"
#include "history/recs.h"
#include "settings/globals.h"
#include "settings/paths.h"
#include "settings/test_env.h"
#include "settings/wait.h"
#include "text/strings.h"

namespace orvex::browser {
namespace {

using devtools::NavigationDecision;
using nlohmann::json;

// Generous, because the browser shares two cores with everything else.
constexpr int kStartMs = 30000;
constexpr int kWaitMs = 20000;
// How long to watch for something that must not happen.
constexpr int kQuietMs = 700;
// Frames of the many-frames page.
constexpr int kManyFrames = 100;

// A form the engine reads as one full-name field.
constexpr const char* kNameForm =
    "<form action=\"/done.html\">お名前 <input type=text name=simei size=20>"
    "<input type=submit id=go></form>";

// The pages of the tests; the cross-site frame takes the server's port from its parent's address.
std::map<std::string, std::string> pages() {
    std::string many = "<html><body>";
    for (int i = 0; i < kManyFrames; ++i)
        many += "<iframe src=\"/leaf.html?" + std::to_string(i) + "\"></iframe>";
    many += "</body></html>";
    return {
        {"/hidden.html",
         "<html><body><form>"
         "<input id=shown name=shown type=text>"
         "<input id=none name=none type=text style=\"display:none\">"
         "<input id=invisible name=invisible type=text style=\"visibility:hidden\">"
         "<input id=zero name=zero type=text style=\"width:0;height:0;padding:0;border:0\">"
         "<input id=away name=away type=text style=\"position:absolute;left:-9999px\">"
         "<textarea id=area name=area style=\"display:none\"></textarea>"
         "</form></body></html>"},
        {"/react.html",
         std::string("<html><body>") + kNameForm +
             "<script>"
             "const el = document.querySelector('[name=simei]');"
             "const proto = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');"
             "let tracked = el.value;"
             "Object.defineProperty(el, 'value', {get() { return proto.get.call(this); },"
             "  set(v) { tracked = v; proto.set.call(this, v); }});"
             "window.state = {};"
             "el.addEventListener('input', () => { const v = proto.get.call(el);"
             "  if (v !== tracked) { tracked = v; window.state.simei = v; } });"
             "</script></body></html>"},
        {"/vanish.html",
         "<html><body><form id=f><input name=a type=text><input name=b type=text></form>"
         "<script>document.querySelector('[name=a]').addEventListener('input', () => "
         "document.getElementById('f').remove());</script></body></html>"},
        {"/hide.html",
         "<html><body><form id=f><input name=a type=text><input name=b type=text></form>"
         "<script>document.querySelector('[name=a]').addEventListener('input', () => "
         "document.querySelector('[name=b]').style.display = 'none');</script></body></html>"},
        {"/mark.html",
         "<html><body><form id=f><input name=a type=text><input name=b type=text></form>"
         "<script>document.querySelector('[name=a]').addEventListener('input', () => "
         "document.getElementById('f').className = 'touched');</script></body></html>"},
        {"/tall.html",
         "<html><body><div style=\"height:3000px\">top</div><form><input name=far type=text></form>"
         "</body></html>"},
        {"/late.html",
         "<html><body><form><input name=a type=text></form><script>addEventListener('load', () => {"
         "const add = (n) => { const i = document.createElement('input'); i.name = n;"
         "  document.forms[0].appendChild(i); };"
         "add('b'); setTimeout(() => add('c'), 0); });</script></body></html>"},
        {"/set.html",
         "<html><frameset cols=\"*,*,*\"><frame name=one src=\"/form.html\"><frame name=two "
         "src=\"/leaf.html\">"
         "<frame name=three src=\"/inner.html\"></frameset></html>"},
        {"/inner.html",
         "<html><body><p>same site</p><iframe name=same src=\"/form.html\"></iframe>"
         "<iframe id=cross name=cross></iframe><script>document.getElementById('cross').src = "
         "'http://localhost:' + location.port + '/form.html';</script></body></html>"},
        {"/form.html",
         std::string("<html><head><title>Entry</title></head><body>") + kNameForm + "</body></html>"},
        {"/done.html",
         "<html><body><form>お名前 <input type=text name=simei> 電話 <input type=text name=tel>"
         "</form></body></html>"},
        {"/leaf.html", "<html><body>leaf</body></html>"},
        {"/many.html", many},
        {"/mail.html",
         "<html><head><title>Mail</title></head><body><a id=m href=\"MAILTO:Prize@Example.jp\" "
         "style=\"display:block;width:200px;height:40px\">mail</a></body></html>"},
    };
}

// A browser session that forwards to the real one and records the program's navigations.
class RecordingSession final : public devtools::BrowserSession {
  public:
    explicit RecordingSession(devtools::BrowserSession& real) : m_real(real) {}
    void setObserver(devtools::BrowserEvents* observer) override { m_real.setObserver(observer); }
    bool isReady() const override { return m_real.isReady(); }
    bool isOpen() const override { return m_real.isOpen(); }
    void openWindow(const std::string& url, std::function<void(std::optional<std::string>)> done) override {
        m_real.openWindow(url, std::move(done));
    }
    void closeWindow(const std::string& windowId) override { m_real.closeWindow(windowId); }
    void navigate(const std::string& windowId, const std::string& url,
                  const std::string& frameId = {}) override {
        navigations.push_back(url);
        m_real.navigate(windowId, url, frameId);
    }
    void decideNavigation(const std::string& requestId, const NavigationDecision& decision) override {
        m_real.decideNavigation(requestId, decision);
    }
    void holdWindow(const std::string& windowId) override { m_real.holdWindow(windowId); }
    void releaseWindow(const std::string& windowId) override { m_real.releaseWindow(windowId); }
    std::vector<devtools::WindowInfo> windows() const override { return m_real.windows(); }
    std::vector<devtools::FrameInfo> frames(const std::string& windowId) const override {
        return m_real.frames(windowId);
    }
    void setReaderScript(const std::string& source) override { m_real.setReaderScript(source); }
    void setLoadCall(const std::string& expression) override { m_real.setLoadCall(expression); }
    devtools::LoadCallState takeLoadCall(const std::string& frameId) override {
        return m_real.takeLoadCall(frameId);
    }
    void evaluate(const std::string& frameId, const std::string& expression,
                  std::function<void(const devtools::EvalResult&)> done) override {
        m_real.evaluate(frameId, expression, std::move(done));
    }
    void getWindowBounds(const std::string& windowId,
                         std::function<void(std::optional<devtools::WindowBounds>)> done) override {
        m_real.getWindowBounds(windowId, std::move(done));
    }
    void setWindowBounds(const std::string& windowId, const devtools::WindowBounds& bounds,
                         std::function<void(bool)> done) override {
        m_real.setWindowBounds(windowId, bounds, std::move(done));
    }
    void bringToFront(const std::string& windowId) override { m_real.bringToFront(windowId); }

    std::vector<std::string> navigations;

  private:
    devtools::BrowserSession& m_real;
};

// The bar's part for the watchers of the test: persons, adoption of windows, records.
class TestBar : public InputFormHost, public InputFormEvents {
  public:
    struct Recorded {
        text::Text URL;
        text::Text SiteName;
    };
    // Records reach the history through its edit window (setting Hist) or straight into the
    // shared store; the test sees both.
    TestBar() {
        history::clsRec::setEditHandler([this](history::clsRec& rec) {
            records.push_back({rec.URL, rec.SiteName});
            return false;
        });
        m_subscription = history::sharedRecs().subscribeChanged([this](const history::clsRecs::RecPtr& rec) {
            records.push_back({rec->URL, rec->SiteName});
        });
    }
    ~TestBar() override {
        history::clsRec::setEditHandler(nullptr);
        history::sharedRecs().unsubscribeChanged(m_subscription);
    }
    int personCount() override { return static_cast<int>(persons.size()); }
    std::shared_ptr<const fill::clsUserInfo> person(int position) override {
        if (position < 1 || position > personCount()) return nullptr;
        return persons[static_cast<std::size_t>(position - 1)];
    }
    void AddBrowser(const links::clsLink& link, bool childNoHeader, const std::string& windowId) override {
        (void)link;
        (void)childNoHeader;
        adopted.push_back(windowId);
    }
    void SelectCurrentForm(clsInputForm&) override {}
    void RecordCurrentPage(clsInputForm& requester) override { requester.RecordCurrentPage(); }
    void ShowHelp() override {}
    void ShowMessage(const text::Text& message) override { messages.push_back(message); }
    void Hit(clsInputForm&, int&) override { ++hits; }
    void NoHit(clsInputForm&) override { ++noHits; }

    std::vector<std::shared_ptr<const fill::clsUserInfo>> persons;
    std::vector<std::string> adopted;
    std::vector<text::Text> messages;
    std::vector<Recorded> records;
    int hits = 0;
    int noHits = 0;

  private:
    int m_subscription = 0;
};

std::shared_ptr<fill::clsUserInfo> person(const char16_t* name1, const char16_t* name2) {
    auto p = std::make_shared<fill::clsUserInfo>();
    p->Name1 = name1;
    p->Name2 = name2;
    p->DisplayName = text::Text(name1) + name2;
    p->Email1 = u"entry";
    p->Email2 = u"example.jp";
    return p;
}

// The shared history writes into one private data directory for the whole executable.
settings::testing::TempHome& privateHome() {
    static settings::testing::TempHome home;
    return home;
}

class BrowserLiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        privateHome();
        settings::globals() = settings::Globals{};
        server = std::make_unique<devtools::TestHttpServer>(pages());
        ASSERT_GT(server->port(), 0);
        char pattern[] = "/tmp/orvex-browser-live-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        devtools::LaunchOptions options;
        options.profileDir = dir + "/profile";
        options.headless = true;
        options.logPath = dir + "/browser.log";
        std::string error;
        host = devtools::BrowserHost::launch(options, &error);
        ASSERT_TRUE(host) << error;
        host->session().setObserver(&router);
        ASSERT_TRUE(host->waitReady(kStartMs)) << host->session().startError();
        session = std::make_unique<RecordingSession>(host->session());
        settings::setProcessEventsHook([this] { host->client().pump(0); });
        access = LivePageAccess::create(*session, [this] { host->client().pump(10); });
        bar.persons = {person(u"山田", u"太郎"), person(u"鈴木", u"花子")};
    }

    void TearDown() override {
        settings::setProcessEventsHook({});
        forms.clear();
        if (host) {
            host->session().setObserver(nullptr);
            host.reset();  // stops and reaps the browser
        }
        server.reset();
        if (!dir.empty()) std::system(("rm -rf '" + dir + "'").c_str());
        settings::globals() = settings::Globals{};
    }

    bool wait(const std::function<bool()>& predicate, int ms = kWaitMs) {
        return host->client().waitUntil(predicate, ms);
    }

    // Opens a window at url without a watcher and waits until its page has loaded.
    std::string openLoaded(const std::string& url) {
        std::optional<std::string> id;
        bool answered = false;
        session->openWindow(url, [&](std::optional<std::string> w) {
            id = w;
            answered = true;
        });
        EXPECT_TRUE(wait([&] { return answered; }));
        if (!id) return {};
        EXPECT_TRUE(wait([&] {
            const json state = evaluate(*id, "document.readyState + ' ' + location.href");
            return state.is_string() && state.get<std::string>() == "complete " + url;
        })) << url;
        return *id;
    }

    // A watcher for a new window opened for automatic input, navigated to url.
    clsInputForm& openWatched(const std::string& url, const links::clsLink& link) {
        std::optional<std::string> id;
        bool answered = false;
        session->openWindow("about:blank", [&](std::optional<std::string> w) {
            id = w;
            answered = true;
        });
        EXPECT_TRUE(wait([&] { return answered && id.has_value(); }));
        auto form = std::make_unique<clsInputForm>(*session, access, &bar, &bar);
        form->setLink(link);
        form->setKey(u"F" + text::number(static_cast<long long>(forms.size() + 1)));
        form->UserInfo = bar.persons[0];
        form->setBrowser(id.value_or(""));
        router.attach(id.value_or(""), form.get());
        form->Navigate(text::fromUtf8(url));
        forms.push_back(std::move(form));
        return *forms.back();
    }

    // The value of expression in the program's world of a frame; null on failure.
    json evaluate(const std::string& frameId, const std::string& expression) {
        const auto answer = access->loader().evaluateNow(frameId, expression);
        return answer && answer->ok ? answer->value : json();
    }

    // The value of expression in the page's own world of a window's main frame.
    json pageValue(const std::string& windowId, const std::string& expression) {
        json value;
        bool done = false;
        host->client().send("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}},
                            host->session().sessionOfFrame(windowId), [&](const devtools::Reply& reply) {
                                if (reply.ok) value = reply.result["result"].value("value", json());
                                done = true;
                            });
        wait([&] { return done; });
        return value;
    }

    std::string frameIdNamed(const std::string& windowId, const std::string& name) {
        for (const auto& frame : session->frames(windowId))
            if (frame.name == name) return frame.frameId;
        return {};
    }

    std::unique_ptr<devtools::TestHttpServer> server;
    std::string dir;
    std::unique_ptr<devtools::BrowserHost> host;
    std::unique_ptr<RecordingSession> session;
    std::shared_ptr<LivePageAccess> access;
    SessionRouter router;
    TestBar bar;
    std::vector<std::unique_ptr<clsInputForm>> forms;
};

// Tests that text fields without a box, hidden, of zero size or off-screen are read as not
// rendered and never written, even by writes that name them; the rendered one is written.
TEST_F(BrowserLiveTest, InvisibleInputsNeverWritten) {
    const std::string id = openLoaded(server->url("/hidden.html"));
    ASSERT_FALSE(id.empty());
    DocumentRef doc = access->topDocument(id);
    ASSERT_TRUE(doc);
    std::vector<page::WriteRecord> writes;
    for (const char* name : {"shown", "none", "invisible", "zero", "away", "area"}) {
        page::Element element = doc->model().all().item(name).element();
        ASSERT_TRUE(element) << name;
        EXPECT_EQ(element.rendered(), std::string(name) == "shown") << name;
        EXPECT_EQ(element.setValue("model"), std::string(name) == "shown") << name;
        writes.push_back({element.sourceIndex(), element.tagName(), element.name(), page::WriteKind::Value,
                          "secret", false, -1});
    }
    const ReplayReport report = access->replay(*doc, writes);
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_EQ(report.written, 1);
    EXPECT_EQ(report.refused.size(), 5u);
    EXPECT_EQ(evaluate(id, "[...document.querySelectorAll('input,textarea')].map(e => e.value).join(',')"),
              "secret,,,,,");
}

// Tests that a page watching its field like a script framework ends with the person's name in
// its own state after an automatic fill.
TEST_F(BrowserLiveTest, ValueTrackerSeesFilledValue) {
    links::clsLink link;
    link.InputMode = 1;
    clsInputForm& form = openWatched(server->url("/react.html"), link);
    ASSERT_TRUE(wait([&] { return bar.hits > 0; })) << "no fill";
    EXPECT_EQ(pageValue(form.Browser(), "window.state.simei"), "山田　太郎");
    EXPECT_EQ(evaluate(form.Browser(), "document.querySelector('[name=simei]').value"), "山田　太郎");
}

// Tests that a page removing its form while being written is left alone after that: the later
// write is skipped and reported.
TEST_F(BrowserLiveTest, FormRemovedWhileFilling) {
    const std::string id = openLoaded(server->url("/vanish.html"));
    DocumentRef doc = access->topDocument(id);
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->model().all().item("a").element().setValue("1"));
    ASSERT_TRUE(doc->model().all().item("b").element().setValue("2"));
    const ReplayReport report = doc->commitWrites();
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_EQ(report.written, 1);
    ASSERT_EQ(report.skipped.size(), 1u);
    EXPECT_EQ(report.skipped[0].name, "b");
    EXPECT_EQ(evaluate(id, "document.forms.length"), 0);
}

// Tests that a field hidden by the page's own handler of an earlier write is refused, though it was
// rendered when the replay began; a handler that changes something else lets the later field be
// written.
TEST_F(BrowserLiveTest, FieldHiddenWhileFillingIsRefused) {
    for (const char* page : {"/hide.html", "/mark.html"}) {
        const bool hides = std::string(page) == "/hide.html";
        const std::string id = openLoaded(server->url(page));
        DocumentRef doc = access->topDocument(id);
        ASSERT_TRUE(doc) << page;
        ASSERT_TRUE(doc->model().all().item("a").element().setValue("1"));
        ASSERT_TRUE(doc->model().all().item("b").element().setValue("2"));
        const ReplayReport report = doc->commitWrites();
        ASSERT_TRUE(report.ok) << report.error;
        EXPECT_EQ(report.written, hides ? 1 : 2) << page;
        ASSERT_EQ(report.refused.size(), hides ? 1u : 0u) << page;
        if (hides) {
            EXPECT_EQ(report.refused[0].name, "b");
        }
        EXPECT_EQ(evaluate(id, "document.querySelector('[name=b]').value"), hides ? "" : "2") << page;
    }
}

// Tests that a scroll write brings its field into view right after the values are written, and
// that the page is left where it was without one.
TEST_F(BrowserLiveTest, ScrollWriteScrollsAfterTheValues) {
    const std::string id = openLoaded(server->url("/tall.html"));
    DocumentRef doc = access->topDocument(id);
    ASSERT_TRUE(doc);
    page::Element far = doc->model().all().item("far").element();
    ASSERT_TRUE(far.setValue("x"));
    ReplayReport report = doc->commitWrites();
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_EQ(report.written, 1);
    wait([] { return false; }, kQuietMs);
    EXPECT_EQ(evaluate(id, "window.scrollY"), 0);
    far.scrollIntoView(true);
    report = doc->commitWrites();
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_EQ(report.written, 1);
    EXPECT_TRUE(wait([&] {
        const json y = evaluate(id, "window.scrollY");
        return y.is_number() && y.get<double>() > 0;
    }));
    EXPECT_EQ(evaluate(id, "document.querySelector('[name=far]').value"), "x");
}

// Tests that the first read after the load shows what the page's own load handlers did (what they
// queue for later may come before or after it), and a later read the document as it is then.
TEST_F(BrowserLiveTest, ReadAtLoadThenFresh) {
    const std::string id = openLoaded(server->url("/late.html"));
    DocumentRef doc = access->topDocument(id);
    ASSERT_TRUE(doc);
    for (const char* name : {"a", "b"}) EXPECT_TRUE(doc->model().all().item(name).element()) << name;
    EXPECT_FALSE(doc->model().all().item("d").element());
    evaluate(id,
             "(() => { const i = document.createElement('input'); i.name = 'd';"
             " document.forms[0].appendChild(i); return true; })()");
    DocumentRef again = access->topDocument(id);
    ASSERT_TRUE(again);
    for (const char* name : {"a", "b", "c", "d"})
        EXPECT_TRUE(again->model().all().item(name).element()) << name;
}

// Tests that a frameset of three frames, a same-site and a cross-site inline frame are all
// collected, in document order with each frame's own frames right after it.
TEST_F(BrowserLiveTest, FramesetAndInlineFramesCollected) {
    const std::string id = openLoaded(server->url("/set.html"));
    ASSERT_TRUE(wait([&] { return session->frames(id).size() == 6; })) << session->frames(id).size();
    ASSERT_TRUE(wait([&] {
        const auto frames = session->frames(id);
        return std::all_of(frames.begin(), frames.end(), [&](const devtools::FrameInfo& f) {
            return evaluate(f.frameId, "document.readyState") == "complete";
        });
    }));
    struct Owner : FrameManagerOwner {
        void SetStatusText(const text::Text&) override {}
        void PassFillResult(bool) override {}
        DocumentRef browserDocument() override { return access->topDocument(id); }
        std::shared_ptr<LivePageAccess> access;
        std::string id;
    } owner;
    owner.access = access;
    owner.id = id;
    clsFrameManager manager;
    manager.ParentForm = &owner;
    manager.InputMode = 2;
    manager.setUserInfo(bar.persons[0]);
    EXPECT_TRUE(manager.Fill());
    std::vector<std::string> urls;
    for (const auto& frame : manager.frames()) urls.push_back(text::toUtf8(frame->URL));
    const std::string cross = server->url("/form.html", "localhost");
    EXPECT_EQ(urls, (std::vector<std::string>{server->url("/set.html"), server->url("/form.html"),
                                              server->url("/leaf.html"), server->url("/inner.html"), cross}));
    // The same-site frame shows the address of the first frame, so the one reader of that address
    // took its document last and fills it; the first frame stays as it was. The cross-site frame was
    // read and filled on its own session.
    EXPECT_EQ(evaluate(frameIdNamed(id, "cross"), "document.querySelector('[name=simei]').value"),
              "山田　太郎");
    EXPECT_EQ(evaluate(frameIdNamed(id, "same"), "document.querySelector('[name=simei]').value"),
              "山田　太郎");
    EXPECT_EQ(evaluate(frameIdNamed(id, "one"), "document.querySelector('[name=simei]').value"), "");
}

// Tests that a hundred inline frames are all collected through the library's slots.
TEST_F(BrowserLiveTest, HundredFrames) {
    const std::string id = openLoaded(server->url("/many.html"));
    ASSERT_TRUE(wait([&] { return session->frames(id).size() == kManyFrames + 1; }));
    DocumentRef top = access->topDocument(id);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->framesLength(), kManyFrames);
    struct Owner : FrameManagerOwner {
        void SetStatusText(const text::Text&) override {}
        void PassFillResult(bool) override {}
        DocumentRef browserDocument() override { return top; }
        DocumentRef top;
    } owner;
    owner.top = top;
    clsFrameManager manager;
    manager.ParentForm = &owner;
    manager.InputMode = 2;
    manager.RefreshFrames();
    ASSERT_EQ(manager.frames().size(), static_cast<std::size_t>(kManyFrames + 1));
    EXPECT_EQ(text::toUtf8(manager.frames()[kManyFrames]->URL),
              server->url("/leaf.html?" + std::to_string(kManyFrames - 1)));
}

// Tests that a frame that navigates after its form is submitted is read again and filled.
TEST_F(BrowserLiveTest, FrameNavigatesAfterSubmit) {
    settings::globals().ControlPanelMode = 0;
    links::clsLink link;
    link.InputMode = 1;
    clsInputForm& form = openWatched(server->url("/inner.html"), link);
    ASSERT_TRUE(wait([&] { return bar.hits >= 2; })) << bar.hits;  // the same-site and cross-site frames
    const std::string same = frameIdNamed(form.Browser(), "same");
    ASSERT_FALSE(same.empty());
    const int hits = bar.hits;
    evaluate(same, "document.getElementById('go').click(), true");
    ASSERT_TRUE(wait([&] { return bar.hits > hits; }));
    EXPECT_EQ(evaluate(same, "location.pathname + ' ' + document.querySelector('[name=simei]').value"),
              "/done.html 山田　太郎");
}

// Tests the control-panel frameset end to end: the page goes into the content frame and is filled,
// the header shows the persons, a person command fills with the second person, and the record
// command records the content page.
TEST_F(BrowserLiveTest, HeaderFramesetProtocol) {
    settings::globals().ControlPanelMode = 2;
    settings::globals().Hist = false;
    // The browser reports addresses in their normal form, so the link's must be one too.
    const std::string folder =
        std::filesystem::weakly_canonical(std::string(ORVEX_RESOURCES_DIR) + "/control02").string() + "/";
    links::clsLink link;
    link.InputMode = 1;
    link.FrameURL = settings::fileUrl(folder + "index.htm");
    link.setHeaderURL(settings::fileUrl(folder + "header.htm"));
    clsInputForm& form = openWatched(server->url("/form.html"), link);
    const std::string id = form.Browser();
    ASSERT_TRUE(wait([&] { return bar.hits > 0; })) << "no fill";
    const std::string contents = frameIdNamed(id, "qzt00contents");
    const std::string header = frameIdNamed(id, "qzt00header");
    ASSERT_FALSE(contents.empty());
    ASSERT_FALSE(header.empty());
    EXPECT_EQ(evaluate(contents, "location.href"), server->url("/form.html"));
    EXPECT_EQ(evaluate(contents, "document.querySelector('[name=simei]').value"), "山田　太郎");
    EXPECT_EQ(evaluate(header, "document.getElementById('qzt00user1').innerText"), "鈴木花子");
    EXPECT_EQ(form.DestURL, text::fromUtf8(server->url("/form.html")));

    evaluate(header, "document.getElementById('qzt00user1').click(), true");
    ASSERT_TRUE(wait(
        [&] { return evaluate(contents, "document.querySelector('[name=simei]').value") == "鈴木　花子"; }));
    evaluate(header, "document.getElementById('qzt00rec').click(), true");
    ASSERT_TRUE(wait([&] { return !bar.records.empty(); }));
    EXPECT_EQ(bar.records[0].URL, text::fromUtf8(server->url("/form.html")));
    EXPECT_EQ(bar.records[0].SiteName, u"Entry");
    // The header page itself stayed where it was.
    EXPECT_EQ(evaluate(header, "location.href"), text::toUtf8(link.HeaderURL()));
}

// Tests that a mail link clicked in an automatic window opens the rewritten address exactly once.
TEST_F(BrowserLiveTest, MailtoRewrittenOnce) {
    settings::globals().ControlPanelMode = 0;
    links::clsLink link;
    link.InputMode = 1;
    clsInputForm& form = openWatched(server->url("/mail.html"), link);
    const std::string id = form.Browser();
    const std::string page = server->url("/mail.html");
    ASSERT_TRUE(wait(
        [&] { return evaluate(id, "document.readyState + ' ' + location.href") == "complete " + page; }));
    const json box = evaluate(id,
                              "(() => { const r = document.getElementById('m').getBoundingClientRect();"
                              " return {x: r.left + 5, y: r.top + 5}; })()");
    ASSERT_TRUE(box.is_object());
    int answered = 0;
    for (const char* type : {"mousePressed", "mouseReleased"}) {
        host->client().send(
            "Input.dispatchMouseEvent",
            {{"type", type}, {"x", box["x"]}, {"y", box["y"]}, {"button", "left"}, {"clickCount", 1}},
            host->session().sessionOfFrame(id), [&](const devtools::Reply&) { ++answered; });
    }
    const auto isMail = [](const std::string& url) { return url.rfind("mailto:", 0) == 0; };
    ASSERT_TRUE(
        wait([&] { return std::any_of(session->navigations.begin(), session->navigations.end(), isMail); }));
    wait([] { return false; }, kQuietMs);
    const auto count = std::count_if(session->navigations.begin(), session->navigations.end(), isMail);
    EXPECT_EQ(count, 1);
    const auto mail = std::find_if(session->navigations.begin(), session->navigations.end(), isMail);
    EXPECT_EQ(mail->rfind("mailto:prize@example.jp?subject=Present&body=", 0), 0u) << *mail;
    EXPECT_EQ(form.mailCounter(), 1);
}

}  // namespace
}  // namespace orvex::browser
