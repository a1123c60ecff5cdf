// Faults around a real headless browser: no browser installed, the browser killed in the middle of
// a fill, and the control channel staying off the network.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "browser/live_loader.h"
#include "devtools/browser_host.h"
#include "devtools/test_http_server.h"
#include "engine/html_items.h"
#include "fill/form_filler.h"
#include "fill/user_info.h"
#include "text/strings.h"

namespace orvex::browser {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Generous, because the browser shares two cores with everything else.
constexpr int kStartMs = 30000;
constexpr int kWaitMs = 20000;
// A dead browser must be noticed well before an evaluation's own time limit.
constexpr int kNoticeMs = 5000;
// How long the page keeps its main thread busy while the browser is killed.
constexpr int kBusyMs = 3000;
// State of a listening socket in /proc/net/tcp.
constexpr const char* kTcpListen = "0A";

constexpr const char* kFormPage =
    "<html><body><form action=\"/done.html\">お名前 <input type=text name=simei size=20>"
    "<input type=submit></form></body></html>";

// Records the end of the browser.
class EndWatch final : public devtools::BrowserEvents {
  public:
    void browserClosed(const std::string& reason) override { closedReason = reason; }
    std::optional<std::string> closedReason;
};

std::shared_ptr<fill::clsUserInfo> person() {
    auto p = std::make_shared<fill::clsUserInfo>();
    p->Name1 = u"山田";
    p->Name2 = u"太郎";
    p->DisplayName = u"山田太郎";
    return p;
}

// Socket inodes open in process pid.
std::set<std::string> socketInodes(pid_t pid) {
    std::set<std::string> inodes;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        std::error_code linkError;
        const std::string target = fs::read_symlink(entry.path(), linkError).string();
        if (!linkError && target.rfind("socket:[", 0) == 0)
            inodes.insert(target.substr(8, target.size() - 9));
    }
    return inodes;
}

// Inodes of the listening TCP sockets (IPv4 and IPv6) of the machine.
std::set<std::string> listeningInodes() {
    std::set<std::string> inodes;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream in(table);
        std::string line;
        std::getline(in, line);  // header
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::vector<std::string> f;
            for (std::string field; fields >> field;) f.push_back(field);
            if (f.size() > 9 && f[3] == kTcpListen) inodes.insert(f[9]);
        }
    }
    return inodes;
}

// The processes of a process group (the browser leads its own, with its helpers in it).
std::vector<pid_t> processGroup(pid_t group) {
    std::vector<pid_t> members;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "stat");
        std::string stat;
        std::getline(in, stat);
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        long parent = 0;
        long pgrp = 0;
        if (rest >> state >> parent >> pgrp && pgrp == group) members.push_back(std::stoi(name));
    }
    return members;
}

// The NUL-separated command line of pid as words.
std::vector<std::string> commandLine(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::vector<std::string> words;
    for (std::string word; std::getline(in, word, '\0');) words.push_back(word);
    return words;
}

// Listening TCP sockets held by any of `pids`.
int listeningSocketsOf(const std::vector<pid_t>& pids) {
    const std::set<std::string> listening = listeningInodes();
    int count = 0;
    for (pid_t pid : pids)
        for (const auto& inode : socketInodes(pid)) count += static_cast<int>(listening.count(inode));
    return count;
}

// Restores an environment variable when it goes out of scope.
class EnvGuard {
  public:
    explicit EnvGuard(const char* name) : m_name(name) {
        if (const char* value = std::getenv(name)) m_old = value;
    }
    ~EnvGuard() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class BrowserFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server = std::make_unique<devtools::TestHttpServer>(
            std::map<std::string, std::string>{{"/form.html", kFormPage}});
        ASSERT_GT(server->port(), 0);
        char pattern[] = "/tmp/orvex-browser-fault-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }

    void TearDown() override {
        access.reset();
        if (host) host->session().setObserver(nullptr);
        host.reset();  // stops and reaps the browser
        server.reset();
        std::error_code ec;
        if (!dir.empty()) fs::remove_all(dir, ec);
    }

    devtools::LaunchOptions options() const {
        devtools::LaunchOptions o;
        o.profileDir = dir + "/profile";
        o.headless = true;
        o.logPath = dir + "/browser.log";
        return o;
    }

