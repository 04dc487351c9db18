#include "hosts/qt/frame/FirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>


namespace quibo {

namespace {

// Waits for the window's first expose, whose handling paints the frame;
// the work runs after it, once.
class FirstExposeWatch : public QObject {
public:
    FirstExposeWatch(QObject* parent, std::function<void()> work) : QObject(parent), m_work(std::move(work)) {}

    void Run()
    {
        if (!m_work)
            return;
        const std::function<void()> work = std::move(m_work);
        m_work = nullptr;
        work();
        deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, this, [this] { Run(); });
        return false;
    }

private:
    std::function<void()> m_work;
};

}  // namespace

void AfterFirstFrame(QWidget& window, std::function<void()> work)
{
    QWindow* handle = window.windowHandle();
    auto* watch = new FirstExposeWatch(&window, std::move(work));
    if (handle)
        handle->installEventFilter(watch);
    QTimer::singleShot(handle ? 1000 : 0, watch, [watch] { watch->Run(); });
}

}  // namespace quibo
