#include "devtools/pipe_transport.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "devtools/browser_launcher.h"

namespace orvex::devtools {
namespace {

// Writes all of data to fd (blocking), for the "browser" side of a test pipe.
void writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

// A transport over two fresh pipes; the test plays the browser on browserIn/browserOut.
class PipeTransportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        int toUs[2];
        int toBrowser[2];
        ASSERT_EQ(pipe(toUs), 0);
        ASSERT_EQ(pipe(toBrowser), 0);
        browserOut = toUs[1];
        browserIn = toBrowser[0];
        transport = std::make_unique<PipeTransport>(toUs[0], toBrowser[1]);
        TransportHandlers handlers;
        handlers.onMessage = [this](std::string m) { messages.push_back(std::move(m)); };
        handlers.onClosed = [this](const std::string& reason) { closed.push_back(reason); };
        transport->setHandlers(std::move(handlers));
    }
    void TearDown() override {
        transport.reset();
        if (browserOut >= 0) close(browserOut);
        if (browserIn >= 0) close(browserIn);
    }
    void pumpFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end && transport->pump(10)) {
        }
    }

    int browserOut = -1;
    int browserIn = -1;
    std::unique_ptr<PipeTransport> transport;
    std::vector<std::string> messages;
    std::vector<std::string> closed;
};

// Tests that a message split over several writes is delivered once, whole, after its terminator.
TEST_F(PipeTransportTest, PartialMessageIsBuffered) {
    writeAll(browserOut, R"({"id":1,"res)");
    transport->pump(10);
    EXPECT_TRUE(messages.empty());
    writeAll(browserOut, std::string(R"(ult":{}})") + '\0' + R"({"id":2)");
    transport->pump(10);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], R"({"id":1,"result":{}})");
    writeAll(browserOut, std::string("}") + '\0');
    transport->pump(10);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], R"({"id":2})");
}

// Tests that several messages in one write come out separately and in order.
TEST_F(PipeTransportTest, SeveralMessagesInOneWrite) {
    writeAll(browserOut, std::string("a") + '\0' + "b" + '\0' + '\0' + "c" + '\0');
    transport->pump(10);
    EXPECT_EQ(messages, (std::vector<std::string>{"a", "b", "", "c"}));
}

// Tests that a 20 MB message written in pieces by another thread arrives intact.
TEST_F(PipeTransportTest, TwentyMegabyteMessage) {
    std::string big(20u * 1024u * 1024u, 'x');
    big.front() = '[';
    big.back() = ']';
    std::thread writer([&] { writeAll(browserOut, big + '\0' + "after" + '\0'); });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (messages.size() < 2 && std::chrono::steady_clock::now() < end) transport->pump(50);
    writer.join();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].size(), big.size());
    EXPECT_TRUE(messages[0] == big);
    EXPECT_EQ(messages[1], "after");
}

