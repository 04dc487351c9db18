#include "shell/qt/QtMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <vector>

#include "byteorder/DataTypeCommands.h"
#include "shell/platform/CommandIds.h"
#include "shell/qt/Accessibility.h"
#include "shell/qt/Latin1Text.h"
#include "shell/qt/LockKeys.h"
#include "shell/qt/MenuBar.h"
#include "shell/qt/StatusPane.h"
#include "shell/res/Strings.h"

namespace quibo {

namespace {

constexpr std::array<int, 4> kIndicators{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
// What a screen reader calls each pane, whether or not it shows its text.
constexpr std::array<const char*, 4> kIndicatorNames{"", "Caps Lock", "Num Lock", "Scroll Lock"};
// Pixels between an indicator's frame and its text, on each side.
constexpr int kIndicatorPadding = 2;

}  // namespace

QtMainFrame::QtMainFrame() : m_x11(QGuiApplication::platformName() == QLatin1String("xcb"))
{
    m_actions = BuildMenuBar(*this, {[this](int id) { RunCommand(id); }, [this] { UpdateMenuChecks(); },
                                     [this](std::string_view text) { SetPaneText(0, text); },
                                     [this] { m_focusMovedInMenu = false; }, [this] { MenuClosed(); }});
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this] { m_focusMovedInMenu = true; });
    // The data types are one choice: radio items to a screen reader. They
    // keep their check marks on screen, which an exclusive QActionGroup
    // would turn into radio dots.
    for (const DataTypeCommand& command : DataTypeCommands()) {
        if (QAction* item = Action(command.id))
            MarkChoice(*item);
    }
    AddAccelerators(*this, [this](int id) { RunCommand(id); });
    // The menus, like the status bar, speak in the form's font: at a large
    // desktop font the fixed-width bar would hide menus behind a "»".
    const QFont formFont = TemplateFont(kForm101);
    menuBar()->setFont(formFont);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->setFont(formFont);
    BuildStatusBar();
    ApplyWindowFlags();
    m_keptOuterTimer = new QTimer(this);
    m_keptOuterTimer->setSingleShot(true);
    m_keptOuterTimer->setInterval(3000);
    connect(m_keptOuterTimer, &QTimer::timeout, this, [this] { m_keptOuter.reset(); });
    if (m_x11) {
        // An X11 window manager changes the frame when it is ready to; the
        // window then fits itself into the rectangle it had.
        // It may pass through more than one frame on the way (openbox: none,
        // then a border) and answer a move late, so the window settles once
        // the extents have rested, and again until the X server agrees.
        m_frameSettleTimer = new QTimer(this);
        m_frameSettleTimer->setSingleShot(true);
        m_frameSettleTimer->setInterval(50);
        connect(m_frameSettleTimer, &QTimer::timeout, this, [this] { SettleFrame(); });
        m_extentsFilter = std::make_unique<FrameExtentsFilter>(
            [this] { return internalWinId(); }, [this] { return m_keptOuter.has_value(); },
            [this] {
                m_settleTries = 0;
                m_frameSettleTimer->start();
            });
        QCoreApplication::instance()->installNativeEventFilter(m_extentsFilter.get());
    }
}

QtMainFrame::~QtMainFrame()
{
    // QWidget's destructor moves the focus, after this part has gone.
    disconnect(m_focusWatch);
    if (m_extentsFilter)
        QCoreApplication::instance()->removeNativeEventFilter(m_extentsFilter.get());
}

void QtMainFrame::SetHandlers(std::function<void(int)> command, std::function<int(int)> update)
{
    m_command = std::move(command);
    m_update = std::move(update);
    // Which items are enabled is known before the first command.
    UpdateMenuChecks();
}

void QtMainFrame::SetForm(QtForm* form)
{
    m_form = form;
    setCentralWidget(form);
}

void QtMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    // The bar is the form's: it speaks in the form's font, not the desktop's.
    bar->setFont(TemplateFont(kForm101));
    m_messagePane = new StatusPane(bar);
    m_messagePane->SetText(ToQString(LoadString(AFX_IDS_IDLEMESSAGE)));
    bar->addWidget(m_messagePane, 1);
    m_panes[0] = m_messagePane;
    for (std::size_t i = 1; i < kIndicators.size(); ++i) {
        // As wide as its text and no wider; the text shows only while its
        // key is locked.
        auto* pane = new QLabel(bar);
        MarkReadOut(*pane);
        pane->setAccessibleName(kIndicatorNames[i]);  // the state is not known yet
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        const int textWidth = static_cast<int>(
            std::ceil(QFontMetricsF(bar->font()).horizontalAdvance(ToQString(LoadString(kIndicators[i])))));
        pane->setFixedWidth(textWidth + 2 * pane->frameWidth() + 2 * kIndicatorPadding);
        bar->addPermanentWidget(pane);
        m_panes[i] = pane;
    }
    // The lock keys are read when the event loop runs, not on the way to the
    // first map of the window: asking the X server costs round trips.
    QTimer::singleShot(0, this, [this] {
        new LockKeyWatcher([this] { ShowLockKeys(); }, this);
        ShowLockKeys();
    });
}

void QtMainFrame::ShowLockKeys()
{
    const std::optional<LockKeys> keys = ReadLockKeys();
    const bool on[] = {false, keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (std::size_t i = 1; i < kIndicators.size(); ++i)
        SetIndicatorText(i, on[i] ? ToQString(LoadString(kIndicators[i])) : QString(), keys.has_value());
}

void QtMainFrame::SetIndicatorText(std::size_t index, const QString& text, bool stateKnown)
{
    QLabel& pane = *m_panes[index];
    const QString before = pane.text();
    pane.setText(text);
    // A screen reader reads the name first: it says whether the lock is on.
    // Where the lock keys cannot be read (Wayland), the name says no state.
    const QString name = stateKnown ? QString("%1 %2").arg(kIndicatorNames[index], text.isEmpty() ? "off" : "on")
                                    : QString(kIndicatorNames[index]);
    if (pane.accessibleName() != name)
        pane.setAccessibleName(name);
    AnnounceTextChange(pane, before, text);
}

void QtMainFrame::MenuClosed()
{
    // Chosen with the mouse, a menu gives the keyboard focus back without a
    // focus event (it never left, as Qt sees it), and a screen reader would
    // stay on the menu item: say where the focus is. From the keyboard the
    // focus went to the menu bar and came back with its own events.
    if (m_focusMovedInMenu)
        return;
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == this)
        AnnounceFocus(*focus);
}

bool QtMainFrame::SetPaneText(int nIndex, std::string_view text, bool)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return false;
    if (nIndex == 0)
        m_messagePane->SetText(ToQString(text));
    else
        SetIndicatorText(static_cast<std::size_t>(nIndex), ToQString(text), true);
    return true;
}

std::string QtMainFrame::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return {};
    if (nIndex == 0)
        return FromQString(m_messagePane->Text());
    return FromQString(m_panes[static_cast<std::size_t>(nIndex)]->text());
}

QAction* QtMainFrame::Action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void QtMainFrame::RunCommand(int id)
{
    if (const QAction* item = Action(id); (item && !item->isEnabled()) || !m_command)
        return;
    m_command(id);
    UpdateMenuChecks();
}

void QtMainFrame::UpdateMenuChecks()
{
    if (!m_update)
        return;
    for (const auto& [id, action] : m_actions) {
        const int check = m_update(id);
        action->setCheckable(check >= 0);
        action->setChecked(check == 1);
        // Against the model's last answer: Qt has flipped a chosen item
        // before its command runs.
        const auto [last, first] = m_checks.try_emplace(id, check);
        if (!first && last->second != check)
            AnnounceChecked(*action);
        last->second = check;
    }
    // Where no window may stay on top (Wayland), the item says so rather
    // than pretend.
    if (QAction* topmost = Action(ID_VIEW_TOPMOST))
        topmost->setEnabled(CanStayOnTop());
}

bool QtMainFrame::CanStayOnTop() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void QtMainFrame::FitToForm()
{
    // The size hint is the form's, the menu's and the visible status bar's.
    setFixedSize(sizeHint() + m_frameExtra);
}

void QtMainFrame::ModifyStyle(unsigned remove, unsigned add)
{
    // Before the window is shown the style takes effect at once; a shown
    // window shows it when SetWindowPos redraws the frame.
    m_style = (m_style & ~remove) | add;
    if (!isVisible())
        ApplyWindowFlags();
}

