#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "shell/platform/FrameWindow.h"
#include "shell/platform/StatusBarWindow.h"
#include "shell/qt/QtForm.h"
#include "shell/qt/X11Frame.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace quibo {

class StatusPane;

// The main window on Qt: the menu bar and accelerators of resource 128, the
// status bar with its message pane and the CAP, NUM and SCRL panes, and the
// window operations the frame's handlers call. Commands go to a handler by
// id; a menu item's check mark comes from an update handler by id.
class QtMainFrame : public QMainWindow, public FrameWindow, public StatusBarWindow {
public:
    QtMainFrame();
    ~QtMainFrame() override;

    // The command handler runs a command; the update handler answers a
    // menu item's check mark: 1, 0, or -1 for an item without one.
    void SetHandlers(std::function<void(int)> command, std::function<int(int)> update);
    void SetForm(QtForm* form);
    // Makes the window exactly as large as the form, menu and status bar
    // (while visible), and what a removed title bar gave back; never
    // resizable.
    void FitToForm();
    // Whether the window system lets a window stay above the others.
    bool CanStayOnTop() const;
    // Runs a command as its menu item or accelerator does: not while the
    // item is disabled; the check marks follow.
    void RunCommand(int id);
    // Asks every menu item's update handler for its check mark.
    void UpdateMenuChecks();
    QAction* Action(int id) const;

    void ModifyStyle(unsigned remove, unsigned add) override;
    void SetWindowPos(InsertAfter insertAfter, unsigned flags) override;
    int DoModal(const DialogTemplate& dialog) override;
    void ShowStatusBar(bool show) override;
    bool IsStatusBarVisible() const override;

    bool SetPaneText(int nIndex, std::string_view text, bool bUpdate = true) override;
    std::string GetPaneText(int nIndex) const override;

protected:
    void showEvent(QShowEvent* event) override;
    // What a focused key or an unfocused window does not take presses a
    // keypad key.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildStatusBar();
    void ShowLockKeys();
    void SetIndicatorText(std::size_t index, const QString& text, bool stateKnown);
    // Every menu of the bar has closed.
    void MenuClosed();
    void ApplyWindowFlags();
    QMargins FrameMargins() const;
    // The frame changed to margins: the window grows or shrinks inside the
    // outer rectangle it had before.
    void KeepOuterRect(const QMargins& margins);
    // X11: once the frame has rested, the window is where the kept rectangle
    // says, or is asked again.
    void SettleFrame();

    std::function<void(int)> m_command;
    std::function<int(int)> m_update;
    QtForm* m_form = nullptr;
    std::map<int, QAction*> m_actions;
    StatusPane* m_messagePane = nullptr;
    std::array<QLabel*, 4> m_panes{};
    unsigned m_style = WS_BORDER | WS_THICKFRAME | WS_MAXIMIZEBOX;
    bool m_topmost = false;
    bool m_x11 = false;
    // Whether the keyboard focus moved since a menu of the bar opened.
    bool m_focusMovedInMenu = false;
    QMetaObject::Connection m_focusWatch;
    // Each item's check mark as the update handler last gave it.
    std::map<int, int> m_checks;
    // While the frame changes: the outer rectangle to keep. A window manager
    // may pass through more than one frame on the way; after a while the
    // rectangle is the user's to move again.
    std::optional<QRect> m_keptOuter;
    QTimer* m_keptOuterTimer = nullptr;
    // X11: checks the window against the kept rectangle once the frame rests.
    QTimer* m_frameSettleTimer = nullptr;
    int m_settleTries = 0;
    // What the client area took over from the frame (a title bar's height).
    QSize m_frameExtra{0, 0};
    std::unique_ptr<FrameExtentsFilter> m_extentsFilter;
};

}  // namespace quibo
