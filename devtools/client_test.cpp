#include "devtools/client.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devtools/fake_transport.h"

namespace orvex::devtools {
namespace {

using nlohmann::json;

class ClientTest : public ::testing::Test {
  protected:
    ClientTest() {
        auto transport = std::make_unique<FakeTransport>();
        fake = transport.get();
        client = std::make_unique<Client>(std::move(transport));
        client->setProtocolErrorHandler([this](const std::string& what) { errors.push_back(what); });
    }

    FakeTransport* fake = nullptr;
    std::unique_ptr<Client> client;
    std::vector<std::string> errors;
};

// Tests that a request carries id, method, params and the session id, and the browser session none.
TEST_F(ClientTest, RequestsCarryIdMethodParamsAndSession) {
    const int first = client->send("Page.enable", json::object(), "S1");
    const int second = client->send("Target.getTargets");
    const auto sent = fake->sentJson();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0]["id"], first);
    EXPECT_EQ(sent[0]["method"], "Page.enable");
    EXPECT_EQ(sent[0]["sessionId"], "S1");
    EXPECT_EQ(sent[1]["id"], second);
    EXPECT_FALSE(sent[1].contains("sessionId"));
    EXPECT_NE(first, second);
}

// Tests that replies arriving out of order reach the callbacks of their own requests.
TEST_F(ClientTest, OutOfOrderRepliesReachTheirCallbacks) {
    std::vector<std::string> got;
    const int a =
        client->send("A", {}, {}, [&](const Reply& r) { got.push_back("A" + r.result["v"].dump()); });
    const int b =
        client->send("B", {}, {}, [&](const Reply& r) { got.push_back("B" + r.result["v"].dump()); });
    fake->receiveJson({{"id", b}, {"result", {{"v", 2}}}});
    fake->receiveJson({{"id", a}, {"result", {{"v", 1}}}});
    client->pump(0);
    EXPECT_EQ(got, (std::vector<std::string>{"B2", "A1"}));
    EXPECT_EQ(client->pendingCount(), 0u);
}

// Tests that an error reply is delivered to the callback with its code and message.
TEST_F(ClientTest, ErrorRepliesGoToTheCallback) {
    Reply reply;
    const int id = client->send("Nope.nope", {}, {}, [&](const Reply& r) { reply = r; });
    fake->receiveJson({{"id", id}, {"error", {{"code", -32601}, {"message", "'Nope.nope' wasn't found"}}}});
    client->pump(0);
    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.errorCode, -32601);
    EXPECT_EQ(reply.errorMessage, "'Nope.nope' wasn't found");
}

// Tests that a reply with the right id but from another session does not answer the request.
TEST_F(ClientTest, ReplyFromAnotherSessionIsRejected) {
    int calls = 0;
    const int id = client->send("Page.enable", json::object(), "S1", [&](const Reply&) { ++calls; });
    fake->receiveJson({{"id", id}, {"result", json::object()}, {"sessionId", "S2"}});
    client->pump(0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(errors.size(), 1u);
    fake->receiveJson({{"id", id}, {"result", json::object()}, {"sessionId", "S1"}});
    client->pump(0);
    EXPECT_EQ(calls, 1);
}

// Tests that events are routed to the handlers of their own session only.
TEST_F(ClientTest, EventsAreRoutedBySession) {
    std::vector<std::string> browser, s1, all;
    client->subscribe("", [&](const Event& e) { browser.push_back(e.method); });
    client->subscribe("S1", [&](const Event& e) { s1.push_back(e.method); });
    client->subscribeAll([&](const Event& e) { all.push_back(e.sessionId + ":" + e.method); });
    fake->receiveJson({{"method", "Target.targetCreated"}, {"params", json::object()}});
    fake->receiveJson({{"method", "Page.loadEventFired"}, {"params", json::object()}, {"sessionId", "S1"}});
    fake->receiveJson({{"method", "Page.frameNavigated"}, {"params", json::object()}, {"sessionId", "S2"}});
    client->pump(0);
    EXPECT_EQ(browser, std::vector<std::string>{"Target.targetCreated"});
    EXPECT_EQ(s1, std::vector<std::string>{"Page.loadEventFired"});
    EXPECT_EQ(all.size(), 3u);
}

// Tests that events arriving while a request is pending are delivered before its reply, in order.
TEST_F(ClientTest, EventsDuringPendingRequestKeepTheirOrder) {
    std::vector<std::string> order;
    client->subscribe("S1", [&](const Event& e) { order.push_back(e.method); });
    const int id =
        client->send("Page.navigate", {{"url", "x"}}, "S1", [&](const Reply&) { order.push_back("reply"); });
    fake->receiveJson(
        {{"method", "Page.frameStartedLoading"}, {"params", json::object()}, {"sessionId", "S1"}});
    fake->receiveJson({{"id", id}, {"result", json::object()}, {"sessionId", "S1"}});
    fake->receiveJson({{"method", "Page.frameNavigated"}, {"params", json::object()}, {"sessionId", "S1"}});
    client->pump(0);
    EXPECT_EQ(order, (std::vector<std::string>{"Page.frameStartedLoading", "reply", "Page.frameNavigated"}));
}

// Tests that a callback may send and wait for another request (nested pumping) without losing messages.
TEST_F(ClientTest, CallbackMayWaitForAnotherReply) {
    fake->onSend = [this](const json& m) {
        if (m["method"] == "Inner") fake->receiveJson({{"id", m["id"]}, {"result", {{"inner", true}}}});
    };
    bool innerDone = false;
    bool outerDone = false;
    const int outer = client->send("Outer", {}, {}, [&](const Reply&) {
        client->send("Inner", {}, {}, [&](const Reply& r) { innerDone = r.ok; });
        client->waitUntil([&] { return innerDone; }, 1000);
        outerDone = true;
    });
    fake->receiveJson({{"id", outer}, {"result", json::object()}});
    EXPECT_TRUE(client->waitUntil([&] { return outerDone; }, 1000));
    EXPECT_TRUE(innerDone);
}

// Tests that garbage, wrong shapes and unknown ids are reported and skipped, and good messages still flow.
TEST_F(ClientTest, GarbageIsReportedAndSkipped) {
    int replies = 0;
    const int id = client->send("A", {}, {}, [&](const Reply& r) { replies += r.ok ? 1 : 0; });
    fake->receive("{not json");
    fake->receive("[1,2,3]");
    fake->receive(R"({"id":"7","result":{}})");
    fake->receive(R"({"id":99999,"result":{}})");
    fake->receive(R"({"method":5})");
    fake->receive(R"({"method":"X","params":[1]})");
    fake->receive(R"({"method":"X","sessionId":12})");
    fake->receive(std::string("\xff\xfe\x00", 3));
    fake->receiveJson({{"id", id}, {"result", json::object()}});
    client->pump(0);
    EXPECT_EQ(errors.size(), 8u);
    EXPECT_EQ(replies, 1);
}

// Tests that a reply with neither result nor error fails its request instead of succeeding.
TEST_F(ClientTest, ReplyWithoutResultFails) {
    Reply reply;
    reply.ok = true;
    const int id = client->send("A", {}, {}, [&](const Reply& r) { reply = r; });
    fake->receiveJson({{"id", id}});
    client->pump(0);
    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.errorCode, kErrorMalformed);
}

