#pragma once

#include <QStatusBar>

#include <array>

#include "platform/StatusBarWindow.h"

class QLabel;

namespace quibo {

class StatusPane;
class WrapPane;

// The main window's status bar: the message pane, the WRAP pane, then the
// CAP, NUM and SCRL panes, which show their text while the key is locked
// and tell a screen reader whether it is.
class QtStatusBar : public QStatusBar, public StatusBarWindow {
public:
    explicit QtStatusBar(QWidget* parent);

    bool SetPaneText(int nIndex, std::string_view text, bool bUpdate = true) override;
    std::string GetPaneText(int nIndex) const override;
    // While a menu is open the WRAP and lock-key panes step aside: a menu
    // item's prompt gets the whole bar.
    void SetMenuOpen(bool open);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowLockKeys();
    void SetLockText(std::size_t lock, const QString& text, bool stateKnown);

    StatusPane* m_messagePane = nullptr;
    WrapPane* m_wrapPane = nullptr;
    std::array<QLabel*, 3> m_lockPanes{};
    bool m_lockKeysWatched = false;
};

}  // namespace quibo
