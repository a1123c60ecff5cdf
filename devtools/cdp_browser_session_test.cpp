#include "devtools/cdp_browser_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devtools/fake_transport.h"
#include "devtools/watch_script.h"

namespace orvex::devtools {
namespace {

using nlohmann::json;

// Records every event; decides navigations as told.
class RecordingObserver : public BrowserEvents {
  public:
    void windowOpened(const WindowInfo& w) override {
        log.push_back("opened " + w.windowId + " opener=" + w.openerId);
        if (onOpened) onOpened(w);
    }
    void windowChanged(const WindowInfo& w) override {
        log.push_back("changed " + w.windowId + " " + w.title);
    }
    void windowClosed(const std::string& id) override { log.push_back("closed " + id); }
    NavigationDecision navigationRequested(const NavigationRequest& r) override {
        requests.push_back(r);
        return decision;
    }
    void frameNavigated(const FrameInfo& f) override {
        log.push_back("navigated " + f.frameId + " " + f.url);
    }
    void frameLoaded(const FrameInfo& f) override { log.push_back("loaded " + f.frameId + " " + f.url); }
    void frameStartedLoading(const FrameInfo& f) override { log.push_back("start " + f.frameId); }
    void frameStoppedLoading(const FrameInfo& f) override { log.push_back("stop " + f.frameId); }
    void mailtoClicked(const FrameInfo& f, const std::string& url) override {
        log.push_back("mailto " + f.windowId + "/" + f.frameId + " " + url);
    }
    void windowFocused(const std::string& id) override { log.push_back("focus " + id); }
    void browserClosed(const std::string& reason) override { log.push_back("browser closed " + reason); }
    void dialogOpened(const DialogInfo& d) override {
        log.push_back("dialog " + d.windowId + " " + d.type + " " + d.message +
                      (d.accepted ? " accepted" : ""));
    }
    void dialogClosed(const std::string& id) override { log.push_back("dialog closed " + id); }

    std::vector<std::string> log;
    std::vector<NavigationRequest> requests;
    NavigationDecision decision;
    std::function<void(const WindowInfo&)> onOpened;
};

// A scripted browser: answers every request with an empty result unless told otherwise.
class CdpBrowserSessionTest : public ::testing::Test {
  protected:
    using Answer = std::function<json(const json& request)>;

    CdpBrowserSessionTest() {
        auto transport = std::make_unique<FakeTransport>();
        fake = transport.get();
        client = std::make_unique<Client>(std::move(transport));
        fake->onSend = [this](const json& request) { answer(request); };
        session = std::make_unique<CdpBrowserSession>(*client, [this] { return now; });
        session->setObserver(&observer);
        session->start();
        pump();
    }

    void answer(const json& request) {
        const std::string method = request.value("method", std::string());
        json reply = {{"id", request["id"]}, {"result", json::object()}};
        if (const auto it = answers.find(method); it != answers.end()) {
            const json body = it->second(request);
            if (body.is_null()) return;  // no answer at all
            reply.erase("result");
            reply.update(body);
        }
        if (request.contains("sessionId")) reply["sessionId"] = request["sessionId"];
        fake->receiveJson(reply);
    }

    void pump() { client->pump(0); }

    void event(const std::string& method, const json& params, const std::string& sessionId = {}) {
        json message = {{"method", method}, {"params", params}};
        if (!sessionId.empty()) message["sessionId"] = sessionId;
        fake->receiveJson(message);
        pump();
    }

    void attach(const std::string& parentSession, const std::string& sessionId, const std::string& targetId,
                const std::string& type, const std::string& opener = {},
                const std::string& parentFrame = {}) {
        json info = {{"targetId", targetId}, {"type", type}, {"url", ""}, {"title", ""}};
        if (!opener.empty()) info["openerId"] = opener;
        if (!parentFrame.empty()) info["parentFrameId"] = parentFrame;
        event("Target.attachedToTarget",
              {{"sessionId", sessionId}, {"targetInfo", info}, {"waitingForDebugger", true}}, parentSession);
    }

    void navigated(const std::string& sessionId, const std::string& frameId, const std::string& loaderId,
                   const std::string& url, const std::string& parentId = {}, const std::string& name = {}) {
        json frame = {{"id", frameId}, {"loaderId", loaderId}, {"url", url}, {"name", name}};
        if (!parentId.empty()) frame["parentId"] = parentId;
        event("Page.frameNavigated", {{"frame", frame}}, sessionId);
    }

