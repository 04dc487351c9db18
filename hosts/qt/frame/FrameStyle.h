#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>

#include "platform/FrameWindow.h"

class QMainWindow;
class QTimer;

namespace quibo {

class FrameExtentsFilter;

// The main window's frame as its style bits and z-order band say: the
// title bar and its buttons follow the border bit (without it an X11
// window manager is asked for a border alone, which Qt's window flags
// cannot say); the window may stay on top. A frame that changes while the
// window shows keeps the window's outer rectangle: the client area takes
// up what a title bar gave back, or gives it again.
class FrameStyle : public QObject {
public:
    // fit makes the window as large as its contents plus Extra().
    FrameStyle(QMainWindow& window, std::function<void()> fit);
    ~FrameStyle() override;

    void ModifyStyle(unsigned remove, unsigned add);
    void SetWindowPos(InsertAfter insertAfter, unsigned flags);
    // The window has shown.
    void Shown();
    // What the client area took over from the frame (a title bar's height).
    QSize Extra() const { return m_extra; }

private:
    void ApplyWindowFlags();
    QMargins FrameMargins() const;
    // The frame changed to margins: the window grows or shrinks inside the
    // outer rectangle it had before.
    void KeepOuterRect(const QMargins& margins);
    // X11: once the frame has rested, the window is where the kept rectangle
    // says, or is asked again.
    void SettleFrame();

    QMainWindow& m_window;
    std::function<void()> m_fit;
    unsigned m_style = WS_BORDER | WS_THICKFRAME | WS_MAXIMIZEBOX;
    bool m_topmost = false;
    bool m_x11 = false;
    // While the frame changes: the outer rectangle to keep. A window manager
    // may pass through more than one frame on the way; after a while the
    // rectangle is the user's to move again.
    std::optional<QRect> m_keptOuter;
    QTimer* m_keptOuterTimer = nullptr;
    // X11: checks the window against the kept rectangle once the frame rests.
    QTimer* m_settleTimer = nullptr;
    int m_settleTries = 0;
    QSize m_extra{0, 0};
    std::unique_ptr<FrameExtentsFilter> m_extentsFilter;
};

}  // namespace quibo
