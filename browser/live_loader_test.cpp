#include "browser/live_loader.h"

#include <gtest/gtest.h>

#include "browser/extractor_js.h"
#include "devtools/fake_browser_session.h"

namespace orvex::browser {
namespace {

using nlohmann::json;

// An extract of a page with a form, a hidden text field, a list and an inline frame.
json sampleExtract() {
    return json::parse(R"({
      "url": "http://127.0.0.1/a.html", "title": "Entry", "name": "main", "charset": "UTF-8",
      "indexInParent": -1, "framesLength": 1,
      "nodes": [
        [1, -1, "HTML", []],
        [1, 0, "BODY", []],
        [1, 1, "FORM", ["action", "mailto:x@example.jp"]],
        [3, 2, "お名前"],
        [1, 2, "INPUT", ["name", "n", "type", "text", "value", "old"], {"v": "typed"}],
        [1, 2, "INPUT", ["name", "secret", "type", "text"], {"v": "", "h": 1}],
        [1, 2, "SELECT", ["name", "s"], {"h": 0}],
        [1, 6, "OPTION", ["value", "1"], {"s": false}],
        [1, 6, "OPTION", ["value", "2"], {"s": true}],
        [1, 2, "INPUT", ["name", "c", "type", "checkbox", "disabled", ""], {"c": true}],
        [8, 2, "note"],
        [1, 1, "IFRAME", ["src", "f.html"], {"f": 0}]
      ]})");
}

// Tests that an extract becomes a page model with its live state, rendering and frame slots.
TEST(LiveLoaderTest, BuildsDocumentFromExtract) {
    std::string error;
    auto extract = buildFromExtract(sampleExtract(), &error);
    ASSERT_TRUE(extract) << error;
    page::Document& doc = *extract->document;
    EXPECT_EQ(doc.url(), "http://127.0.0.1/a.html");
    EXPECT_EQ(doc.title(), "Entry");
    EXPECT_EQ(doc.windowName(), "main");
    EXPECT_EQ(doc.elementCount(), 10);
    EXPECT_EQ(extract->framesLength, 1);
    EXPECT_EQ(extract->frameWindowIndexes, std::vector<int>{0});
    const page::ElementCollection all = doc.all();
    EXPECT_EQ(all.item(3).value(), "typed");
    EXPECT_TRUE(all.item(3).rendered());
    EXPECT_FALSE(all.item(4).rendered());
    EXPECT_EQ(all.item(5).value(), "2");
    EXPECT_TRUE(all.item(8).status());
    // An empty attribute value is written without "=", as a saved page would have it.
    EXPECT_NE(all.item(8).outerHTML().find("disabled"), std::string::npos);
    EXPECT_EQ(all.item(8).outerHTML().find("disabled="), std::string::npos);
    // The form's text includes the label and the comment.
    EXPECT_NE(all.item(2).innerHTML().find("お名前"), std::string::npos);
    EXPECT_NE(all.item(2).innerHTML().find("<!--note-->"), std::string::npos);
    // A field that is not rendered refuses a value; a rendered one takes it.
    EXPECT_FALSE(all.item(4).setValue("x"));
    EXPECT_TRUE(all.item(3).setValue("x"));
}

// Tests that malformed extracts give no document, and bad nodes are dropped with their subtree.
TEST(LiveLoaderTest, RejectsMalformedExtracts) {
    EXPECT_FALSE(buildFromExtract(json()));
    EXPECT_FALSE(buildFromExtract(json::parse(R"({"url": "x"})")));
    EXPECT_FALSE(buildFromExtract(json::parse(R"({"nodes": 3})")));
    auto extract = buildFromExtract(json::parse(R"({"nodes": [
        [1, -1, "HTML", []], [1, 5, "P", []], [1, 0, "BODY", []], "junk", [3, 7, "t"], [1, 2, "B", []]]})"));
    ASSERT_TRUE(extract);
    EXPECT_EQ(extract->document->elementCount(), 3);  // HTML, BODY, B
    EXPECT_EQ(extract->document->all().item(2).tagName(), "B");
}

