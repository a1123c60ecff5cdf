#include "devtools/test_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvex::devtools {

namespace {

// How long a connection may stay silent before the server drops it (preconnected sockets).
constexpr int kIdleMs = 3000;
// Poll step of the accept loop, so that destruction is noticed quickly.
constexpr int kAcceptStepMs = 50;

}  // namespace

TestHttpServer::TestHttpServer(std::map<std::string, std::string> pages) : m_pages(std::move(pages)) {
    m_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listen < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listen, 64) != 0 ||
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(m_listen);
        m_listen = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
    m_stop = true;
    if (m_acceptor.joinable()) m_acceptor.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        workers.swap(m_workers);
    }
    for (auto& worker : workers) worker.join();
    if (m_listen >= 0) close(m_listen);
}

void TestHttpServer::setPages(std::map<std::string, std::string> pages) {
    std::lock_guard lock(m_mutex);
    m_pages = std::move(pages);
}

std::string TestHttpServer::url(const std::string& path, const std::string& host) const {
    return "http://" + host + ":" + std::to_string(m_port) + path;
}

std::vector<std::string> TestHttpServer::requested() const {
    std::lock_guard lock(m_mutex);
    return m_requested;
}

void TestHttpServer::acceptLoop() {
    while (!m_stop) {
        pollfd fd{m_listen, POLLIN, 0};
        if (poll(&fd, 1, kAcceptStepMs) <= 0) continue;
        const int connection = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        std::lock_guard lock(m_mutex);
        m_workers.emplace_back([this, connection] { serve(connection); });
    }
}

void TestHttpServer::serve(int connection) {
    std::string request;
    char buffer[4096];
    int idle = 0;
    while (request.find("\r\n\r\n") == std::string::npos && !m_stop && idle < kIdleMs) {
        pollfd fd{connection, POLLIN, 0};
        if (poll(&fd, 1, kAcceptStepMs) <= 0) {
            idle += kAcceptStepMs;
            continue;
        }
        const ssize_t n = read(connection, buffer, sizeof buffer);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t firstSpace = request.find(' ');
    const std::size_t secondSpace = request.find(' ', firstSpace + 1);
    if (firstSpace != std::string::npos && secondSpace != std::string::npos) {
        std::string path = request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
        if (const std::size_t query = path.find('?'); query != std::string::npos) path.resize(query);
        bool found = false;
        std::string body = "<html><body>not found</body></html>";
        {
            std::lock_guard lock(m_mutex);
            m_requested.push_back(path);
            if (const auto page = m_pages.find(path); page != m_pages.end()) {
                found = true;
                body = page->second;
            }
        }
        const std::string response =
            std::string("HTTP/1.1 ") + (found ? "200 OK" : "404 Not Found") +
            "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        std::size_t done = 0;
        while (done < response.size()) {
            const ssize_t n = send(connection, response.data() + done, response.size() - done, MSG_NOSIGNAL);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
    }
    close(connection);
}

}  // namespace orvex::devtools