    void load(const std::string& sessionId, const std::string& frameId, const std::string& loaderId) {
        event("Page.lifecycleEvent", {{"frameId", frameId}, {"loaderId", loaderId}, {"name", "load"}},
              sessionId);
    }

    std::vector<json> sentOn(const std::string& method, const std::string& sessionId) const {
        std::vector<json> result;
        for (const auto& m : fake->sentWithMethod(method)) {
            if (m.value("sessionId", std::string()) == sessionId) result.push_back(m);
        }
        return result;
    }

    bool logged(const std::string& line) const {
        return std::find(observer.log.begin(), observer.log.end(), line) != observer.log.end();
    }

    FakeTransport* fake = nullptr;
    std::unique_ptr<Client> client;
    std::unique_ptr<CdpBrowserSession> session;
    RecordingObserver observer;
    std::map<std::string, Answer> answers;
    // The session's clock, moved on by the tests.
    std::chrono::steady_clock::time_point now{};
};

// Tests that start turns on discovery, Document interception and paused flat auto-attach, then is ready.
TEST_F(CdpBrowserSessionTest, StartSetsUpTheBrowserSession) {
    EXPECT_TRUE(session->isReady());
    const auto fetch = sentOn("Fetch.enable", "");
    ASSERT_EQ(fetch.size(), 1u);
    EXPECT_EQ(fetch[0]["params"]["patterns"][0]["resourceType"], "Document");
    const auto attach = sentOn("Target.setAutoAttach", "");
    ASSERT_EQ(attach.size(), 1u);
    EXPECT_EQ(attach[0]["params"]["waitForDebuggerOnStart"], true);
    EXPECT_EQ(attach[0]["params"]["flatten"], true);
    EXPECT_EQ(sentOn("Target.setDiscoverTargets", "").size(), 1u);
}

// Tests that a refused setup step leaves the session not ready, with the reason.
TEST(CdpBrowserSessionStartTest, RefusedSetupIsNotReady) {
    auto transport = std::make_unique<FakeTransport>();
    FakeTransport* fake = transport.get();
    Client client(std::move(transport));
    fake->onSend = [fake](const json& m) {
        if (m["method"] == "Fetch.enable") {
            fake->receiveJson({{"id", m["id"]}, {"error", {{"code", -32000}, {"message", "no"}}}});
        } else {
            fake->receiveJson({{"id", m["id"]}, {"result", json::object()}});
        }
    };
    CdpBrowserSession session(client);
    session.start();
    client.pump(0);
    EXPECT_FALSE(session.isReady());
    EXPECT_NE(session.startError().find("no"), std::string::npos);
}

// Tests that a new page is set up on its own session before it runs, and reported before release.
TEST_F(CdpBrowserSessionTest, NewPageIsSetUpBeforeItRuns) {
    std::size_t releasesAtOpen = 99;
    observer.onOpened = [&](const WindowInfo&) {
        releasesAtOpen = sentOn("Runtime.runIfWaitingForDebugger", "S1").size();
    };
    attach("", "S1", "T1", "page");
    EXPECT_EQ(releasesAtOpen, 0u);
    EXPECT_EQ(sentOn("Runtime.runIfWaitingForDebugger", "S1").size(), 1u);
    EXPECT_EQ(sentOn("Page.enable", "S1").size(), 1u);
    EXPECT_EQ(sentOn("Runtime.enable", "S1").size(), 1u);
    EXPECT_EQ(sentOn("Page.setLifecycleEventsEnabled", "S1").size(), 1u);
    const auto binding = sentOn("Runtime.addBinding", "S1");
    ASSERT_EQ(binding.size(), 1u);
    EXPECT_EQ(binding[0]["params"]["executionContextName"], kWatchWorld);
    const auto script = sentOn("Page.addScriptToEvaluateOnNewDocument", "S1");
    ASSERT_EQ(script.size(), 1u);
    EXPECT_EQ(script[0]["params"]["worldName"], kWatchWorld);
    const auto frames = sentOn("Target.setAutoAttach", "S1");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]["params"]["filter"][0]["type"], "iframe");
    ASSERT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(session->windows()[0].windowId, "T1");
}

