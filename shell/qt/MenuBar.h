#pragma once

#include <functional>
#include <map>
#include <string_view>

class QAction;
class QMainWindow;

namespace quibo {

// What the menus and accelerators of resource 128 ask of their window.
struct MenuHooks {
    std::function<void(int)> command;               // a command was chosen
    std::function<void()> opening;                   // a menu opens: its check marks
    std::function<void(std::string_view)> paneText;  // the status bar's message
    std::function<void()> opened;                    // a menu of the bar opened
    std::function<void()> closed;                    // ...and every menu has closed since
};

// Builds the menu bar of resource 128 on window: while an item is
// highlighted the message pane shows its prompt, and the idle text when a
// menu closes without a command. The items by command id.
std::map<int, QAction*> BuildMenuBar(QMainWindow& window, const MenuHooks& hooks);

// Adds the accelerator table of resource 128 to window.
void AddAccelerators(QMainWindow& window, const std::function<void(int)>& command);

}  // namespace quibo
