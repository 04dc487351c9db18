#pragma once

#include <QObject>

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

private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace quibo