// Tests that a replay answer names the skipped and refused writes, and a malformed one skips all.
TEST(LiveLoaderTest, ParsesReplayAnswers) {
    std::vector<page::WriteRecord> writes(3);
    writes[0].sourceIndex = 1;
    writes[1].sourceIndex = 2;
    writes[2].sourceIndex = 3;
    const ReplayReport report =
        parseReplayAnswer(json::parse(R"({"written": 1, "skipped": [2, 9], "refused": [0]})"), writes);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(report.written, 1);
    ASSERT_EQ(report.skipped.size(), 1u);
    EXPECT_EQ(report.skipped[0].sourceIndex, 3);
    ASSERT_EQ(report.refused.size(), 1u);
    EXPECT_EQ(report.refused[0].sourceIndex, 1);
    const ReplayReport bad = parseReplayAnswer(json::parse(R"({"written": "1"})"), writes);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.skipped.size(), 3u);
}

// Tests that the replay script carries each write's element key and value, escaped.
TEST(LiveLoaderTest, ReplayScriptCarriesWrites) {
    page::WriteRecord w;
    w.sourceIndex = 7;
    w.tagName = "INPUT";
    w.name = "na\"me";
    w.value = "</script>\"x";
    const std::string script = withReader(replayCall({w}));
    EXPECT_NE(script.find(R"("i":7)"), std::string::npos);
    EXPECT_NE(script.find(R"("n":"na\"me")"), std::string::npos);
    EXPECT_NE(script.find(R"("v":"</script>\"x")"), std::string::npos);
    EXPECT_NE(script.find("HTMLInputElement.prototype"), std::string::npos);
}

// Tests that the loader reads a frame with one evaluation of the extractor, and fails on errors.
TEST(LiveLoaderTest, LoadsThroughTheSession) {
    devtools::FakeBrowserSession session;
    session.addWindow({"W1", {}, "http://127.0.0.1/a.html", {}});
    session.evalResults["W1"] = devtools::EvalResult{true, sampleExtract().dump(), {}};
    auto access = LivePageAccess::create(session, [] {});
    EXPECT_EQ(session.readerScript, readerScript());
    DocumentRef doc = access->topDocument("W1");
    ASSERT_TRUE(doc);
    EXPECT_EQ(session.evaluations.size(), 1u);
    EXPECT_EQ(session.evaluations[0].second, guardedCall(extractCall()));
    EXPECT_EQ(doc->frameId(), "W1");
    EXPECT_EQ(doc->model().elementCount(), 10);
    EXPECT_FALSE(access->topDocument("W2"));
    session.evalResults["W1"] = devtools::EvalResult{false, {}, "context lost"};
    EXPECT_FALSE(access->topDocument("W1"));
    session.evalResults["W1"] = devtools::EvalResult{true, "{\"nodes\": [", {}};  // a broken text
    EXPECT_FALSE(access->topDocument("W1"));
}

// Tests that a read waits for as long as a dialog of the page is open, and gives up once the
// page keeps it waiting past the time limit with no dialog open.
TEST(LiveLoaderTest, ReadWaitsThroughADialog) {
    devtools::FakeBrowserSession session;
    session.addWindow({"W1", {}, "http://127.0.0.1/a.html", {}});
    session.holdEvaluations = true;
    std::chrono::steady_clock::time_point now{};
    int steps = 0;
    // Each step of the wait moves the clock by 10 ms; the dialog is open for the first 100 steps
    // (ten times the limit), then the page answers 5 steps later.
    LiveLoader loader(
        session,
        [&] {
            now += std::chrono::milliseconds(10);
            ++steps;
            if (steps == 100) session.dialogFrames.clear();
            if (steps == 105 && !session.heldEvaluations.empty())
                session.heldEvaluations.back()(devtools::EvalResult{true, "done", {}});
        },
        100, [&] { return now; });
    session.dialogFrames.insert("W1");
    const auto answer = loader.evaluateNow("W1", "1");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value, "done");

    // The near miss: no dialog, no answer: the read ends after the limit.
    steps = 1000;
    const int before = steps;
    EXPECT_FALSE(loader.evaluateNow("W1", "2"));
    EXPECT_EQ(steps - before, 10);
}

// Tests that a world without the reader gets it together with the call, once, and a world with it
// is read with the short call alone.
TEST(LiveLoaderTest, WorldWithoutReaderGetsItWithTheCall) {
    devtools::FakeBrowserSession session;
    session.addWindow({"W1", {}, "http://127.0.0.1/a.html", {}});
    session.onEvaluate = [](const std::string&, const std::string& expression) {
        if (expression == guardedCall(extractCall()))
            return std::optional<devtools::EvalResult>({true, kNoReader, {}});
        if (expression == withReader(extractCall()))
            return std::optional<devtools::EvalResult>({true, sampleExtract().dump(), {}});
        return std::optional<devtools::EvalResult>({false, {}, "unexpected expression"});
    };
    auto access = LivePageAccess::create(session, [] {});
    DocumentRef doc = access->topDocument("W1");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->model().elementCount(), 10);
    ASSERT_EQ(session.evaluations.size(), 2u);
    EXPECT_EQ(session.evaluations[1].second, withReader(extractCall()));

    // The replay goes the same way; a reader that answers at once needs no second evaluation.
    session.onEvaluate = [](const std::string&, const std::string& expression) {
        return std::optional<devtools::EvalResult>(
            {true,
             expression.rfind(readerScript(), 0) == 0
                 ? json("wrong")
                 : json::parse(R"({"written": 0, "skipped": [], "refused": []})"),
             {}});
    };
    const ReplayReport report = access->replay(*doc, {});
    EXPECT_TRUE(report.ok) << report.error;
    EXPECT_EQ(session.evaluations.size(), 3u);
}

