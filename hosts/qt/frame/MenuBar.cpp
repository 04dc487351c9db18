#include "hosts/qt/frame/MenuBar.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <vector>

#include "platform/CommandIds.h"
#include "hosts/qt/form/Latin1Text.h"
#include "res/Menu.h"
#include "res/Strings.h"

namespace quibo {

namespace {

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

MenuBar::MenuBar(QMainWindow& window, MenuHooks hooks)
    : QObject(&window), m_hooks(std::move(hooks)), m_idle(LoadString(AFX_IDS_IDLEMESSAGE))
{
    // Each entry's parent is the last menu one level up.
    std::vector<QMenu*> menus;
    for (const MenuEntry& entry : Menu128()) {
        menus.resize(static_cast<std::size_t>(entry.depth));
        QMenu* parent = menus.empty() ? nullptr : menus.back();
        if (entry.id == 0)
            menus.push_back(AddMenu(window, parent, ToQString(entry.text)));
        else
            AddItem(*parent, ToQString(entry.text), entry.id);
    }
}

QMenu* MenuBar::AddMenu(QMainWindow& window, QMenu* parent, const QString& text)
{
    QMenu* menu = parent ? parent->addMenu(text) : window.menuBar()->addMenu(text);
    // The open menu holds the pointer, so the status pane's cut prompts
    // could never be read whole: the item shows its own.
    menu->setToolTipsVisible(true);
    const bool onTheBar = !parent;
    connect(menu, &QMenu::aboutToShow, this, [this, onTheBar] { MenuShowing(onTheBar); });
    // After Qt has done both of what it does as a menu closes: hide the
    // menu and run the chosen item's command, in either order.
    connect(menu, &QMenu::aboutToHide, this,
            [this, onTheBar] { QTimer::singleShot(0, this, [this, onTheBar] { MenuHidden(onTheBar); }); });
    connect(menu->menuAction(), &QAction::hovered, this, [this] { m_hooks.paneText(m_idle); });
    return menu;
}

void MenuBar::AddItem(QMenu& menu, const QString& text, int id)
{
    QAction* action = menu.addAction(text);
    connect(action, &QAction::triggered, this, [this, id] {
        m_commandChosen = true;
        m_hooks.paneText(m_idle);
        m_hooks.command(id);
    });
    // While an item is highlighted the pane shows its prompt.
    connect(action, &QAction::hovered, this, [this, id] { m_hooks.paneText(CommandPrompt(id)); });
    action->setToolTip(ToQString(CommandPrompt(id)));
    m_actions[id] = action;
}

void MenuBar::MenuShowing(bool onTheBar)
{
    if (onTheBar) {
        m_commandChosen = false;
        if (m_hooks.opened)
            m_hooks.opened();
    }
    m_hooks.opening();
}

void MenuBar::MenuHidden(bool onTheBar)
{
    // A chosen command showed the idle text already and may have written
    // the pane since.
    if (!m_commandChosen)
        m_hooks.paneText(m_idle);
    // Moving along the bar opens the next menu at once.
    if (onTheBar && !QApplication::activePopupWidget() && m_hooks.closed)
        m_hooks.closed();
}

void AddAccelerators(QMainWindow& window, const std::function<void(int)>& command)
{
    for (const Accelerator& accelerator : Accelerators128()) {
        auto* action = new QAction(&window);
        action->setShortcut(KeyOf(accelerator));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = accelerator.command;
        QObject::connect(action, &QAction::triggered, &window, [command, id] { command(id); });
        window.addAction(action);
    }
}

}  // namespace quibo
