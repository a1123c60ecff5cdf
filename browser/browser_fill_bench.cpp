// Time from a frame's load event to the person's values written in a real headless browser: the
// program's way (the extract its reader made right after the load, reading, deciding and filling in
// the model, one replay evaluation) beside the usual automation way (one evaluation per written
// field that looks the element up and sets it with events). Pages are served from loopback; one
// browser serves all runs.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "browser/extractor_js.h"
#include "browser/live_loader.h"
#include "devtools/browser_host.h"
#include "devtools/test_http_server.h"
#include "engine/html_items.h"
#include "fill/form_filler.h"
#include "fill/user_info.h"
#include "text/strings.h"

namespace orvex::browser {
namespace {

using Clock = std::chrono::steady_clock;
using nlohmann::json;

// Generous, because the browser shares the machine with everything else.
constexpr int kStartMs = 30000;
constexpr int kWaitMs = 20000;
// Pump step while a loader evaluation waits.
constexpr int kPumpMs = 10;
// Bare evaluations timed for the diagnosis.
constexpr int kDiagnosisTrips = 20;

// Records when each frame's load event arrived.
class LoadClock final : public devtools::BrowserEvents {
  public:
    void frameLoaded(const devtools::FrameInfo& frame) override {
        if (frame.frameId == frame.windowId) {
            loadedUrl = frame.url;
            loadedAt = Clock::now();
        }
    }
    std::string loadedUrl;
    Clock::time_point loadedAt;
};

// The one browser, page server and window all benchmarks use.
struct Bench {
    std::unique_ptr<devtools::TestHttpServer> server;
    std::string dir;
    std::unique_ptr<devtools::BrowserHost> host;
    std::shared_ptr<LivePageAccess> access;
    LoadClock clock;
    std::string windowId;
    std::shared_ptr<fill::clsUserInfo> person;
    int loads = 0;
    std::string error;
    std::vector<double> pipelineMs;
    std::vector<double> perFieldMs;
    // The program's path in parts: load event to extract started, extract, read and fill, replay.
    std::vector<double> waitMs, extractMs, readFillMs, replayMs;
};

Bench& bench() {
    static Bench instance;
    return instance;
}

std::shared_ptr<fill::clsUserInfo> makePerson() {
    auto p = std::make_shared<fill::clsUserInfo>();
    p->Name1 = u"山田";
    p->Name2 = u"太郎";
    p->NameKana1 = u"やまだ";
    p->NameKana2 = u"たろう";
    p->DisplayName = u"山田太郎";
    p->BirthYear = u"1980";
    p->BirthMonth = u"4";
    p->BirthDay = u"15";
    p->Email1 = u"taro";
    p->Email2 = u"example.jp";
    p->Tel1 = u"03";
    p->Tel2 = u"1234";
    p->Tel3 = u"5678";
    p->Zip1 = u"100";
    p->Zip2 = u"0001";
    p->Prefecture = u"東京都";
    p->Address1 = u"千代田区千代田";
    p->Address2 = u"1-1";
    p->Job1 = u"会社員";
    return p;
}

// Starts the server and the browser and opens the window; false (with bench().error) on failure.
bool setUp() {
    Bench& b = bench();
    std::ifstream in(ORVEX_RESOURCES_DIR "/demo/entry.html", std::ios::binary);
    std::stringstream page;
    page << in.rdbuf();
    if (!in || page.str().empty()) {
        b.error = "cannot read the demo page";
        return false;
    }
    b.server = std::make_unique<devtools::TestHttpServer>(std::map<std::string, std::string>{
        {"/entry.html", page.str()}, {"/blank.html", "<html><body></body></html>"}});
    if (b.server->port() == 0) {
        b.error = "no loopback socket";
        return false;
    }
    char pattern[] = "/tmp/orvex-fill-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        b.error = "no temporary directory";
        return false;
    }
    b.dir = pattern;
    devtools::LaunchOptions options;
    options.profileDir = b.dir + "/profile";
    options.headless = true;
    options.logPath = b.dir + "/browser.log";
    b.host = devtools::BrowserHost::launch(options, &b.error);
    if (!b.host) return false;
    b.host->session().setObserver(&b.clock);
    if (!b.host->waitReady(kStartMs)) {
        b.error = "browser not ready: " + b.host->session().startError();
        return false;
    }
    b.access = LivePageAccess::create(b.host->session(), [] { bench().host->client().pump(kPumpMs); });
    std::optional<std::string> id;
    bool answered = false;
    b.host->session().openWindow(b.server->url("/blank.html"), [&](std::optional<std::string> w) {
        id = std::move(w);
        answered = true;
    });
    b.host->client().waitUntil([&] { return answered; }, kWaitMs);
    if (!id) {
        b.error = "no window";
        return false;
    }
    b.windowId = *id;
    b.person = makePerson();
    return true;
}

void tearDown() {
    Bench& b = bench();
    b.access.reset();
    if (b.host) b.host->session().setObserver(nullptr);
    b.host.reset();  // stops and reaps the browser
    b.server.reset();
    if (!b.dir.empty()) std::system(("rm -rf '" + b.dir + "'").c_str());
}

// Loads the demo page afresh (a new address each time, so no load is skipped) and waits for its
// load event; false on timeout.
bool loadPage() {
    Bench& b = bench();
    const std::string url = b.server->url("/entry.html") + "?n=" + std::to_string(++b.loads);
    b.clock.loadedUrl.clear();
    b.host->session().navigate(b.windowId, url);
    return b.host->client().waitUntil([&] { return b.clock.loadedUrl == url; }, kWaitMs);
}

// The program's path: extract, read every form, decide and fill in the model, replay. Returns
// the replay report (ok false when a step failed).
ReplayReport readAndFill(std::vector<page::WriteRecord>* writes = nullptr) {
    Bench& b = bench();
    const Clock::time_point start = Clock::now();
    DocumentRef document = b.access->topDocument(b.windowId);
    const Clock::time_point extracted = Clock::now();
    ReplayReport failed;
    if (!document) {
        failed.error = "extract failed";
        return failed;
    }
    const page::ElementCollection forms = document->model().all().tags("FORM");
    for (int i = 0; i < forms.length(); ++i) {
        engine::clsHTMLItems reader;
        if (reader.InterpretHTMLMain(text::fromUtf8(forms.item(i).innerHTML())))
            fill::Fill(reader, document->model(), *b.person);
    }
    if (writes != nullptr) *writes = document->model().writeLog();
    const Clock::time_point filled = Clock::now();
    ReplayReport report = document->commitWrites();
    if (writes == nullptr) {
        const auto ms = [](Clock::time_point from, Clock::time_point to) {
            return std::chrono::duration<double, std::milli>(to - from).count();
        };
        b.waitMs.push_back(ms(b.clock.loadedAt, start));
        b.extractMs.push_back(ms(start, extracted));
        b.readFillMs.push_back(ms(extracted, filled));
        b.replayMs.push_back(ms(filled, Clock::now()));
    }
    return report;
}

// A string as a JavaScript literal.
std::string literal(const std::string& value) {
    return json(value).dump();
}

// One write as a stand-alone expression that looks its element up by name and position among the
// elements of that name, sets it and sends the events a user's input would.
std::string perFieldExpression(const page::WriteRecord& write, int position) {
    const std::string find = "const e = document.getElementsByName(" + literal(write.name) + ")[" +
                             std::to_string(position) + "]; if (!e) return false;";
    const std::string events =
        "e.dispatchEvent(new Event('input', {bubbles: true}));"
        "e.dispatchEvent(new Event('change', {bubbles: true}));";
    std::string body;
    switch (write.kind) {
        case page::WriteKind::Value:
            body = "e.focus(); e.value = " + literal(write.value) + ";" + events + "e.blur();";
            break;
        case page::WriteKind::Checked:
            body = std::string("e.checked = ") + (write.flag ? "true" : "false") + ";" + events;
            break;
        case page::WriteKind::SelectedIndex:
            body = "e.selectedIndex = " + std::to_string(write.index) + ";" + events;
            break;
        case page::WriteKind::OptionSelected:
            body = "const o = e.options[" + std::to_string(write.index) +
                   "]; if (!o) return false; o.selected = " + (write.flag ? "true" : "false") + ";" + events;
            break;
        case page::WriteKind::ScrollIntoView:
            body = std::string("e.scrollIntoView(") + (write.flag ? "true" : "false") + ");";
            break;
    }
    return "(() => {" + find + body + "return true; })()";
}

// The per-field calls for the writes of one fill: the position of each element among those of its
// name comes from the model, as a tool that knows the page would have it.
std::vector<std::string> perFieldCalls(page::Document& model, const std::vector<page::WriteRecord>& writes) {
    std::map<int, int> positionOf;  // source index -> position among the elements of its name
    std::map<std::string, int> seen;
    const page::ElementCollection all = model.all();
    for (int i = 0; i < all.length(); ++i) {
        const page::Element element = all.item(i);
        const std::string name = element.name();
        if (!name.empty()) positionOf[element.sourceIndex()] = seen[name]++;
    }
    std::vector<std::string> calls;
    for (const auto& write : writes) {
        const auto found = positionOf.find(write.sourceIndex);
        if (write.name.empty() || found == positionOf.end()) continue;
        calls.push_back(perFieldExpression(write, found->second));
    }
    return calls;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// From the load event to the values written, the program's way.
void BM_LoadToValuesWritten(benchmark::State& state) {
    Bench& b = bench();
    int written = 0;
    for (auto _ : state) {
        if (!loadPage()) {
            state.SkipWithError("page did not load");
            return;
        }
        const ReplayReport report = readAndFill();
        const double ms = msSince(b.clock.loadedAt);
        if (!report.ok || report.written == 0) {
            state.SkipWithError(("fill failed: " + report.error).c_str());
            return;
        }
        written = report.written;
        b.pipelineMs.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["writes"] = written;
}
BENCHMARK(BM_LoadToValuesWritten)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// From the load event to the same values written, one evaluation per write.
void BM_PerFieldCalls(benchmark::State& state) {
    Bench& b = bench();
    // The writes of one fill, found once by the program's path on a fresh page.
    std::vector<page::WriteRecord> writes;
    std::vector<std::string> calls;
    if (!loadPage()) {
        state.SkipWithError("page did not load");
        return;
    }
    {
        DocumentRef document = b.access->topDocument(b.windowId);
        if (document) {
            readAndFill(&writes);
            calls = perFieldCalls(document->model(), writes);
        }
    }
    if (calls.empty()) {
        state.SkipWithError("no writes to repeat");
        return;
    }
    for (auto _ : state) {
        if (!loadPage()) {
            state.SkipWithError("page did not load");
            return;
        }
        bool ok = true;
        for (const auto& call : calls) {
            const auto answer = b.access->loader().evaluateNow(b.windowId, call);
            ok = ok && answer && answer->ok && answer->value == true;
        }
        const double ms = msSince(b.clock.loadedAt);
        if (!ok) {
            state.SkipWithError("a per-field call failed");
            return;
        }
        b.perFieldMs.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["calls"] = static_cast<double>(calls.size());
}
BENCHMARK(BM_PerFieldCalls)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Where the program's time goes on a fresh page: the bare round trip of an evaluation, and the
// extractor's and the replay's own run time inside the page (with their round trips left out).
void printDiagnosis() {
    Bench& b = bench();
    // The first evaluation after the load event in the reader's world, which the document was made with.
    std::vector<double> firsts;
    for (int i = 0; i < kDiagnosisTrips && loadPage(); ++i) {
        b.access->loader().evaluateNow(b.windowId, "1");
        firsts.push_back(msSince(b.clock.loadedAt));
    }
    // The same in the page's own world: the renderer's own delay after its load.
    std::vector<double> mainWorld;
    for (int i = 0; i < kDiagnosisTrips && loadPage(); ++i) {
        bool done = false;
        b.host->client().send("Runtime.evaluate", {{"expression", "1"}, {"returnByValue", true}},
                              b.host->session().sessionOfFrame(b.windowId),
                              [&](const devtools::Reply&) { done = true; });
        b.host->client().waitUntil([&] { return done; }, kWaitMs);
        mainWorld.push_back(msSince(b.clock.loadedAt));
    }
    std::vector<double> trips;
    for (int i = 0; i < kDiagnosisTrips; ++i) {
        const Clock::time_point start = Clock::now();
        b.access->loader().evaluateNow(b.windowId, "1");
        trips.push_back(msSince(start));
    }
    const auto inPage = [&](const std::string& expression) {
        const auto answer = b.access->loader().evaluateNow(
            b.windowId, "(() => { const t0 = performance.now(); const v = (\n" + expression +
                            "\n); return performance.now() - t0; })()");
        return answer && answer->ok && answer->value.is_number() ? answer->value.get<double>() : -1.0;
    };
    const double extract = inPage(extractCall());
    std::vector<page::WriteRecord> writes;
    loadPage();
    readAndFill(&writes);
    loadPage();
    const double replay = inPage(replayCall(writes));
    std::printf("diagnosis: load event to the first bare evaluation answered %.2f ms (median of %zu)\n",
                median(firsts), firsts.size());
    std::printf("diagnosis: the same in the page's own world %.2f ms (median of %zu)\n", median(mainWorld),
                mainWorld.size());
    std::printf(
        "diagnosis: evaluation round trip %.2f ms (median of %d), extractor in page %.2f ms, "
        "replay in page %.2f ms\n",
        median(trips), kDiagnosisTrips, extract, replay);
}

}  // namespace
}  // namespace orvex::browser

int main(int argc, char** argv) {
    using namespace orvex::browser;
    benchmark::Initialize(&argc, argv);
    if (!setUp()) {
        std::fprintf(stderr, "browser_fill_bench: %s\n", bench().error.c_str());
        tearDown();
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double pipeline = median(bench().pipelineMs);
    const double perField = median(bench().perFieldMs);
    std::printf(
        "median load-to-written: %.2f ms (%zu runs); per-field calls: %.2f ms (%zu runs); ratio %.2f\n",
        pipeline, bench().pipelineMs.size(), perField, bench().perFieldMs.size(),
        pipeline > 0 ? perField / pipeline : 0.0);
    std::printf(
        "parts (medians): event to extract %.2f ms, extract %.2f ms, read and fill %.2f ms, replay %.2f ms\n",
        median(bench().waitMs), median(bench().extractMs), median(bench().readFillMs),
        median(bench().replayMs));
    printDiagnosis();
    tearDown();
    return 0;
}
