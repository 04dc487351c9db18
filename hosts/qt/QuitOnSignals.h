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
    // Sleeps up to milliseconds; false at once when a signal comes (or came
    // since the event loop last heard of one).
    bool Pause(int milliseconds) const;

private:
    static constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

    std::array<struct sigaction, 3> m_previous{};
    QSocketNotifier* m_notifier = nullptr;
    bool m_received = false;
};

}  // namespace quibo
