#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the way its "終了" does (browser closed, screen
// space given back), from the event loop rather than inside the signal handler.

#include <functional>

#include <QObject>

namespace orvex::app {

class QuitSignals : public QObject {
    Q_OBJECT
  public:
    /// Runs `onQuit` from the event loop when one of the signals arrives; only one instance may
    /// exist. When the signal's pipe cannot be made the signals keep their default effect.
    explicit QuitSignals(std::function<void()> onQuit, QObject* parent = nullptr);
    ~QuitSignals() override;

  private:
    std::function<void()> m_onQuit;
};

}  // namespace orvex::app