    // Starts a browser (replacing any earlier one) with a page access whose every wait step first
    // runs beforePump; false when it does not come up.
    bool start() {
        access.reset();
        if (host) host->session().setObserver(nullptr);
        host.reset();
        ended = EndWatch{};
        std::string error;
        host = devtools::BrowserHost::launch(options(), &error);
        EXPECT_TRUE(host) << error;
        if (!host) return false;
        host->session().setObserver(&ended);
        if (!host->waitReady(kStartMs)) return false;
        access = LivePageAccess::create(host->session(), [this] {
            if (beforePump) beforePump();
            host->client().pump(10);
        });
        return true;
    }

    // Opens a window at the form page and waits until it has loaded; empty on failure.
    std::string openForm() {
        std::optional<std::string> id;
        bool answered = false;
        host->session().openWindow(server->url("/form.html"), [&](std::optional<std::string> w) {
            id = std::move(w);
            answered = true;
        });
        host->client().waitUntil([&] { return answered; }, kWaitMs);
        if (!id) return {};
        const bool loaded = host->client().waitUntil(
            [&] {
                // The window shows about:blank, complete too, before the page arrives.
                const auto answer =
                    access->loader().evaluateNow(*id, "document.readyState + ' ' + location.href");
                return answer && answer->ok && answer->value == "complete " + server->url("/form.html");
            },
            kWaitMs);
        return loaded ? *id : std::string();
    }

    // Keeps the page's main thread busy for a while from its next task on, so that an evaluation
    // sent now is still running when the browser is killed.
    bool makeBusy(const std::string& windowId) {
        bool done = false;
        bool ok = false;
        host->client().send(
            "Runtime.evaluate",
            {{"expression", "setTimeout(() => { const end = Date.now() + " + std::to_string(kBusyMs) +
                                "; while (Date.now() < end) {} }, 0); true"},
             {"returnByValue", true}},
            host->session().sessionOfFrame(windowId), [&](const devtools::Reply& reply) {
                ok = reply.ok;
                done = true;
            });
        host->client().waitUntil([&] { return done; }, kWaitMs);
        return ok;
    }

    // Reads the window's page, fills it with the person and replays the writes.
    std::optional<ReplayReport> fillPage(const std::string& windowId) {
        DocumentRef document = access->topDocument(windowId);
        if (!document) return std::nullopt;
        const page::ElementCollection forms = document->model().all().tags("FORM");
        for (int i = 0; i < forms.length(); ++i) {
            engine::clsHTMLItems reader;
            if (reader.InterpretHTMLMain(text::fromUtf8(forms.item(i).innerHTML())))
                fill::Fill(reader, document->model(), *filler);
        }
        return document->commitWrites();
    }

    std::unique_ptr<devtools::TestHttpServer> server;
    std::string dir;
    std::unique_ptr<devtools::BrowserHost> host;
    std::shared_ptr<LivePageAccess> access;
    EndWatch ended;
    std::function<void()> beforePump;
    std::shared_ptr<fill::clsUserInfo> filler = person();
};

