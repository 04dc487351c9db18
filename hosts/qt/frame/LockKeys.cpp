#include "hosts/qt/frame/LockKeys.h"

#include <QCoreApplication>
#include <QTimer>

#include <X11/XKBlib.h>
#include <xcb/xcb.h>

#include "hosts/qt/frame/X11Display.h"

namespace quibo {

namespace {

bool IndicatorOn(Display* display, const char* name)
{
    Bool on = False;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
}

}  // namespace

std::optional<LockKeys> ReadLockKeys()
{
    Display* display = XDisplay();
    if (!display)
        return std::nullopt;
    return LockKeys{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                    IndicatorOn(display, "Scroll Lock")};
}

LockKeyWatcher::LockKeyWatcher(std::function<void()> changed, QObject* parent)
    : QObject(parent), m_changed(std::move(changed))
{
    Display* display = XDisplay();
    if (!display)
        return;
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor) &&
        XkbSelectEvents(display, XkbUseCoreKbd, XkbIndicatorStateNotifyMask, XkbIndicatorStateNotifyMask)) {
        m_eventBase = eventBase;
        QCoreApplication::instance()->installNativeEventFilter(this);
        return;
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { m_changed(); });
    timer->start(250);
}

LockKeyWatcher::~LockKeyWatcher()
{
    if (m_eventBase >= 0)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool LockKeyWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    // Every keyboard extension event has its own kind in its second byte.
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) == m_eventBase && event->pad0 == XkbIndicatorStateNotify)
        m_changed();
    return false;
}

}  // namespace quibo
