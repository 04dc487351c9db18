#include "shell/qt/LockKeys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

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
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    return LockKeys{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                    IndicatorOn(display, "Scroll Lock")};
}

}  // namespace quibo
