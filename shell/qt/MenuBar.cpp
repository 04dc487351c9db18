#include "shell/qt/MenuBar.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <memory>
#include <vector>

#include "shell/platform/CommandIds.h"
#include "shell/qt/Latin1Text.h"
#include "shell/res/Menu.h"
#include "shell/res/Strings.h"

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

std::map<int, QAction*> BuildMenuBar(QMainWindow& window, const MenuHooks& hooks)
{
    // Whether a command was chosen since the menu bar last opened a menu.
    const auto commandRan = std::make_shared<bool>(false);
    const std::string_view idle = LoadString(AFX_IDS_IDLEMESSAGE);
    std::map<int, QAction*> actions;
    // Each entry's parent is the last popup one level up.
    std::vector<QMenu*> popups;
    for (const MenuEntry& entry : Menu128()) {
        popups.resize(static_cast<std::size_t>(entry.depth));
        QMenu* parent = popups.empty() ? nullptr : popups.back();
        const QString text = ToQString(entry.text);
        if (entry.id == 0) {
            QMenu* menu = parent ? parent->addMenu(text) : window.menuBar()->addMenu(text);
            // The open menu holds the pointer, so the status pane's cut
            // prompts could never be read whole: the item shows its own.
            menu->setToolTipsVisible(true);
            QObject::connect(menu, &QMenu::aboutToShow, &window, [hooks, commandRan, parent] {
                if (!parent) {
                    *commandRan = false;
                    if (hooks.opened)
                        hooks.opened();
                }
                hooks.opening();
            });
            // A closed menu leaves the idle text, unless a command was chosen:
            // that one already showed the idle text and may have written the
            // pane since (whichever of the two Qt does first).
            QObject::connect(menu, &QMenu::aboutToHide, &window, [&window, hooks, commandRan, idle, parent] {
                QTimer::singleShot(0, &window, [hooks, commandRan, idle, parent] {
                    if (!*commandRan)
                        hooks.paneText(idle);
                    // Moving along the bar opens the next menu at once.
                    if (!parent && !QApplication::activePopupWidget() && hooks.closed)
                        hooks.closed();
                });
            });
            QObject::connect(menu->menuAction(), &QAction::hovered, &window, [hooks, idle] { hooks.paneText(idle); });
            popups.push_back(menu);
            continue;
        }
        const int id = entry.id;
        QAction* action = parent->addAction(text);
        QObject::connect(action, &QAction::triggered, &window, [hooks, commandRan, idle, id] {
            *commandRan = true;
            hooks.paneText(idle);
            hooks.command(id);
        });
        // While an item is highlighted the pane shows its prompt.
        QObject::connect(action, &QAction::hovered, &window, [hooks, id] { hooks.paneText(CommandPrompt(id)); });
        action->setToolTip(ToQString(CommandPrompt(id)));
        actions[id] = action;
    }
    return actions;
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
