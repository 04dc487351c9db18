#pragma once

#include <QMainWindow>

#include <functional>
#include <map>

#include "platform/CmdUI.h"
#include "platform/FrameWindow.h"
#include "platform/StatusBarWindow.h"
#include "hosts/qt/form/QtForm.h"

class QAction;

namespace quibo {

class FormArea;
class FrameStyle;
class MenuBar;
class QtStatusBar;

// The main window on Qt: the menu bar and accelerators of resource 128 over
// the form, the status bar below, and the window operations the frame's
// handlers call. Commands go to a handler by id; a menu item's check mark
// and whether it is enabled come from an update handler by id.
class QtMainFrame : public QMainWindow, public FrameWindow, public StatusBarWindow {
public:
    QtMainFrame();
    ~QtMainFrame() override;

    // The command handler runs a command; the update handler answers for a
    // menu item.
    void SetHandlers(std::function<void(int)> command, std::function<CheckRecorder(int)> update);
    void SetForm(QtForm* form);
    // Makes the window exactly as large as the form, menu and status bar
    // (while visible), and what a removed title bar gave back; never
    // resizable.
    void FitToForm();
    bool CanStayOnTop() const override;
    // Runs a command as its menu item or accelerator does: not while the
    // item is disabled; the check marks follow.
    void RunCommand(int id);
    // Asks every menu item's update handler for its state.
    void UpdateMenuChecks();
    QAction* Action(int id) const;

    void ModifyStyle(unsigned remove, unsigned add) override;
    void SetWindowPos(InsertAfter insertAfter, unsigned flags) override;
    int DoModal(const DialogTemplate& dialog) override;
    void ShowStatusBar(bool show) override;
    bool IsStatusBarVisible() const override;
    void ShowBitsPanel(bool show) override;
    bool IsBitsPanelVisible() const override;
    void ShowInspector(bool show) override;
    bool IsInspectorVisible() const override;
    void SetReadings(InspectorTable table) override;
    FormArea* Area() const { return m_area; }

    bool SetPaneText(int nIndex, std::string_view text, bool bUpdate = true) override;
    std::string GetPaneText(int nIndex) const override;

protected:
    void showEvent(QShowEvent* event) override;
    // What a focused key or an unfocused window does not take presses a
    // keypad key.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Every menu of the bar has closed.
    void MenuClosed();

    std::function<void(int)> m_command;
    std::function<CheckRecorder(int)> m_update;
    QtForm* m_form = nullptr;
    FormArea* m_area = nullptr;
    MenuBar* m_menuBar = nullptr;
    QtStatusBar* m_statusBar = nullptr;
    FrameStyle* m_frameStyle = nullptr;
    // Whether the keyboard focus moved since a menu of the bar opened.
    bool m_focusMovedInMenu = false;
    QMetaObject::Connection m_focusWatch;
    // Each item's check mark as the update handler last gave it.
    std::map<int, int> m_checks;
};

}  // namespace quibo