// Tests that the first read after a load waits for and takes the read made at the load without an
// evaluation, and that a failed or used one leaves the reading to an evaluation.
TEST(LiveLoaderTest, TakesTheReadMadeAtLoad) {
    devtools::FakeBrowserSession session;
    session.addWindow({"W1", {}, "http://127.0.0.1/a.html", {}});
    auto access = LivePageAccess::create(session, [] {});
    EXPECT_EQ(session.loadCall, loadCall());
    session.loadCalls["W1"] = {true, devtools::EvalResult{true, sampleExtract().dump(), {}}};
    session.pendingTakes = 3;
    DocumentRef doc = access->topDocument("W1");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->model().elementCount(), 10);
    EXPECT_TRUE(session.evaluations.empty());
    EXPECT_EQ(session.pendingTakes, 0);

    session.evalResults["W1"] = devtools::EvalResult{true, sampleExtract().dump(), {}};
    EXPECT_TRUE(access->topDocument("W1"));
    EXPECT_EQ(session.evaluations.size(), 1u);
    session.loadCalls["W1"] = {false, devtools::EvalResult{false, {}, "context gone"}};
    EXPECT_TRUE(access->topDocument("W1"));
    EXPECT_EQ(session.evaluations.size(), 2u);
}

// Tests that child frames are matched to their FRAME/IFRAME elements by their position in the
// parent window, whatever order the browser lists them in.
TEST(LiveLoaderTest, MatchesChildFramesByPosition) {
    devtools::FakeBrowserSession session;
    session.addWindow({"W1", {}, "http://127.0.0.1/set.html", {}});
    session.addFrame({"W1", "B", "W1", "b", "http://127.0.0.1/b.html"});
    session.addFrame({"W1", "A", "W1", "a", "http://127.0.0.1/a.html"});
    session.evalResults["W1"] = {true,
                                 json::parse(R"({"framesLength": 2, "nodes": [[1, -1, "FRAMESET", []],
        [1, 0, "FRAME", ["name", "a"], {"f": 0}], [1, 0, "FRAME", ["name", "b"], {"f": 1}]]})"),
                                 {}};
    session.evalResults["A"] = {true, json::parse(R"({"url": "a", "indexInParent": 0, "nodes": []})"), {}};
    session.evalResults["B"] = {true, json::parse(R"({"url": "b", "indexInParent": 1, "nodes": []})"), {}};
    auto access = LivePageAccess::create(session, [] {});
    DocumentRef top = access->topDocument("W1");
    ASSERT_TRUE(top);
    ASSERT_TRUE(top->frameDocument(0));
    EXPECT_EQ(top->frameDocument(0)->URL(), "a");
    ASSERT_TRUE(top->frameDocument(1));
    EXPECT_EQ(top->frameDocument(1)->URL(), "b");
    EXPECT_FALSE(top->frameDocument(2));
    EXPECT_EQ(session.evaluations.size(), 3u);  // children are read once
}

}  // namespace
}  // namespace orvex::browser
