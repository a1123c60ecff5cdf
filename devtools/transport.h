#pragma once
// The byte channel between the program and the browser: NUL-terminated JSON messages.

#include <functional>
#include <string>

namespace orvex::devtools {

/// What a transport reports to its owner while it is pumped.
struct TransportHandlers {
    /// One complete received message, without its NUL terminator.
    std::function<void(std::string message)> onMessage;
    /// The channel ended (browser exited, pipe closed, fatal read error); called once.
    std::function<void(const std::string& reason)> onClosed;
};

/// A message channel to the browser; single-threaded, never throws.
class Transport {
  public:
    virtual ~Transport() = default;

    /// Installs the receivers of messages and of the end of the channel; replaces earlier ones.
    virtual void setHandlers(TransportHandlers handlers) = 0;
    /// Queues one message (without terminator) for sending; returns false when the channel is closed.
    virtual bool send(std::string message) = 0;
    /// Waits up to timeoutMs (0: no wait) for traffic, writes pending output and delivers every
    /// complete received message; returns false once the channel is closed.
    virtual bool pump(int timeoutMs) = 0;
    /// True until the channel has ended.
    virtual bool isOpen() const = 0;
    /// The descriptor an event loop watches for readability, or -1 when there is none.
    virtual int readFd() const { return -1; }
    /// The descriptor an event loop watches for writability while output is pending, or -1.
    virtual int writeFd() const { return -1; }
    /// True while queued output waits for the browser to read it.
    virtual bool hasPendingOutput() const { return false; }
};

}  // namespace orvex::devtools
