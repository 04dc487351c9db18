#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <string_view>

class QAction;
class QMainWindow;
class QMenu;

namespace quibo {

// What the menus and accelerators of resource 128 ask of their window.
struct MenuHooks {
    std::function<void(int)> command;               // a command was chosen
    std::function<void()> opening;                   // a menu opens: its check marks
    std::function<void(std::string_view)> paneText;  // the status bar's message
    std::function<void()> opened;                    // a menu of the bar opened
    std::function<void()> closed;                    // ...and every menu has closed since
};

// The menu bar of resource 128 on a window. While an item is highlighted
// the message pane shows its prompt; a menu that closes without a command
// leaves the idle text.
class MenuBar : public QObject {
public:
    MenuBar(QMainWindow& window, MenuHooks hooks);

    // The items by command id.
    const std::map<int, QAction*>& Actions() const { return m_actions; }

private:
    QMenu* AddMenu(QMainWindow& window, QMenu* parent, const QString& text);
    void AddItem(QMenu& menu, const QString& text, int id);
    void MenuShowing(bool onTheBar);
    void MenuHidden(bool onTheBar);

    MenuHooks m_hooks;
    std::string_view m_idle;
    // Whether a command was chosen since the bar last opened a menu.
    bool m_commandChosen = false;
    std::map<int, QAction*> m_actions;
};

// Adds the accelerator table of resource 128 to window.
void AddAccelerators(QMainWindow& window, const std::function<void(int)>& command);

}  // namespace quibo
