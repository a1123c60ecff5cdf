#pragma once
// A tiny HTTP server on 127.0.0.1 for browser tests: fixed pages by path, one thread per connection.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvex::devtools {

/// Serves fixed HTML pages on an ephemeral loopback port until destroyed.
class TestHttpServer {
  public:
    /// Starts serving pages (path -> HTML); port() is 0 when the socket could not be opened.
    explicit TestHttpServer(std::map<std::string, std::string> pages);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const { return m_port; }
    /// Replaces the pages served from now on (pages that name the server's own port need it first).
    void setPages(std::map<std::string, std::string> pages);
    /// The address of path on host (e.g. "127.0.0.1" or "localhost").
    std::string url(const std::string& path, const std::string& host = "127.0.0.1") const;
    /// Paths requested so far, in order.
    std::vector<std::string> requested() const;

  private:
    void acceptLoop();
    void serve(int connection);

    std::map<std::string, std::string> m_pages;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_acceptor;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::vector<std::string> m_requested;
};

}  // namespace orvex::devtools
