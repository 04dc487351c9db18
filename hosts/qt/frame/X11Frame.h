#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QWindow>

#include <functional>
#include <optional>
#include <vector>

namespace quibo {

// What the frame's toggles need of an X11 window manager that Qt's window
// flags cannot say. Each does nothing when the application is not on X11.

// Asks, through the Motif hints, for a frame with a border and no title
// bar: moving, minimizing and closing stay allowed; resizing does not.
void RequestBorderWithoutTitle(WId window);

// The frame the window manager has put around window (_NET_FRAME_EXTENTS),
// if it says.
std::optional<QMargins> FrameExtents(WId window);

// The client window's rectangle on the screen as the X server has it now,
// which may be ahead of or behind what Qt last heard.
std::optional<QRect> ClientRectOnScreen(WId window);

// Asks for window's client rectangle on the screen directly, whatever Qt
// believes the window's geometry to be already.
void RequestClientRect(WId window, const QRect& rect);

// A property of 32-bit items of window (atoms, cardinals); empty when the
// window has none by that name.
std::vector<long> WindowProperty(WId window, const char* name);

// Calls changed when the window manager sets window's frame extents anew,
// while wanted() says they are awaited.
class FrameExtentsFilter : public QAbstractNativeEventFilter {
public:
    FrameExtentsFilter(std::function<WId()> window, std::function<bool()> wanted,
                       std::function<void()> changed);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<WId()> m_window;
    std::function<bool()> m_wanted;
    std::function<void()> m_changed;
};

}  // namespace quibo
