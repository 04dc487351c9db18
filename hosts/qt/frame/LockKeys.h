#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <functional>
#include <optional>

namespace quibo {

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' state as the X server's keyboard extension reports it;
// nothing where the platform cannot tell (not X11).
std::optional<LockKeys> ReadLockKeys();

// Calls changed whenever the lock keys' indicators change: on the keyboard
// extension's indicator events, or, on an X server without them, every
// quarter of a second. Where there are no lock keys to read, never.
class LockKeyWatcher : public QObject, public QAbstractNativeEventFilter {
public:
    explicit LockKeyWatcher(std::function<void()> changed, QObject* parent = nullptr);
    ~LockKeyWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<void()> m_changed;
    int m_eventBase = -1;  // the keyboard extension's first event code
};

}  // namespace quibo
