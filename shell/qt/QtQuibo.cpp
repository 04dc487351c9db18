#include "shell/qt/QtQuibo.h"

#include "shell/platform/CommandIds.h"

namespace quibo {

QtQuibo::QtQuibo()
    : m_form(new QtForm(kForm101, DialogUnits(FormFont()))),
      m_frame(m_document, m_window, m_window),
      m_view(m_document, *m_form),
      m_platform(m_window, *m_form),
      m_app(m_platform, m_document, m_view)
{
    m_form->setFont(FormFont());
    m_window.SetForm(m_form);
    m_form->SetFitParent([this] { m_window.FitToForm(); });
    m_form->SetTarget(&m_view);
    m_window.SetHandlers([this](int id) { Command(id); }, [this](int id) { return Check(id); });
    m_frame.OnCreate();
}

bool QtQuibo::Start(const std::optional<std::string>& fileName)
{
    if (!m_app.InitInstance(fileName))
        return false;
    m_window.UpdateMenuChecks();
    return true;
}

void QtQuibo::Command(int id)
{
    // A command whose item is disabled does not run, however it is asked for.
    if (id == ID_VIEW_TOPMOST && !m_window.CanStayOnTop())
        return;
    FieldEdit* field = m_form->FocusedField();
    switch (id) {
    case ID_APP_ABOUT: m_window.DoModal(kDialog100); break;
    case ID_APP_EXIT: m_window.close(); break;
    case ID_FILE_NEW: m_app.OnFileNew(); break;
    case ID_FILE_OPEN: m_app.OnFileOpen(); break;
    case ID_FILE_SAVE: m_app.OnFileSave(); break;
    // Editing keys act on the field that has the focus, as in any text field.
    case ID_EDIT_UNDO: if (field) field->Undo(); break;
    case ID_EDIT_CUT: if (field) field->cut(); break;
    case ID_EDIT_COPY: if (field) field->copy(); break;
    case ID_EDIT_PASTE: if (field) field->paste(); break;
    // One unsplit view: no pane to move to.
    case ID_NEXT_PANE:
    case ID_PREV_PANE: break;
    default: m_frame.OnCmdMsg(id); break;
    }
    m_window.UpdateMenuChecks();
}

int QtQuibo::Check(int id)
{
    CheckRecorder recorder;
    m_frame.OnUpdateCmdUI(id, &recorder);
    return recorder.check;
}

}  // namespace quibo