// Tests that the page starts only after the last setup answer, even when answers come late.
TEST_F(CdpBrowserSessionTest, PageWaitsForTheLastSetupAnswer) {
    std::vector<json> held;
    answers["Page.getFrameTree"] = [&](const json& request) {
        held.push_back(request);
        return json();  // answered later
    };
    attach("", "S1", "T1", "page");
    EXPECT_TRUE(observer.log.empty());
    EXPECT_TRUE(sentOn("Runtime.runIfWaitingForDebugger", "S1").empty());
    ASSERT_EQ(held.size(), 1u);
    event("Page.frameStartedLoading", {{"frameId", "T1"}}, "S1");  // events flow meanwhile
    fake->receiveJson({{"id", held[0]["id"]},
                       {"result", {{"frameTree", {{"frame", {{"id", "T1"}}}}}}},
                       {"sessionId", "S1"}});
    pump();
    EXPECT_TRUE(logged("opened T1 opener="));
    EXPECT_EQ(sentOn("Runtime.runIfWaitingForDebugger", "S1").size(), 1u);
}

// Tests that a popup is reported with its opener and stays paused while held, until released.
TEST_F(CdpBrowserSessionTest, PopupHeldUntilReleased) {
    attach("", "S1", "T1", "page");
    observer.onOpened = [&](const WindowInfo& w) {
        if (w.windowId == "T2") session->holdWindow("T2");
    };
    attach("", "S2", "T2", "page", "T1");
    EXPECT_TRUE(logged("opened T2 opener=T1"));
    EXPECT_TRUE(sentOn("Runtime.runIfWaitingForDebugger", "S2").empty());
    session->releaseWindow("T2");
    EXPECT_EQ(sentOn("Runtime.runIfWaitingForDebugger", "S2").size(), 1u);
    session->releaseWindow("T2");  // not held any more
    EXPECT_EQ(sentOn("Runtime.runIfWaitingForDebugger", "S2").size(), 1u);
}

// Tests that load is reported once per navigated document, never for the initial empty one.
TEST_F(CdpBrowserSessionTest, LoadMatchesTheNavigatedDocument) {
    attach("", "S1", "T1", "page");
    load("S1", "T1", "L0");  // initial about:blank
    EXPECT_FALSE(logged("loaded T1 about:blank"));
    navigated("S1", "T1", "L1", "http://a/");
    load("S1", "T1", "L0");  // a late load of the old document
    EXPECT_EQ(std::count_if(observer.log.begin(), observer.log.end(),
                            [](const std::string& l) { return l.rfind("loaded", 0) == 0; }),
              0);
    load("S1", "T1", "L1");
    load("S1", "T1", "L1");
    EXPECT_EQ(std::count(observer.log.begin(), observer.log.end(), "loaded T1 http://a/"), 1);
    event("Page.lifecycleEvent", {{"frameId", "T1"}, {"loaderId", "L1"}, {"name", "DOMContentLoaded"}}, "S1");
    EXPECT_EQ(std::count(observer.log.begin(), observer.log.end(), "loaded T1 http://a/"), 1);
}

