#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace quibo {

// SIGTERM (a logout), SIGINT and SIGHUP quit the application as closing
// its window does, so that the exit path runs and keeps what it keeps.
// The handlers are installed at construction; the application hears of a
// signal once its event loop runs (Listen).
class QuitOnSignals : public QObject {
public:
    QuitOnSignals();
    ~QuitOnSignals() override;

    // Quits the application's event loop when a signal has come or comes.
    void Listen();
    // Whether a signal came: then the main event loop is not to be started.
    bool Received() const { return m_received; }

private:
    static constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

    std::array<struct sigaction, 3> m_previous{};
    QSocketNotifier* m_notifier = nullptr;
    bool m_received = false;
};

}  // namespace quibo
