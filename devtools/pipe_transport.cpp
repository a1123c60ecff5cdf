#include "devtools/pipe_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

namespace orvex::devtools {

namespace {

// Bytes read in one pump before the received messages are delivered.
constexpr std::size_t kMaxReadPerPump = 8u * 1024u * 1024u;
// Chunk size of one read() call.
constexpr std::size_t kReadChunk = 64u * 1024u;
// How long a browser that closed its pipe gets to exit by itself before it is signalled.
constexpr int kSelfExitMs = 1000;
// Poll step while waiting for a child to exit.
constexpr int kReapStepMs = 10;

void makeNonBlocking(int fd) {
    if (fd < 0) return;
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    const int fdFlags = fcntl(fd, F_GETFD);
    if (fdFlags >= 0) fcntl(fd, F_SETFD, fdFlags | FD_CLOEXEC);
}

// write() with SIGPIPE held back, so a browser that went away yields EPIPE instead of ending us.
ssize_t writeWithoutSigpipe(int fd, const char* data, std::size_t size) {
    sigset_t pipeSet;
    sigset_t oldSet;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &oldSet);
    const ssize_t written = write(fd, data, size);
    const int error = errno;
    if (written < 0 && error == EPIPE) {
        const timespec noWait{0, 0};
        sigtimedwait(&pipeSet, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &oldSet, nullptr);
    errno = error;
    return written;
}

// Waits up to ms for pid to exit; true (and the status stored) once it has been reaped.
bool waitForExit(pid_t pid, int ms, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const pid_t result = waitpid(pid, &status, WNOHANG);
        if (result == pid) return true;
        if (result < 0 && errno != EINTR) return true;  // not our child any more: nothing to reap
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kReapStepMs));
    }
}

std::string describeStatus(int status) {
    if (WIFEXITED(status)) return "browser exited with code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "browser was ended by signal " + std::to_string(WTERMSIG(status));
    return "browser ended";
}

}  // namespace

PipeTransport::PipeTransport(int readFd, int writeFd, pid_t childPid)
    : m_readFd(readFd), m_writeFd(writeFd), m_child(childPid) {
    makeNonBlocking(m_readFd);
    makeNonBlocking(m_writeFd);
    if (m_readFd < 0 || m_writeFd < 0) m_open = false;
}

PipeTransport::~PipeTransport() {
    *m_alive = false;
    m_handlers = {};
    stop();
}

void PipeTransport::setHandlers(TransportHandlers handlers) {
    m_handlers = std::move(handlers);
}

bool PipeTransport::send(std::string message) {
    if (!m_open) return false;
    if (m_outPos == m_out.size()) {
        m_out.clear();
        m_outPos = 0;
    }
    m_out.append(message);
    m_out.push_back('\0');
    flushOutput();
    return m_open;
}

bool PipeTransport::pump(int timeoutMs) {
    if (!m_open) return false;
    const auto alive = m_alive;
    pollfd fds[2] = {{m_readFd, POLLIN, 0}, {m_writeFd, POLLOUT, 0}};
    const nfds_t count = hasPendingOutput() ? 2 : 1;
    const int ready = poll(fds, count, std::max(timeoutMs, 0));
    if (ready > 0) {
        if (count == 2 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) flushOutput();
        if (m_open && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) readAvailable();
    }
    if (*alive) checkChild();
    return *alive && m_open;
}

void PipeTransport::readAvailable() {
    const auto alive = m_alive;
    std::size_t total = 0;
    bool ended = false;
    std::string reason = "browser closed the debugging pipe";
    char buffer[kReadChunk];
    while (total < kMaxReadPerPump) {
        const ssize_t n = read(m_readFd, buffer, sizeof buffer);
        if (n > 0) {
            m_in.append(buffer, static_cast<std::size_t>(n));
            total += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) {
            ended = true;
        } else if (errno == EINTR) {
            continue;
        } else if (errno != EAGAIN && errno != EWOULDBLOCK) {
            ended = true;
            reason = "reading the debugging pipe failed";
        }
        break;
    }
    deliverMessages();
    if (!*alive || !m_open) return;
    if (m_in.size() - m_inStart > kMaxMessageBytes) {
        closeChannel("browser sent a message longer than the limit");
        return;
    }
    if (ended) {
        if (m_in.size() > m_inStart) reason += " (an incomplete message was dropped)";
        closeChannel(reason);
    }
}

void PipeTransport::deliverMessages() {
    const auto alive = m_alive;
    for (;;) {
        const std::size_t from = std::max(m_scanPos, m_inStart);
        const std::size_t nul = m_in.find('\0', from);
        if (nul == std::string::npos) {
            m_scanPos = m_in.size();
            break;
        }
        std::string message = m_in.substr(m_inStart, nul - m_inStart);
        m_inStart = nul + 1;
        m_scanPos = m_inStart;
        if (m_handlers.onMessage) {
            try {
                m_handlers.onMessage(std::move(message));
            } catch (...) {
                // A receiver's failure must not stop the other messages.
            }
            if (!*alive) return;
        }
    }
    if (m_inStart > 0) {
        m_in.erase(0, m_inStart);
        m_scanPos -= m_inStart;
        m_inStart = 0;
    }
}

void PipeTransport::flushOutput() {
    while (m_open && m_outPos < m_out.size()) {
        const ssize_t n = writeWithoutSigpipe(m_writeFd, m_out.data() + m_outPos, m_out.size() - m_outPos);
        if (n > 0) {
            m_outPos += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        closeChannel("writing the debugging pipe failed");
        return;
    }
    if (m_outPos == m_out.size()) {
        m_out.clear();
        m_outPos = 0;
    }
}

void PipeTransport::checkChild() {
    if (m_child <= 0 || !m_open) return;
    int status = 0;
    const pid_t result = waitpid(m_child, &status, WNOHANG);
    if (result != m_child) return;
    m_exitStatus = status;
    m_child = -1;
    // Whatever the browser wrote before it ended is still in the pipe.
    readAvailable();
    closeChannel(describeStatus(status));
}

void PipeTransport::closeChannel(const std::string& reason) {
    if (!m_open) return;
    m_open = false;
    closeFds();
    reapChild(kStopGraceMs);
    if (m_handlers.onClosed) {
        auto onClosed = m_handlers.onClosed;
        try {
            onClosed(reason);
        } catch (...) {
        }
    }
}

void PipeTransport::closeFds() {
    if (m_readFd >= 0) close(m_readFd);
    if (m_writeFd >= 0) close(m_writeFd);
    m_readFd = -1;
    m_writeFd = -1;
    m_out.clear();
    m_outPos = 0;
}

void PipeTransport::reapChild(int graceMs) {
    if (m_child <= 0) return;
    int status = 0;
    // Without its pipe the browser ends by itself; give it a moment first.
    bool reaped = waitForExit(m_child, std::min(kSelfExitMs, graceMs), status);
    if (!reaped) {
        kill(m_child, SIGTERM);
        reaped = waitForExit(m_child, graceMs, status);
    }
    if (!reaped) {
        // The browser leads its own process group; take its helpers down with it.
        kill(-m_child, SIGKILL);
        kill(m_child, SIGKILL);
        while (waitpid(m_child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    m_exitStatus = status;
    m_child = -1;
}

void PipeTransport::stop(int graceMs) {
    if (m_open) {
        m_open = false;
        closeFds();
        reapChild(graceMs);
        if (m_handlers.onClosed) {
            auto onClosed = m_handlers.onClosed;
            try {
                onClosed("browser stopped");
            } catch (...) {
            }
        }
        return;
    }
    reapChild(graceMs);
}

}  // namespace orvex::devtools