// Tests that navigation requests are answered by the observer's decisions.
TEST_F(CdpBrowserSessionTest, NavigationDecisions) {
    attach("", "S1", "T1", "page");
    navigated("S1", "T1", "L1", "http://a/");
    event("Page.frameAttached", {{"frameId", "F1"}, {"parentFrameId", "T1"}}, "S1");
    navigated("S1", "F1", "L2", "http://a/f", "T1", "qzt00contents");
    auto paused = [&](const std::string& id, const std::string& frame, const std::string& url) {
        event("Fetch.requestPaused", {{"requestId", id},
                                      {"frameId", frame},
                                      {"resourceType", "Document"},
                                      {"request", {{"url", url}, {"method", "GET"}}}});
    };
    observer.decision = NavigationDecision::cancel();
    paused("R1", "T1", "http://b/");
    const auto failed = sentOn("Fetch.failRequest", "");
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0]["params"]["errorReason"], "Aborted");
    ASSERT_EQ(observer.requests.size(), 1u);
    EXPECT_EQ(observer.requests[0].windowId, "T1");
    EXPECT_TRUE(observer.requests[0].topLevel);

    observer.decision = NavigationDecision::redirect("http://c/");
    paused("R2", "F1", "http://b/");
    const auto fulfilled = sentOn("Fetch.fulfillRequest", "");
    ASSERT_EQ(fulfilled.size(), 1u);
    EXPECT_EQ(fulfilled[0]["params"]["responseCode"], 302);
    EXPECT_EQ(fulfilled[0]["params"]["responseHeaders"][0]["name"], "Location");
    EXPECT_EQ(fulfilled[0]["params"]["responseHeaders"][0]["value"], "http://c/");
    EXPECT_FALSE(observer.requests[1].topLevel);
    EXPECT_EQ(observer.requests[1].frameName, "qzt00contents");
    EXPECT_EQ(observer.requests[1].windowId, "T1");

    observer.decision = NavigationDecision::defer();
    paused("R3", "T1", "http://d/");
    EXPECT_TRUE(sentOn("Fetch.continueRequest", "").empty());
    session->decideNavigation("R3", NavigationDecision::proceed());
    session->decideNavigation("R3", NavigationDecision::cancel());  // already decided
    session->decideNavigation("R9", NavigationDecision::cancel());  // never paused
    EXPECT_EQ(sentOn("Fetch.continueRequest", "").size(), 1u);
    EXPECT_EQ(sentOn("Fetch.failRequest", "").size(), 1u);
}

// Tests that a navigation of an unknown frame goes on when there is no observer.
TEST_F(CdpBrowserSessionTest, NavigationWithoutObserverContinues) {
    session->setObserver(nullptr);
    event("Fetch.requestPaused",
          {{"requestId", "R1"}, {"frameId", "X"}, {"request", {{"url", "http://x/"}}}});
    EXPECT_EQ(sentOn("Fetch.continueRequest", "").size(), 1u);
}

// Tests that a cross-site frame gets its own session and evaluation is routed to it.
TEST_F(CdpBrowserSessionTest, OutOfProcessFrameIsEvaluatedOnItsSession) {
    long long nextContext = 10;
    answers["Page.createIsolatedWorld"] = [&](const json&) {
        return json{{"result", {{"executionContextId", nextContext++}}}};
    };
    answers["Runtime.evaluate"] = [&](const json& request) {
        return json{{"result", {{"result", {{"type", "string"}, {"value", request["sessionId"]}}}}}};
    };
    attach("", "S1", "T1", "page");
    navigated("S1", "T1", "L1", "http://127.0.0.1/x");
    event("Page.frameAttached", {{"frameId", "F1"}, {"parentFrameId", "T1"}}, "S1");
    attach("S1", "S2", "F1", "iframe", {}, "T1");
    EXPECT_EQ(sentOn("Page.enable", "S2").size(), 1u);
    EXPECT_EQ(sentOn("Runtime.runIfWaitingForDebugger", "S2").size(), 1u);
    event("Page.frameDetached", {{"frameId", "F1"}, {"reason", "swap"}}, "S1");
    navigated("S2", "F1", "L2", "http://localhost/f", "T1");
    EXPECT_EQ(session->sessionOfFrame("F1"), "S2");

    std::vector<EvalResult> results;
    session->evaluate("F1", "1", [&](const EvalResult& r) { results.push_back(r); });
    session->evaluate("T1", "1", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].value, "S2");
    EXPECT_EQ(results[1].value, "S1");
    const auto worlds = sentOn("Page.createIsolatedWorld", "S2");
    ASSERT_EQ(worlds.size(), 1u);
    EXPECT_EQ(worlds[0]["params"]["worldName"], kReaderWorld);
    EXPECT_EQ(sentOn("Runtime.evaluate", "S2")[0]["params"]["contextId"], 10);

    // Same document: the world is reused; a new document gets a new world.
    session->evaluate("F1", "2", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    EXPECT_EQ(sentOn("Page.createIsolatedWorld", "S2").size(), 1u);
    navigated("S2", "F1", "L3", "http://localhost/g", "T1");
    session->evaluate("F1", "3", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    EXPECT_EQ(sentOn("Page.createIsolatedWorld", "S2").size(), 2u);
    ASSERT_EQ(session->frames("T1").size(), 2u);
    EXPECT_EQ(session->frames("T1")[1].url, "http://localhost/g");
}

// Tests that a lost context is replaced once, and exceptions and unknown frames give errors.
TEST_F(CdpBrowserSessionTest, EvaluationErrors) {
    int worlds = 0;
    answers["Page.createIsolatedWorld"] = [&](const json&) {
        ++worlds;
        return json{{"result", {{"executionContextId", worlds}}}};
    };
    answers["Runtime.evaluate"] = [&](const json& request) {
        if (request["params"]["contextId"] == 1) {
            return json{{"error", {{"code", -32000}, {"message", "Cannot find context with specified id"}}}};
        }
        if (request["params"]["expression"] == "throw") {
            return json{{"result",
                         {{"result", {{"type", "object"}}},
                          {"exceptionDetails",
                           {{"text", "Uncaught"}, {"exception", {{"description", "Error: x"}}}}}}}};
        }
        return json{{"result", {{"result", {{"type", "object"}, {"value", {{"a", 1}}}}}}}};
    };
    attach("", "S1", "T1", "page");
    navigated("S1", "T1", "L1", "http://a/");
    std::vector<EvalResult> results;
    session->evaluate("T1", "ok", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].ok);
    EXPECT_EQ(results[0].value, (json{{"a", 1}}));
    EXPECT_EQ(worlds, 2);

    session->evaluate("T1", "throw", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[1].ok);
    EXPECT_EQ(results[1].error, "Error: x");

    session->evaluate("nope", "1", [&](const EvalResult& r) { results.push_back(r); });
    EXPECT_EQ(results.size(), 2u);  // never from inside evaluate()
    pump();
    ASSERT_EQ(results.size(), 3u);
    EXPECT_FALSE(results[2].ok);
}

