#include "hosts/qt/frame/X11Frame.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <xcb/xproto.h>

#include <array>

#include "hosts/qt/frame/X11Display.h"

namespace quibo {

Display* XDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

namespace {

Atom FrameExtentsAtom(Display* display)
{
    static const Atom atom = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    return atom;
}

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
enum : long {
    kHintsFunctions = 1L << 0,
    kHintsDecorations = 1L << 1,
    kFunctionMove = 1L << 2,
    kFunctionMinimize = 1L << 3,
    kFunctionClose = 1L << 5,
    kDecorationBorder = 1L << 1,
};

}  // namespace

void RequestBorderWithoutTitle(WId window)
{
    Display* display = XDisplay();
    if (!display || !window)
        return;
    const Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    std::array<long, 5> values{kHintsFunctions | kHintsDecorations, kFunctionMove | kFunctionMinimize | kFunctionClose,
                               kDecorationBorder, 0, 0};
    XChangeProperty(display, static_cast<Window>(window), hints, hints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(values.data()), static_cast<int>(values.size()));
    XFlush(display);
}

std::optional<QRect> ClientRectOnScreen(WId window)
{
    Display* display = XDisplay();
    if (!display || !window)
        return std::nullopt;
    const auto id = static_cast<Window>(window);
    Window root = None;
    Window child = None;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    if (!XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth) ||
        !XTranslateCoordinates(display, id, root, 0, 0, &x, &y, &child))
        return std::nullopt;
    return QRect(x, y, static_cast<int>(width), static_cast<int>(height));
}

void RequestClientRect(WId window, const QRect& rect)
{
    Display* display = XDisplay();
    if (!display || !window || rect.isEmpty())
        return;
    XMoveResizeWindow(display, static_cast<Window>(window), rect.x(), rect.y(), static_cast<unsigned>(rect.width()),
                      static_cast<unsigned>(rect.height()));
    XFlush(display);
}

std::vector<long> WindowProperty(WId window, const char* name)
{
    Display* display = XDisplay();
    if (!display || !window)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> items;
    if (XGetWindowProperty(display, static_cast<Window>(window), XInternAtom(display, name, False), 0, 64, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* values = reinterpret_cast<const long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

std::optional<QMargins> FrameExtents(WId window)
{
    // Left, right, top, bottom.
    const std::vector<long> items = WindowProperty(window, "_NET_FRAME_EXTENTS");
    if (items.size() != 4)
        return std::nullopt;
    return QMargins(static_cast<int>(items[0]), static_cast<int>(items[2]), static_cast<int>(items[1]),
                    static_cast<int>(items[3]));
}

FrameExtentsFilter::FrameExtentsFilter(std::function<WId()> window, std::function<bool()> wanted,
                                       std::function<void()> changed)
    : m_window(std::move(window)), m_wanted(std::move(wanted)), m_changed(std::move(changed))
{
}

bool FrameExtentsFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !m_wanted())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    Display* display = XDisplay();
    const WId window = m_window();
    if (!display || !window || notify->window != window || notify->atom != FrameExtentsAtom(display))
        return false;
    m_changed();
    return false;
}

}  // namespace quibo
