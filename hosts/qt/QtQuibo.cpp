#include "hosts/qt/QtQuibo.h"

#include <QtGlobal>

namespace quibo {

QtQuibo::QtQuibo()
    : m_form(new QtForm(kForm101, DialogUnits(TemplateFont(kForm101)))),
      m_platform(m_window, *m_form),
      m_app(m_platform, *m_form, m_window, m_window)
{
    m_form->setFont(TemplateFont(kForm101));
    m_window.SetForm(m_form);
    m_form->SetFitParent([this] { m_window.FitToForm(); });
    m_form->SetTarget(&m_app.View());
    m_form->SetCopyResult([this](ControlId id, QtForm::Copy copy) {
        copy == QtForm::Copy::Code ? m_app.CopyAsCode(id) : m_app.CopyResult(id);
    });
    m_window.SetHandlers(
        [this](int id) {
            // A menu item or accelerator that nothing takes would do nothing
            // without a word: the routing test keeps the tables whole, and a
            // debug build says so too.
            [[maybe_unused]] const bool taken = m_app.OnCmdMsg(id);
#ifndef NDEBUG
            if (!taken)
                qWarning("quibo: no handler takes command %d", id);
#endif
        },
        [this](int id) { return m_app.MenuState(id); });
}

void QtQuibo::Exit(const Pause& pause)
{
    m_window.hide();
    m_app.ExitInstance();
    m_platform.FinishSettings(pause);
}

void QtQuibo::AfterFirstFrame()
{
    m_app.KeepRecentFiles();
}

bool QtQuibo::Start(const std::optional<std::string>& fileName)
{
    if (!m_app.InitInstance(fileName))
        return false;
    m_window.UpdateMenuChecks();
    return true;
}

}  // namespace quibo
