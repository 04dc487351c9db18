#include "hosts/qt/frame/QtMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include "app/DataTypeCommands.h"
#include "hosts/qt/form/Accessibility.h"
#include "hosts/qt/frame/FormArea.h"
#include "hosts/qt/frame/FrameStyle.h"
#include "hosts/qt/frame/TemplateDialog.h"
#include "hosts/qt/form/Latin1Text.h"
#include "hosts/qt/frame/MenuBar.h"
#include "hosts/qt/frame/QtStatusBar.h"

namespace quibo {

QtMainFrame::QtMainFrame()
{
    m_menuBar = new MenuBar(*this, {[this](int id) { RunCommand(id); }, [this] { UpdateMenuChecks(); },
                                    [this](std::string_view text) { SetPaneText(0, text); },
                                    [this] {
                                        m_focusMovedInMenu = false;
                                        m_statusBar->SetMenuOpen(true);
                                    },
                                    [this] { MenuClosed(); }});
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
    m_statusBar = new QtStatusBar(this);
    setStatusBar(m_statusBar);
    m_frameStyle = new FrameStyle(*this, [this] { FitToForm(); });
}

QtMainFrame::~QtMainFrame()
{
    // QWidget's destructor moves the focus, after this part has gone.
    disconnect(m_focusWatch);
}

void QtMainFrame::SetHandlers(std::function<void(int)> command, std::function<CheckRecorder(int)> update)
{
    m_command = std::move(command);
    m_update = std::move(update);
    // Which items are enabled is known before the first command.
    UpdateMenuChecks();
}

void QtMainFrame::SetForm(QtForm* form)
{
    m_form = form;
    m_area = new FormArea(*form, this);
    setCentralWidget(m_area);
}

void QtMainFrame::MenuClosed()
{
    m_statusBar->SetMenuOpen(false);
    // Chosen with the mouse, a menu gives the keyboard focus back without a
    // focus event (it never left, as Qt sees it), and a screen reader would
    // stay on the menu item: say where the focus is. From the keyboard the
    // focus went to the menu bar and came back with its own events.
    if (m_focusMovedInMenu)
        return;
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == this)
        AnnounceFocus(*focus);
}

bool QtMainFrame::SetPaneText(int nIndex, std::string_view text, bool bUpdate)
{
    return m_statusBar->SetPaneText(nIndex, text, bUpdate);
}

std::string QtMainFrame::GetPaneText(int nIndex) const
{
    return m_statusBar->GetPaneText(nIndex);
}

QAction* QtMainFrame::Action(int id) const
{
    const auto it = m_menuBar->Actions().find(id);
    return it == m_menuBar->Actions().end() ? nullptr : it->second;
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
    for (const auto& [id, action] : m_menuBar->Actions()) {
        const CheckRecorder state = m_update(id);
        action->setCheckable(state.check >= 0);
        action->setChecked(state.check == 1);
        action->setEnabled(state.enabled);
        // Against the model's last answer: Qt has flipped a chosen item
        // before its command runs.
        const auto [last, first] = m_checks.try_emplace(id, state.check);
        if (!first && last->second != state.check)
            AnnounceChecked(*action);
        last->second = state.check;
    }
}

bool QtMainFrame::CanStayOnTop() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void QtMainFrame::FitToForm()
{
    // The size hint is the form area's, the menu's and the visible status
    // bar's; the area takes the form's new size at once.
    if (m_area)
        m_area->layout()->activate();
    setFixedSize(sizeHint() + m_frameStyle->Extra());
}

void QtMainFrame::ModifyStyle(unsigned remove, unsigned add)
{
    m_frameStyle->ModifyStyle(remove, add);
}

void QtMainFrame::SetWindowPos(InsertAfter insertAfter, unsigned flags)
{
    m_frameStyle->SetWindowPos(insertAfter, flags);
}

void QtMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_frameStyle->Shown();
}

void QtMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (m_form && m_form->PressKeyboardKey(*event))
        return;
    QMainWindow::keyPressEvent(event);
}

int QtMainFrame::DoModal(const DialogTemplate& dialog)
{
    return RunTemplateDialog(*this, dialog, m_form);
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

void QtMainFrame::ShowBitsPanel(bool show)
{
    if (m_form) {
        m_form->ShowBitsPanel(show);
        m_area->KeepInspectorLast();
    }
    FitToForm();
}

bool QtMainFrame::IsBitsPanelVisible() const
{
    return m_form && m_form->IsBitsPanelShown();
}

void QtMainFrame::ShowInspector(bool show)
{
    if (m_area)
        m_area->ShowInspector(show);
    FitToForm();
}

bool QtMainFrame::IsInspectorVisible() const
{
    return m_area && m_area->IsInspectorShown();
}

void QtMainFrame::SetReadings(InspectorTable table)
{
    if (m_area)
        m_area->SetReadings(std::move(table));
}

}  // namespace quibo
