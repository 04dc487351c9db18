#include "hosts/qt/frame/FrameStyle.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <algorithm>

#include "hosts/qt/frame/X11Frame.h"

namespace quibo {

FrameStyle::FrameStyle(QMainWindow& window, std::function<void()> fit)
    : QObject(&window), m_window(window), m_fit(std::move(fit)),
      m_x11(QGuiApplication::platformName() == QLatin1String("xcb"))
{
    ApplyWindowFlags();
    m_keptOuterTimer = new QTimer(this);
    m_keptOuterTimer->setSingleShot(true);
    m_keptOuterTimer->setInterval(3000);
    connect(m_keptOuterTimer, &QTimer::timeout, this, [this] { m_keptOuter.reset(); });
    if (!m_x11)
        return;
    // An X11 window manager changes the frame when it is ready to; the
    // window then fits itself into the rectangle it had. It may pass
    // through more than one frame on the way (openbox: none, then a border)
    // and answer a move late, so the window settles once the extents have
    // rested, and again until the X server agrees.
    m_settleTimer = new QTimer(this);
    m_settleTimer->setSingleShot(true);
    m_settleTimer->setInterval(50);
    connect(m_settleTimer, &QTimer::timeout, this, [this] { SettleFrame(); });
    m_extentsFilter = std::make_unique<FrameExtentsFilter>(
        [this] { return m_window.internalWinId(); }, [this] { return m_keptOuter.has_value(); },
        [this] {
            m_settleTries = 0;
            m_settleTimer->start();
        });
    QCoreApplication::instance()->installNativeEventFilter(m_extentsFilter.get());
}

FrameStyle::~FrameStyle()
{
    if (m_extentsFilter)
        QCoreApplication::instance()->removeNativeEventFilter(m_extentsFilter.get());
}

void FrameStyle::ModifyStyle(unsigned remove, unsigned add)
{
    // Before the window is shown the style takes effect at once; a shown
    // window shows it when SetWindowPos redraws the frame.
    m_style = (m_style & ~remove) | add;
    if (!m_window.isVisible())
        ApplyWindowFlags();
}

void FrameStyle::ApplyWindowFlags()
{
    const bool border = m_style & WS_BORDER;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (border) {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint;
        if (m_style & WS_MAXIMIZEBOX)
            flags |= Qt::WindowMaximizeButtonHint;
    } else if (!m_x11) {
        flags |= Qt::FramelessWindowHint;
    }
    if (m_topmost)
        flags |= Qt::WindowStaysOnTopHint;
    if (QWindow* window = m_window.windowHandle()) {
        // In place: QWidget::setWindowFlags would make a new native window
        // (a new window id, and a flicker).
        window->setFlags(flags);
        m_window.overrideWindowFlags(flags);
        if (m_x11 && !border)
            RequestBorderWithoutTitle(window->winId());
    } else {
        m_window.setWindowFlags(flags);
    }
}

QMargins FrameStyle::FrameMargins() const
{
    return m_window.windowHandle() ? m_window.windowHandle()->frameMargins() : QMargins();
}

void FrameStyle::SetWindowPos(InsertAfter insertAfter, unsigned flags)
{
    if (insertAfter != InsertAfter::Unchanged)
        m_topmost = insertAfter == InsertAfter::TopMost;
    if (insertAfter == InsertAfter::Unchanged && !(flags & SWP_FRAMECHANGED))
        return;

    const bool keepOuter = (flags & SWP_FRAMECHANGED) && m_window.isVisible();
    if (keepOuter) {
        // On X11 as the window manager has it now, not as Qt last heard.
        const QMargins margins = m_x11 ? FrameExtents(m_window.internalWinId()).value_or(QMargins()) : FrameMargins();
        m_keptOuter = m_window.geometry().marginsAdded(margins);
        m_keptOuterTimer->start();
    }
    ApplyWindowFlags();
    // An X11 window manager answers later (FrameExtentsFilter); other
    // window systems change the frame at once, or not at all.
    if (keepOuter && !m_x11) {
        KeepOuterRect(FrameMargins());
        m_keptOuter.reset();
    }
}

void FrameStyle::Shown()
{
    // A border removed before the window first showed.
    if (m_x11 && !(m_style & WS_BORDER))
        RequestBorderWithoutTitle(m_window.internalWinId());
}

void FrameStyle::KeepOuterRect(const QMargins& margins)
{
    if (!m_keptOuter)
        return;
    const QRect outer = *m_keptOuter;
    const QSize base = m_window.sizeHint();
    m_extra = QSize(std::max(0, outer.width() - margins.left() - margins.right() - base.width()),
                    std::max(0, outer.height() - margins.top() - margins.bottom() - base.height()));
    m_fit();
    if (m_x11) {
        const QRect client(outer.topLeft() + QPoint(margins.left(), margins.top()), m_window.size());
        m_window.setGeometry(client);
        // Qt skips a request for the geometry it believes the window has,
        // which after a late answer from the window manager may be stale.
        RequestClientRect(m_window.internalWinId(), client);
        m_keptOuterTimer->start();
    }
}

void FrameStyle::SettleFrame()
{
    const WId window = m_window.internalWinId();
    const std::optional<QMargins> margins = FrameExtents(window);
    const std::optional<QRect> client = ClientRectOnScreen(window);
    if (!m_keptOuter || !margins || !client || client->marginsAdded(*margins) == *m_keptOuter)
        return;
    KeepOuterRect(*margins);
    // A window manager that will not place the window there is not asked forever.
    if (++m_settleTries < 5)
        m_settleTimer->start();
}

}  // namespace quibo