// Tests that a missing browser named by the setting gives one line naming the path, the setting,
// the environment variable and the package to install; no browser is left behind.
TEST_F(BrowserFaultTest, MissingBrowserFromSettingIsExplained) {
    devtools::LaunchOptions o = options();
    o.browserSetting = dir + "/no-such-chromium";
    std::string error;
    EXPECT_FALSE(devtools::BrowserHost::launch(o, &error));
    EXPECT_NE(error.find(o.browserSetting), std::string::npos) << error;
    EXPECT_NE(error.find("from the browser setting"), std::string::npos) << error;
    EXPECT_NE(error.find("ORVEX_BROWSER"), std::string::npos) << error;
    EXPECT_NE(error.find("Debian package chromium"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

// Tests that a missing browser named by ORVEX_BROWSER says it came from there, while a setting
// naming a present browser wins over the same broken variable and starts.
TEST_F(BrowserFaultTest, MissingBrowserFromEnvironmentIsExplained) {
    EnvGuard guard(devtools::kBrowserEnvVar);
    setenv(devtools::kBrowserEnvVar, (dir + "/gone/chromium").c_str(), 1);
    std::string error;
    EXPECT_FALSE(devtools::BrowserHost::launch(options(), &error));
    EXPECT_NE(error.find(dir + "/gone/chromium (from ORVEX_BROWSER)"), std::string::npos) << error;
    EXPECT_NE(error.find("Debian package chromium"), std::string::npos) << error;

    devtools::LaunchOptions o = options();
    o.browserSetting = devtools::kDefaultBrowserPaths[0];
    auto working = devtools::BrowserHost::launch(o, &error);
    ASSERT_TRUE(working) << error;
    EXPECT_TRUE(working->waitReady(kStartMs)) << working->session().startError();
}

// Tests that killing the browser while the page is being read ends the read with an error long
// before the evaluation's time limit, the end is reported, and the next request's new browser
// reads and fills the same page.
TEST_F(BrowserFaultTest, KilledWhileReadingThenNewBrowserFills) {
    ASSERT_TRUE(start()) << host->session().startError();
    std::string windowId = openForm();
    ASSERT_FALSE(windowId.empty());
    const pid_t pid = host->pid();
    ASSERT_GT(pid, 0);
    // The read the reader made at the load is taken first, so the read below asks the busy page.
    ASSERT_TRUE(access->topDocument(windowId));
    ASSERT_TRUE(makeBusy(windowId));
    beforePump = [&] {
        beforePump = nullptr;
        kill(pid, SIGKILL);
    };
    const auto startedAt = std::chrono::steady_clock::now();
    std::string error;
    EXPECT_FALSE(access->loader().loadFrame(windowId, &error));
    EXPECT_LT(std::chrono::steady_clock::now() - startedAt, std::chrono::milliseconds(kNoticeMs));
    EXPECT_FALSE(error.empty());
    ASSERT_TRUE(host->client().waitUntil([&] { return ended.closedReason.has_value(); }, kWaitMs));
    EXPECT_FALSE(host->session().isOpen());
    EXPECT_EQ(host->pid(), -1);

    ASSERT_TRUE(start()) << host->session().startError();
    EXPECT_NE(host->pid(), pid);
    windowId = openForm();
    ASSERT_FALSE(windowId.empty());
    const auto report = fillPage(windowId);
    ASSERT_TRUE(report.has_value());
    EXPECT_TRUE(report->ok) << report->error;
    const auto value = access->loader().evaluateNow(windowId, "document.getElementsByName('simei')[0].value");
    ASSERT_TRUE(value && value->ok);
    EXPECT_EQ(value->value, "山田　太郎");
}

// Tests that killing the browser while the writes are replayed gives a failed report, not a
// crash or a hang, and that a replay with the browser alive writes the page.
TEST_F(BrowserFaultTest, KilledWhileReplayingReportsFailure) {
    ASSERT_TRUE(start()) << host->session().startError();
    const std::string windowId = openForm();
    ASSERT_FALSE(windowId.empty());
    DocumentRef document = access->topDocument(windowId);
    ASSERT_TRUE(document);
    page::Element field;
    const page::ElementCollection inputs = document->model().all().tags("INPUT");
    for (int i = 0; i < inputs.length(); ++i)
        if (inputs.item(i).name() == "simei") field = inputs.item(i);
    ASSERT_TRUE(field);
    ASSERT_TRUE(field.setValue("alive"));
    const ReplayReport alive = document->commitWrites();
    EXPECT_TRUE(alive.ok) << alive.error;
    EXPECT_EQ(alive.written, 1);

    ASSERT_TRUE(field.setValue("dead"));
    const pid_t pid = host->pid();
    ASSERT_TRUE(makeBusy(windowId));
    beforePump = [&] {
        beforePump = nullptr;
        kill(pid, SIGKILL);
    };
    const ReplayReport dead = document->commitWrites();
    EXPECT_FALSE(dead.ok);
    EXPECT_FALSE(dead.error.empty());
    EXPECT_TRUE(host->client().waitUntil([&] { return ended.closedReason.has_value(); }, kWaitMs));
    EXPECT_EQ(host->pid(), -1);
}

// Tests that the started browser and its helper processes hold no listening TCP socket and none
// was asked for on the command line; the test's own page server, which does listen, is found by
// the same check.
TEST_F(BrowserFaultTest, NoDebuggingPortIsOpened) {
    ASSERT_TRUE(start()) << host->session().startError();
    ASSERT_FALSE(openForm().empty());
    const pid_t pid = host->pid();
    ASSERT_GT(pid, 0);
    const std::vector<std::string> argv = commandLine(pid);
    ASSERT_FALSE(argv.empty());
    bool pipe = false;
    for (const auto& word : argv) {
        EXPECT_EQ(word.rfind("--remote-debugging-port", 0), std::string::npos) << word;
        pipe = pipe || word == "--remote-debugging-pipe";
    }
    EXPECT_TRUE(pipe);
    const std::vector<pid_t> group = processGroup(pid);
    EXPECT_GE(group.size(), 2u);  // the browser and at least one helper
    EXPECT_EQ(listeningSocketsOf(group), 0);
    EXPECT_GE(listeningSocketsOf({getpid()}), 1);
}

}  // namespace
}  // namespace orvex::browser
