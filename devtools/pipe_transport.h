#pragma once
// The transport over the browser's debugging pipe (two file descriptors), with the browser
// process it belongs to.

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "devtools/transport.h"

namespace orvex::devtools {

/// Largest message accepted; a longer one without terminator ends the channel as corrupt.
inline constexpr std::size_t kMaxMessageBytes = 256u * 1024u * 1024u;
/// How long stop() lets the browser end after SIGTERM before it is killed.
inline constexpr int kStopGraceMs = 5000;

/// Non-blocking pipe transport; reaps and stops the browser process when it owns one.
class PipeTransport final : public Transport {
  public:
    /// Takes ownership of both descriptors (made non-blocking); childPid > 0 names the browser
    /// process whose end closes the channel and which stop() ends.
    PipeTransport(int readFd, int writeFd, pid_t childPid = -1);
    ~PipeTransport() override;
    PipeTransport(const PipeTransport&) = delete;
    PipeTransport& operator=(const PipeTransport&) = delete;

    void setHandlers(TransportHandlers handlers) override;
    bool send(std::string message) override;
    bool pump(int timeoutMs) override;
    bool isOpen() const override { return m_open; }
    int readFd() const override { return m_readFd; }
    int writeFd() const override { return m_writeFd; }
    bool hasPendingOutput() const override { return m_outPos < m_out.size(); }

    /// Ends the channel and the browser: closes the pipe, sends SIGTERM, kills the process group
    /// after graceMs, and reaps it; the profile directory is left untouched. Safe to call twice.
    void stop(int graceMs = kStopGraceMs);
    /// The browser's process id, or -1 when there is none (or it has been reaped).
    pid_t pid() const { return m_child; }
    /// The browser's wait status once it has been reaped.
    std::optional<int> exitStatus() const { return m_exitStatus; }

  private:
    void readAvailable();
    void deliverMessages();
    void flushOutput();
    void checkChild();
    void closeChannel(const std::string& reason);
    void closeFds();
    void reapChild(int graceMs);

    int m_readFd = -1;
    int m_writeFd = -1;
    pid_t m_child = -1;
    std::optional<int> m_exitStatus;
    bool m_open = true;
    TransportHandlers m_handlers;
    std::string m_in;  // received bytes; [m_inStart, end) not yet delivered
    std::size_t m_inStart = 0;
    std::size_t m_scanPos = 0;  // no NUL in [m_inStart, m_scanPos)
    std::string m_out;          // bytes to write; [m_outPos, end) pending
    std::size_t m_outPos = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace orvex::devtools
