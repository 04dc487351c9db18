#include "shell/qt/QtMainFrame.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cmath>
#include <vector>

#include "shell/platform/CommandIds.h"
#include "shell/qt/Latin1Text.h"
#include "shell/qt/LockKeys.h"
#include "shell/qt/StatusPane.h"
#include "shell/res/Menu.h"
#include "shell/res/Strings.h"

namespace quibo {

namespace {

constexpr std::array<int, 4> kIndicators{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
// Pixels between an indicator's frame and its text, on each side.
constexpr int kIndicatorPadding = 2;

QKeySequence KeyOf(const Accelerator& accelerator)
{
    int key = 0;
    switch (accelerator.key) {
    case VK_BACK: key = Qt::Key_Backspace; break;
    case VK_INSERT: key = Qt::Key_Insert; break;
    case VK_DELETE: key = Qt::Key_Delete; break;
    case VK_F6: key = Qt::Key_F6; break;
    default: key = Qt::Key_A + (accelerator.key - 'A'); break;
    }
    if (accelerator.modifiers & FCONTROL)
        key |= Qt::CTRL;
    if (accelerator.modifiers & FSHIFT)
        key |= Qt::SHIFT;
    if (accelerator.modifiers & FALT)
        key |= Qt::ALT;
    return QKeySequence(key);
}

}  // namespace

QtMainFrame::QtMainFrame()
{
    BuildMenus();
    BuildAccelerators();
    BuildStatusBar();
    ApplyWindowFlags();
}

void QtMainFrame::SetHandlers(std::function<void(int)> command, std::function<int(int)> update)
{
    m_command = std::move(command);
    m_update = std::move(update);
}

void QtMainFrame::SetForm(QtForm* form)
{
    m_form = form;
    setCentralWidget(form);
}

void QtMainFrame::BuildMenus()
{
    // Each entry's parent is the last popup one level up.
    std::vector<QMenu*> popups;
    for (const MenuEntry& entry : Menu128()) {
        popups.resize(static_cast<std::size_t>(entry.depth));
        QMenu* parent = popups.empty() ? nullptr : popups.back();
        const QString text = ToQString(entry.text);
        if (entry.id == 0) {
            QMenu* menu = parent ? parent->addMenu(text) : menuBar()->addMenu(text);
            connect(menu, &QMenu::aboutToShow, this, [this, parent] {
                if (!parent)
                    m_menuCommandRan = false;
                UpdateMenuChecks();
            });
            // A closed menu leaves the idle text, unless a command was chosen:
            // that one already showed the idle text and may have written the
            // pane since (whichever of the two Qt does first).
            connect(menu, &QMenu::aboutToHide, this, [this] {
                QTimer::singleShot(0, this, [this] {
                    if (!m_menuCommandRan)
                        SetPaneText(0, LoadString(AFX_IDS_IDLEMESSAGE));
                });
            });
            connect(menu->menuAction(), &QAction::hovered, this,
                    [this] { SetPaneText(0, LoadString(AFX_IDS_IDLEMESSAGE)); });
            popups.push_back(menu);
            continue;
        }
        const int id = entry.id;
        QAction* action = parent->addAction(text);
        connect(action, &QAction::triggered, this, [this, id] {
            m_menuCommandRan = true;
            SetPaneText(0, LoadString(AFX_IDS_IDLEMESSAGE));
            if (m_command)
                m_command(id);
        });
        // While an item is highlighted the pane shows its prompt.
        connect(action, &QAction::hovered, this, [this, id] { SetPaneText(0, CommandPrompt(id)); });
        m_actions[id] = action;
    }
}

void QtMainFrame::BuildAccelerators()
{
    for (const Accelerator& accelerator : Accelerators128()) {
        auto* action = new QAction(this);
        action->setShortcut(KeyOf(accelerator));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = accelerator.command;
        connect(action, &QAction::triggered, this, [this, id] {
            if (m_command)
                m_command(id);
        });
        addAction(action);
    }
}

void QtMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    // The bar is the form's: it speaks in the form's font, not the desktop's.
    bar->setFont(FormFont());
    m_messagePane = new StatusPane(bar);
    m_messagePane->SetText(ToQString(LoadString(AFX_IDS_IDLEMESSAGE)));
    bar->addWidget(m_messagePane, 1);
    m_panes[0] = m_messagePane;
    for (std::size_t i = 1; i < kIndicators.size(); ++i) {
        // As wide as its text and no wider; the text shows only while its
        // key is locked.
        auto* pane = new QLabel(bar);
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
    QTimer::singleShot(0, this, [this] { ShowLockKeys(); });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { ShowLockKeys(); });
    timer->start(250);
}

void QtMainFrame::ShowLockKeys()
{
    const std::optional<LockKeys> keys = ReadLockKeys();
    const bool on[] = {false, keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (std::size_t i = 1; i < kIndicators.size(); ++i)
        m_panes[i]->setText(on[i] ? ToQString(LoadString(kIndicators[i])) : QString());
}

bool QtMainFrame::SetPaneText(int nIndex, std::string_view text, bool)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return false;
    if (nIndex == 0)
        m_messagePane->SetText(ToQString(text));
    else
        m_panes[static_cast<std::size_t>(nIndex)]->setText(ToQString(text));
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

void QtMainFrame::UpdateMenuChecks()
{
    if (!m_update)
        return;
    for (const auto& [id, action] : m_actions) {
        const int check = m_update(id);
        action->setCheckable(check >= 0);
        action->setChecked(check == 1);
    }
}

void QtMainFrame::FitToForm()
{
    adjustSize();
    setFixedSize(sizeHint());
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
    // The title bar, and the buttons it carries, follow the border bit;
    // without it the window keeps a plain frame.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (m_style & WS_BORDER) {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint;
        if (m_style & WS_MAXIMIZEBOX)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (m_topmost)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
}

void QtMainFrame::SetWindowPos(InsertAfter insertAfter, unsigned flags)
{
    if (insertAfter != InsertAfter::Unchanged)
        m_topmost = insertAfter == InsertAfter::TopMost;
    if (insertAfter == InsertAfter::Unchanged && !(flags & SWP_FRAMECHANGED))
        return;

    // New flags re-create the native window; the outer rectangle stays, so
    // the client area takes up what the title bar gave back or takes.
    const bool visible = isVisible();
    const QRect outer = frameGeometry();
    const QSize frameExtra = outer.size() - size();
    ApplyWindowFlags();
    if (!visible)
        return;
    show();
    QTimer::singleShot(100, this, [this, outer, frameExtra] {
        const QSize newExtra = frameGeometry().size() - size();
        setFixedSize(size() + frameExtra - newExtra);
        move(outer.topLeft());
    });
}

int QtMainFrame::DoModal(const DialogTemplate& dialog)
{
    QDialog box(this);
    box.setWindowTitle(ToQString(dialog.caption));
    box.setFont(FormFont());
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
}

bool QtMainFrame::IsStatusBarVisible() const
{
    return statusBar()->isVisible() || (!isVisible() && !statusBar()->isHidden());
}

}  // namespace quibo
