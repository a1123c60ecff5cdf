#include "app/event_pump.h"

#include <exception>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include "devtools/client.h"
#include "settings/wait.h"

namespace orvex::app {

DevToolsPump::DevToolsPump(devtools::Client& client, QObject* parent) : QObject(parent), m_client(client) {
    devtools::Transport* transport = client.transport();
    if (transport != nullptr && transport->readFd() >= 0) {
        m_read = new QSocketNotifier(transport->readFd(), QSocketNotifier::Read, this);
        connect(m_read, &QSocketNotifier::activated, this, &DevToolsPump::pumpNow);
    }
    if (transport != nullptr && transport->writeFd() >= 0) {
        m_write = new QSocketNotifier(transport->writeFd(), QSocketNotifier::Write, this);
        m_write->setEnabled(false);
        connect(m_write, &QSocketNotifier::activated, this, &DevToolsPump::pumpNow);
    }
    // Requests are queued by whoever sends them; just before the event loop sleeps, the write
    // end is watched if output waits and posted work is run.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &DevToolsPump::beforeBlocking);
}

DevToolsPump::~DevToolsPump() = default;

void DevToolsPump::pumpNow() {
    if (m_pumping) return;  // a handler inside the pump waited and the loop came back here
    m_pumping = true;
    try {
        m_client.pump(0);
    } catch (const std::exception&) {
    } catch (...) {
    }
    m_pumping = false;
    if (!m_client.isOpen()) {
        if (m_read) m_read->setEnabled(false);
        if (m_write) m_write->setEnabled(false);
        return;
    }
    beforeBlocking();
}

void DevToolsPump::beforeBlocking() {
    if (!m_client.isOpen()) return;
    devtools::Transport* transport = m_client.transport();
    if (m_write) m_write->setEnabled(transport != nullptr && transport->hasPendingOutput());
    if (m_client.hasPostedWork()) QTimer::singleShot(0, this, &DevToolsPump::pumpNow);
}

void installQtWait() {
    settings::setProcessEventsHook([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    // The step itself lets events run as they come instead of sleeping.
    settings::setWaitStepHook([](std::chrono::milliseconds step) {
        QEventLoop loop;
        QTimer::singleShot(step, &loop, &QEventLoop::quit);
        loop.exec();
    });
}

}  // namespace orvex::app