// Tests that the reader script goes to every target before it runs and to those already attached,
// and that the world it makes is used without a round trip to make one; other worlds are not.
TEST_F(CdpBrowserSessionTest, ReaderScriptWorldIsUsedAtOnce) {
    answers["Runtime.evaluate"] = [&](const json& request) {
        return json{
            {"result", {{"result", {{"type", "number"}, {"value", request["params"]["contextId"]}}}}}};
    };
    answers["Page.addScriptToEvaluateOnNewDocument"] = [&](const json& request) {
        return json{{"result", {{"identifier", request["params"]["source"]}}}};
    };
    attach("", "S1", "T1", "page");
    EXPECT_EQ(sentOn("Page.addScriptToEvaluateOnNewDocument", "S1").size(), 1u);  // the watch script only
    session->setReaderScript("reader one");
    session->setReaderScript("reader one");  // the same again: nothing new
    auto scripts = sentOn("Page.addScriptToEvaluateOnNewDocument", "S1");
    ASSERT_EQ(scripts.size(), 2u);
    EXPECT_EQ(scripts[1]["params"]["worldName"], kReaderWorld);
    EXPECT_EQ(scripts[1]["params"]["source"], "reader one");
    EXPECT_EQ(scripts[1]["params"]["runImmediately"], true);

    // A new target gets it before it is let run.
    std::size_t scriptsAtRelease = 0;
    fake->onSend = [&](const json& request) {
        if (request.value("method", "") == "Runtime.runIfWaitingForDebugger" &&
            request.value("sessionId", "") == "S2")
            scriptsAtRelease = sentOn("Page.addScriptToEvaluateOnNewDocument", "S2").size();
        answer(request);
    };
    attach("", "S2", "T2", "page");
    EXPECT_EQ(scriptsAtRelease, 2u);

    navigated("S1", "T1", "L1", "http://a/");
    const auto context = [](long long id, const char* name) {
        return json{{"context",
                     {{"id", id}, {"name", name}, {"auxData", {{"frameId", "T1"}, {"isDefault", false}}}}}};
    };
    event("Runtime.executionContextCreated", context(7, kWatchWorld), "S1");
    event("Runtime.executionContextCreated", context(8, kReaderWorld), "S1");
    std::vector<EvalResult> results;
    session->evaluate("T1", "1", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].value, 8);
    EXPECT_TRUE(sentOn("Page.createIsolatedWorld", "S1").empty());

    // Its world goes with the document; the next document's evaluations wait for a new one.
    event("Runtime.executionContextDestroyed", {{"executionContextId", 8}}, "S1");
    answers["Page.createIsolatedWorld"] = [&](const json&) {
        return json{{"result", {{"executionContextId", 20}}}};
    };
    session->evaluate("T1", "2", [&](const EvalResult& r) { results.push_back(r); });
    pump();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].value, 20);
    EXPECT_EQ(sentOn("Page.createIsolatedWorld", "S1").size(), 1u);

    // A replaced script is taken out first.
    session->setReaderScript("reader two");
    const auto removed = sentOn("Page.removeScriptToEvaluateOnNewDocument", "S1");
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0]["params"]["identifier"], "reader one");
}