// Tests that a throwing handler is contained and the next message is still handled.
TEST_F(ClientTest, ThrowingHandlerDoesNotEscapeThePump) {
    int seen = 0;
    client->subscribe("", [&](const Event&) {
        ++seen;
        throw std::runtime_error("boom");
    });
    fake->receiveJson({{"method", "E1"}, {"params", json::object()}});
    fake->receiveJson({{"method", "E2"}, {"params", json::object()}});
    EXPECT_NO_THROW(client->pump(0));
    EXPECT_EQ(seen, 2);
}

// Tests that browser death fails every pending request once and reports the end, later sends fail too.
TEST_F(ClientTest, BrowserDeathFailsPendingRequests) {
    std::vector<int> codes;
    std::string closedReason;
    client->setClosedHandler([&](const std::string& reason) { closedReason = reason; });
    client->send("A", {}, {}, [&](const Reply& r) { codes.push_back(r.errorCode); });
    client->send("B", {}, "S1", [&](const Reply& r) { codes.push_back(r.errorCode); });
    fake->closeFromBrowser("browser exited with code 0");
    EXPECT_FALSE(client->pump(0));
    client->pump(0);
    EXPECT_EQ(codes, (std::vector<int>{kErrorClosed, kErrorClosed}));
    EXPECT_EQ(closedReason, "browser exited with code 0");
    EXPECT_FALSE(client->isOpen());

    bool lateFailed = false;
    client->send("C", {}, {}, [&](const Reply& r) { lateFailed = !r.ok && r.errorCode == kErrorClosed; });
    EXPECT_FALSE(lateFailed);  // never from inside send()
    client->pump(0);
    EXPECT_TRUE(lateFailed);
}

// Tests that a detached session fails its own pending requests but not those of other sessions.
TEST_F(ClientTest, DetachFailsOnlyThatSessionsRequests) {
    int s1Code = 0;
    bool s2Answered = false;
    client->send("Page.enable", json::object(), "S1", [&](const Reply& r) { s1Code = r.errorCode; });
    client->send("Page.enable", json::object(), "S2", [&](const Reply&) { s2Answered = true; });
    fake->receiveJson({{"method", "Target.detachedFromTarget"}, {"params", {{"sessionId", "S1"}}}});
    client->pump(0);
    EXPECT_EQ(s1Code, kErrorDetached);
    EXPECT_FALSE(s2Answered);
    EXPECT_EQ(client->pendingCount(), 1u);
}

// Tests that waitUntil gives up after its time when nothing arrives, and returns at once when true.
TEST_F(ClientTest, WaitUntilTimesOut) {
    EXPECT_FALSE(client->waitUntil([] { return false; }, 20));
    EXPECT_TRUE(client->waitUntil([] { return true; }, 0));
}

// Tests that an unsubscribed handler gets no further events, even when removed during dispatch.
TEST_F(ClientTest, UnsubscribeDuringDispatch) {
    int second = 0;
    int token2 = 0;
    client->subscribe("", [&](const Event&) { client->unsubscribe(token2); });
    token2 = client->subscribe("", [&](const Event&) { ++second; });
    fake->receiveJson({{"method", "E"}, {"params", json::object()}});
    client->pump(0);
    EXPECT_EQ(second, 0);
}

// Tests that text with broken UTF-8 is still sent (replaced), not dropped with an exception.
TEST_F(ClientTest, BrokenUtf8InParamsIsSent) {
    EXPECT_NO_THROW(client->send("Runtime.evaluate", {{"expression", std::string("'\xff'")}}));
    EXPECT_EQ(fake->sent().size(), 1u);
}

}  // namespace
}  // namespace orvex::devtools
