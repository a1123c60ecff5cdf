#pragma once
// The browser's protocol traffic and the program's wait on Qt's event loop: the pipe is read when
// the event loop sees it readable and written when it is writable, with no polling timer; the
// wait runs a nested event loop, so handlers run while a caller waits.

#include <memory>

#include <QObject>

class QSocketNotifier;

namespace orvex::devtools {
class Client;
}

namespace orvex::app {

/// Pumps one protocol client from the event loop for as long as both live.
class DevToolsPump : public QObject {
    Q_OBJECT
  public:
    /// Watches the client's transport descriptors; a client without them is pumped only when
    /// it has posted work.
    explicit DevToolsPump(devtools::Client& client, QObject* parent = nullptr);
    ~DevToolsPump() override;

  private:
    void pumpNow();
    void beforeBlocking();

    devtools::Client& m_client;
    QSocketNotifier* m_read = nullptr;
    QSocketNotifier* m_write = nullptr;
    bool m_pumping = false;
};

/// Makes the program's wait process Qt's events: each 10 ms step is a nested event loop ended by
/// a timer, and each round of the wait processes pending events.
void installQtWait();

}  // namespace orvex::app