// Tests that the load call is made once the reader world of a navigated document exists, is
// awaited only after that document's load, is handed out once, and is dropped with its document;
// initial empty documents get none.
TEST_F(CdpBrowserSessionTest, LoadCallOfEachNewDocument) {
    std::vector<json> held;
    answers["Runtime.evaluate"] = [&](const json& request) {
        held.push_back(request);
        return json();  // answered by the test
    };
    session->setLoadCall("LOAD");
    attach("", "S1", "T1", "page");
    const auto readerContext = [](long long id, const char* frame) {
        return json{{"context", {{"id", id}, {"name", kReaderWorld}, {"auxData", {{"frameId", frame}}}}}};
    };
    // The browser answers the held load call `request` with the string `value`.
    const auto answer = [&](const json& request, const char* value) {
        fake->receiveJson({{"id", request["id"]},
                           {"sessionId", "S1"},
                           {"result", {{"result", {{"type", "string"}, {"value", value}}}}}});
        pump();
    };
    event("Runtime.executionContextCreated", readerContext(3, "T1"), "S1");  // the initial document
    EXPECT_TRUE(held.empty());

    navigated("S1", "T1", "L1", "http://a/");
    event("Runtime.executionContextCreated", readerContext(4, "T1"), "S1");
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0]["params"]["expression"], "LOAD");
    EXPECT_EQ(held[0]["params"]["contextId"], 4);
    EXPECT_EQ(held[0]["params"]["awaitPromise"], true);
    LoadCallState state = session->takeLoadCall("T1");
    EXPECT_FALSE(state.pending);  // no load yet: not worth waiting for
    EXPECT_FALSE(state.result);
    load("S1", "T1", "L1");
    EXPECT_TRUE(session->takeLoadCall("T1").pending);
    answer(held[0], "read");
    state = session->takeLoadCall("T1");
    EXPECT_FALSE(state.pending);
    ASSERT_TRUE(state.result);
    EXPECT_EQ(state.result->value, "read");
    EXPECT_FALSE(session->takeLoadCall("T1").result);  // once only

    // A document replaced before the answer came: the late answer is not the new document's.
    navigated("S1", "T1", "L2", "http://b/");
    event("Runtime.executionContextCreated", readerContext(5, "T1"), "S1");
    ASSERT_EQ(held.size(), 2u);
    navigated("S1", "T1", "L3", "http://c/");
    answer(held[1], "old");
    state = session->takeLoadCall("T1");
    EXPECT_FALSE(state.pending);
    EXPECT_FALSE(state.result);

    // An answer left untaken for longer than the freshness limit is not handed out: the page may
    // have changed since it was read, so the caller reads it afresh.
    navigated("S1", "T1", "L4", "http://d/");
    event("Runtime.executionContextCreated", readerContext(6, "T1"), "S1");
    ASSERT_EQ(held.size(), 3u);
    load("S1", "T1", "L4");
    answer(held[2], "stale");
    now += std::chrono::milliseconds(kLoadCallFreshMs + 1);
    state = session->takeLoadCall("T1");
    EXPECT_FALSE(state.pending);
    EXPECT_FALSE(state.result);

    // Its near miss: an answer taken right at the limit is still handed out.
    navigated("S1", "T1", "L5", "http://e/");
    event("Runtime.executionContextCreated", readerContext(7, "T1"), "S1");
    ASSERT_EQ(held.size(), 4u);
    load("S1", "T1", "L5");
    answer(held[3], "fresh");
    now += std::chrono::milliseconds(kLoadCallFreshMs);
    state = session->takeLoadCall("T1");
    ASSERT_TRUE(state.result);
    EXPECT_EQ(state.result->value, "fresh");
}