// Tests that what we send reaches the other end NUL-terminated, also beyond the pipe's buffer.
TEST_F(PipeTransportTest, LargeSendIsQueuedWithoutBlocking) {
    const std::string big(1024u * 1024u, 'y');
    EXPECT_TRUE(transport->send(big));  // must return although nobody reads yet
    EXPECT_TRUE(transport->hasPendingOutput());
    std::string received;
    std::thread reader([&] {
        char buffer[65536];
        while (received.size() < big.size() + 1) {
            const ssize_t n = read(browserIn, buffer, sizeof buffer);
            if (n <= 0) break;
            received.append(buffer, static_cast<std::size_t>(n));
        }
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (transport->hasPendingOutput() && std::chrono::steady_clock::now() < end) transport->pump(10);
    reader.join();
    EXPECT_EQ(received.size(), big.size() + 1);
    EXPECT_EQ(received.back(), '\0');
}

// Tests that the browser closing its end is reported once, after the complete messages before it.
TEST_F(PipeTransportTest, EndOfPipeIsReportedOnce) {
    writeAll(browserOut, std::string("last") + '\0' + "partial");
    close(browserOut);
    browserOut = -1;
    pumpFor(50);
    EXPECT_EQ(messages, std::vector<std::string>{"last"});
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_NE(closed[0].find("incomplete"), std::string::npos);
    EXPECT_FALSE(transport->isOpen());
    EXPECT_FALSE(transport->send("x"));
    EXPECT_FALSE(transport->pump(0));
    EXPECT_EQ(closed.size(), 1u);
}

// Tests that a reader who went away makes send fail (closed) instead of killing us with SIGPIPE.
TEST_F(PipeTransportTest, WritingToAGoneReaderClosesTheChannel) {
    close(browserIn);
    browserIn = -1;
    EXPECT_FALSE(transport->send("hello"));
    EXPECT_EQ(closed.size(), 1u);
}

// Helpers for tests with a stand-in browser: a shell script that echoes fd 3 to fd 4.
class FakeBrowserProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvex-devtools-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string script(const std::string& name, const std::string& body) {
        const std::string path = dir + "/" + name;
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        chmod(path.c_str(), 0755);
        return path;
    }
    LaunchOptions options(const std::string& browser) {
        LaunchOptions o;
        o.browserSetting = browser;
        o.profileDir = dir + "/profile/inner";
        return o;
    }
    std::string dir;
};

// Tests that the launched process gets the pipe on fds 3 and 4, and stop() ends and reaps it.
TEST_F(FakeBrowserProcessTest, EchoThroughDescriptorsThreeAndFour) {
    LaunchResult launched = launchBrowser(options(script("echo", "exec cat <&3 >&4")));
    ASSERT_TRUE(launched.transport) << launched.error;
    std::vector<std::string> got;
    TransportHandlers handlers;
    handlers.onMessage = [&](std::string m) { got.push_back(std::move(m)); };
    launched.transport->setHandlers(handlers);
    launched.transport->send("ping");
    for (int i = 0; i < 200 && got.empty(); ++i) launched.transport->pump(10);
    EXPECT_EQ(got, std::vector<std::string>{"ping"});
    const pid_t pid = launched.transport->pid();
    ASSERT_GT(pid, 0);
    launched.transport->stop(2000);
    EXPECT_EQ(launched.transport->pid(), -1);
    EXPECT_TRUE(launched.transport->exitStatus().has_value());
    EXPECT_NE(kill(pid, 0), 0);  // reaped: the pid is gone
}

// Tests that the profile directory is created private and nothing of it is removed at stop.
TEST_F(FakeBrowserProcessTest, ProfileIsPrivateAndKept) {
    LaunchOptions o = options(script("marks", "echo kept > \"$ORVEX_TEST_MARK\"; exec cat <&3 >&4"));
    setenv("ORVEX_TEST_MARK", (o.profileDir + "/mark").c_str(), 1);
    LaunchResult launched = launchBrowser(o);
    ASSERT_TRUE(launched.transport) << launched.error;
    for (int i = 0; i < 100 && access((o.profileDir + "/mark").c_str(), F_OK) != 0; ++i)
        launched.transport->pump(10);
    launched.transport->stop(2000);
    struct stat info {};
    ASSERT_EQ(stat(o.profileDir.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(access((o.profileDir + "/mark").c_str(), F_OK), 0);
}

// Tests that a browser that dies is reported as the end of the channel and reaped.
TEST_F(FakeBrowserProcessTest, BrowserDeathIsReported) {
    LaunchResult launched = launchBrowser(options(script("dies", "exit 3")));
    ASSERT_TRUE(launched.transport) << launched.error;
    std::string reason;
    TransportHandlers handlers;
    handlers.onClosed = [&](const std::string& r) { reason = r; };
    launched.transport->setHandlers(handlers);
    for (int i = 0; i < 300 && launched.transport->isOpen(); ++i) launched.transport->pump(10);
    EXPECT_FALSE(launched.transport->isOpen());
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(launched.transport->pid(), -1);
    ASSERT_TRUE(launched.transport->exitStatus().has_value());
}

// Tests that a browser ignoring SIGTERM is killed after the grace time, and still reaped.
TEST_F(FakeBrowserProcessTest, StubbornBrowserIsKilled) {
    LaunchResult launched =
        launchBrowser(options(script("stubborn", "trap '' TERM; while :; do sleep 0.1; done")));
    ASSERT_TRUE(launched.transport) << launched.error;
    launched.transport->pump(50);
    const auto start = std::chrono::steady_clock::now();
    launched.transport->stop(200);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_TRUE(launched.transport->exitStatus().has_value());
    EXPECT_EQ(launched.transport->pid(), -1);
}

// Tests that a missing binary fails with a message and no transport, near a working launch.
TEST_F(FakeBrowserProcessTest, MissingBinaryFails) {
    LaunchResult launched = launchBrowser(options(dir + "/no-such-browser"));
    EXPECT_FALSE(launched.transport);
    EXPECT_NE(launched.error.find("no-such-browser"), std::string::npos);
}

}  // namespace
}  // namespace orvex::devtools