void QtMainFrame::ApplyWindowFlags()
{
    // The title bar, and the buttons it carries, follow the border bit.
    // Without it an X11 window manager is asked for a border alone, which
    // Qt's flags cannot say; elsewhere the window has no frame at all.
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
    if (QWindow* window = windowHandle()) {
        // In place: QWidget::setWindowFlags would make a new native window
        // (a new window id, and a flicker).
        window->setFlags(flags);
        overrideWindowFlags(flags);
        if (m_x11 && !border)
            RequestBorderWithoutTitle(window->winId());
    } else {
        setWindowFlags(flags);
    }
}

QMargins QtMainFrame::FrameMargins() const
{
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void QtMainFrame::SetWindowPos(InsertAfter insertAfter, unsigned flags)
{
    if (insertAfter != InsertAfter::Unchanged)
        m_topmost = insertAfter == InsertAfter::TopMost;
    if (insertAfter == InsertAfter::Unchanged && !(flags & SWP_FRAMECHANGED))
        return;

    // A new frame keeps the window's outer rectangle: the client area takes
    // up what a title bar gave back, or gives it again.
    const bool keepOuter = (flags & SWP_FRAMECHANGED) && isVisible();
    if (keepOuter) {
        // On X11 as the window manager has it now, not as Qt last heard.
        const QMargins margins = m_x11 ? FrameExtents(internalWinId()).value_or(QMargins()) : FrameMargins();
        m_keptOuter = geometry().marginsAdded(margins);
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

void QtMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A border removed before the window first showed.
    if (m_x11 && !(m_style & WS_BORDER))
        RequestBorderWithoutTitle(internalWinId());
}

void QtMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (m_form && m_form->PressKeyboardKey(*event))
        return;
    QMainWindow::keyPressEvent(event);
}

void QtMainFrame::KeepOuterRect(const QMargins& margins)
{
    if (!m_keptOuter)
        return;
    const QRect outer = *m_keptOuter;
    const QSize base = sizeHint();
    m_frameExtra = QSize(std::max(0, outer.width() - margins.left() - margins.right() - base.width()),
                         std::max(0, outer.height() - margins.top() - margins.bottom() - base.height()));
    FitToForm();
    if (m_x11) {
        const QRect client(outer.topLeft() + QPoint(margins.left(), margins.top()), size());
        setGeometry(client);
        // Qt skips a request for the geometry it believes the window has,
        // which after a late answer from the window manager may be stale.
        RequestClientRect(internalWinId(), client);
        m_keptOuterTimer->start();
    }
}

void QtMainFrame::SettleFrame()
{
    const WId window = internalWinId();
    const std::optional<QMargins> margins = FrameExtents(window);
    const std::optional<QRect> client = ClientRectOnScreen(window);
    if (!m_keptOuter || !margins || !client || client->marginsAdded(*margins) == *m_keptOuter)
        return;
    KeepOuterRect(*margins);
    // A window manager that will not place the window there is not asked forever.
    if (++m_settleTries < 5)
        m_frameSettleTimer->start();
}

int QtMainFrame::DoModal(const DialogTemplate& dialog)
{
    QDialog box(this);
    box.setWindowTitle(ToQString(dialog.caption));
    box.setFont(TemplateFont(dialog));
    const DialogUnits units(box.font());
    box.setFixedSize(units.X(dialog.cx), units.Y(dialog.cy));
    for (const TemplateWidget& entry : CreateTemplateWidgets(dialog, box, units)) {
        if (auto* button = qobject_cast<QPushButton*>(entry.widget)) {
            const bool ok = entry.control->id == 1;
            connect(button, &QPushButton::clicked, &box, ok ? &QDialog::accept : &QDialog::reject);
        }
    }
    int result = 0;
    if (m_form)
        m_form->RunModal([&] { result = box.exec(); });
    else
        result = box.exec();
    return result == QDialog::Accepted ? 1 : 2;
}

void QtMainFrame::ShowStatusBar(bool show)
{
    statusBar()->setVisible(show);
    FitToForm();
}

bool QtMainFrame::IsStatusBarVisible() const
{
    return statusBar()->isVisible() || (!isVisible() && !statusBar()->isHidden());
}

}  // namespace quibo