// Tests that a page's dialog is left to the user, keeping the window's frames waiting until it
// closes, or, with the accepting policy, answered at once on the window's session.
TEST_F(CdpBrowserSessionTest, JavaScriptDialogs) {
    attach("", "S1", "T1", "page");
    navigated("S1", "T1", "L1", "http://a/");
    event("Page.frameAttached", {{"frameId", "F1"}, {"parentFrameId", "T1"}}, "S1");
    const json alert = {{"type", "alert"}, {"message", "hello"}, {"url", "http://a/"}, {"defaultPrompt", ""}};
    event("Page.javascriptDialogOpening", alert, "S1");
    EXPECT_TRUE(logged("dialog T1 alert hello"));
    EXPECT_TRUE(session->dialogOpenFor("F1"));
    EXPECT_TRUE(sentOn("Page.handleJavaScriptDialog", "S1").empty());
    event("Page.javascriptDialogClosed", {{"result", true}, {"userInput", ""}}, "S1");
    EXPECT_TRUE(logged("dialog closed T1"));
    EXPECT_FALSE(session->dialogOpenFor("F1"));

    session->setDialogPolicy(DialogPolicy::Accept);
    event("Page.javascriptDialogOpening",
          {{"type", "prompt"}, {"message", "name?"}, {"url", "http://a/"}, {"defaultPrompt", "x"}}, "S1");
    EXPECT_TRUE(logged("dialog T1 prompt name? accepted"));
    const auto answers = sentOn("Page.handleJavaScriptDialog", "S1");
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0]["params"]["accept"], true);
    EXPECT_EQ(answers[0]["params"]["promptText"], "x");
    EXPECT_FALSE(session->dialogOpenFor("T2"));  // another window is not held up
}

// Tests that watch-script reports become mailto and focus events of the right frame and window.
TEST_F(CdpBrowserSessionTest, BindingReports) {
    attach("", "S1", "T1", "page");
    navigated("S1", "T1", "L1", "http://a/");
    event("Page.frameAttached", {{"frameId", "F1"}, {"parentFrameId", "T1"}}, "S1");
    navigated("S1", "F1", "L2", "http://a/f", "T1");
    event("Runtime.executionContextCreated",
          {{"context", {{"id", 7}, {"name", kWatchWorld}, {"auxData", {{"frameId", "F1"}}}}}}, "S1");
    auto call = [&](const std::string& name, const std::string& payload) {
        event("Runtime.bindingCalled", {{"name", name}, {"payload", payload}, {"executionContextId", 7}},
              "S1");
    };
    call(kBindingName, R"({"kind":"mailto","url":"mailto:a@b.jp"})");
    call(kBindingName, R"({"kind":"focus"})");
    call("otherBinding", R"({"kind":"mailto","url":"mailto:x@y.jp"})");
    call(kBindingName, R"j({"kind":"mailto","url":"javascript:alert(1)"})j");
    EXPECT_TRUE(logged("mailto T1/F1 mailto:a@b.jp"));
    EXPECT_TRUE(logged("focus T1"));
    EXPECT_FALSE(logged("mailto T1/F1 mailto:x@y.jp"));
    EXPECT_EQ(std::count_if(observer.log.begin(), observer.log.end(),
                            [](const std::string& l) { return l.rfind("mailto", 0) == 0; }),
              1);
}

// Tests the frame tree order, and that removal drops a subtree while a process swap keeps the frame.
TEST_F(CdpBrowserSessionTest, FrameTree) {
    attach("", "S1", "T1", "page");
    navigated("S1", "T1", "L1", "http://a/");
    event("Page.frameAttached", {{"frameId", "A"}, {"parentFrameId", "T1"}}, "S1");
    event("Page.frameAttached", {{"frameId", "B"}, {"parentFrameId", "T1"}}, "S1");
    event("Page.frameAttached", {{"frameId", "A1"}, {"parentFrameId", "A"}}, "S1");
    std::vector<std::string> order;
    for (const auto& f : session->frames("T1")) order.push_back(f.frameId);
    EXPECT_EQ(order, (std::vector<std::string>{"T1", "A", "A1", "B"}));
    event("Page.frameDetached", {{"frameId", "B"}, {"reason", "swap"}}, "S1");
    event("Page.frameDetached", {{"frameId", "A"}, {"reason", "remove"}}, "S1");
    order.clear();
    for (const auto& f : session->frames("T1")) order.push_back(f.frameId);
    EXPECT_EQ(order, (std::vector<std::string>{"T1", "B"}));
    EXPECT_TRUE(session->frames("unknown").empty());
}

