#include "hosts/qt/QuitOnSignals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace quibo {

namespace {

// A signal handler may only write a byte; the event loop reads it.
int g_pipe[2] = {-1, -1};

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitOnSignals::QuitOnSignals()
{
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        // A signal the starter ignores (nohup, a background job) stays
        // ignored.
        sigaction(kSignals[i], nullptr, &m_previous[i]);
        if (m_previous[i].sa_handler != SIG_IGN)
            sigaction(kSignals[i], &action, nullptr);
    }
}

QuitOnSignals::~QuitOnSignals()
{
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
}

bool QuitOnSignals::Pause(int milliseconds) const
{
    pollfd arrived{g_pipe[0], POLLIN, 0};
    return poll(&arrived, g_pipe[0] < 0 ? 0 : 1, milliseconds) <= 0;
}

void QuitOnSignals::Listen()
{
    if (g_pipe[0] < 0 || m_notifier)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        m_received = true;
        // A modal box (at start-up, say) closes as if cancelled; the event
        // loops end, and one not yet running is not started (Received).
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        QCoreApplication::quit();
    });
}

}  // namespace quibo