// Tests that closing a window and the browser's death are reported, the latter after every window.
TEST_F(CdpBrowserSessionTest, ClosingAndBrowserDeath) {
    attach("", "S1", "T1", "page");
    attach("", "S2", "T2", "page");
    event("Target.targetInfoChanged",
          {{"targetInfo", {{"targetId", "T2"}, {"type", "page"}, {"title", "Hi"}}}});
    EXPECT_TRUE(logged("changed T2 Hi"));
    event("Target.targetDestroyed", {{"targetId", "T1"}});
    EXPECT_TRUE(logged("closed T1"));
    EXPECT_EQ(session->windows().size(), 1u);
    fake->closeFromBrowser("gone");
    pump();
    pump();
    ASSERT_GE(observer.log.size(), 2u);
    EXPECT_EQ(observer.log[observer.log.size() - 2], "closed T2");
    EXPECT_EQ(observer.log.back(), "browser closed gone");
    EXPECT_TRUE(session->windows().empty());
}

// Tests window bounds: position and size go with the normal state, other states alone.
TEST_F(CdpBrowserSessionTest, WindowBounds) {
    answers["Browser.getWindowForTarget"] = [](const json&) {
        return json{
            {"result",
             {{"windowId", 42},
              {"bounds",
               {{"left", 1}, {"top", 2}, {"width", 300}, {"height", 200}, {"windowState", "normal"}}}}}};
    };
    attach("", "S1", "T1", "page");
    std::optional<WindowBounds> got;
    session->getWindowBounds("T1", [&](std::optional<WindowBounds> b) { got = b; });
    pump();
    ASSERT_TRUE(got);
    EXPECT_EQ(got->width, 300);
    bool accepted = false;
    session->setWindowBounds("T1", WindowBounds{5, 6, 700, 500, "normal"}, [&](bool ok) { accepted = ok; });
    pump();
    EXPECT_TRUE(accepted);
    session->setWindowBounds("T1", WindowBounds{5, 6, 700, 500, "minimized"}, {});
    pump();
    const auto set = sentOn("Browser.setWindowBounds", "");
    ASSERT_EQ(set.size(), 2u);
    EXPECT_EQ(set[0]["params"]["windowId"], 42);
    EXPECT_EQ(set[0]["params"]["bounds"]["width"], 700);
    EXPECT_FALSE(set[1]["params"]["bounds"].contains("width"));
    EXPECT_EQ(set[1]["params"]["bounds"]["windowState"], "minimized");
    session->bringToFront("T1");
    EXPECT_EQ(sentOn("Page.bringToFront", "S1").size(), 1u);
}

// Tests that targets the session does not follow are let run instead of staying paused.
TEST_F(CdpBrowserSessionTest, ForeignTargetsAreNotLeftPaused) {
    attach("", "S1", "T1", "page");
    attach("S1", "W1", "X1", "worker");
    EXPECT_EQ(sentOn("Runtime.runIfWaitingForDebugger", "W1").size(), 1u);
    EXPECT_EQ(sentOn("Target.detachFromTarget", "S1").size(), 1u);
    EXPECT_TRUE(sentOn("Page.enable", "W1").empty());
}

// Tests that navigate addresses the session that hosts the frame, and ignores a frame of another window.
TEST_F(CdpBrowserSessionTest, NavigateUsesTheFramesSession) {
    attach("", "S1", "T1", "page");
    event("Page.frameAttached", {{"frameId", "F1"}, {"parentFrameId", "T1"}}, "S1");
    attach("S1", "S2", "F1", "iframe", {}, "T1");
    session->navigate("T1", "http://x/");
    session->navigate("T1", "http://y/", "F1");
    session->navigate("T9", "http://z/", "F1");
    EXPECT_EQ(sentOn("Page.navigate", "S1").size(), 1u);
    const auto inFrame = sentOn("Page.navigate", "S2");
    ASSERT_EQ(inFrame.size(), 1u);
    EXPECT_EQ(inFrame[0]["params"]["frameId"], "F1");
}

}  // namespace
}  // namespace orvex::devtools
