#pragma once

#include <string>

#include "platform/ControlIds.h"
#include "platform/FormWindow.h"

namespace quibo {

// A handle on one edit control of a form, attached by the form's data
// exchange. Reading or limiting before it is attached does nothing.
class EditControl {
public:
    void Attach(FormWindow& form, ControlId id)
    {
        m_pForm = &form;
        m_id = id;
    }

    std::string GetWindowText() const { return m_pForm ? m_pForm->GetDlgItemText(m_id) : std::string(); }

    void LimitText(int nMaxChars)
    {
        if (m_pForm)
            m_pForm->LimitText(m_id, nMaxChars);
    }

    // The edit's own undo and clipboard operations.
    void Undo() { Edit(EditOperation::Undo); }
    void Cut() { Edit(EditOperation::Cut); }
    void Copy() { Edit(EditOperation::Copy); }
    void Paste() { Edit(EditOperation::Paste); }

private:
    void Edit(EditOperation operation)
    {
        if (m_pForm)
            m_pForm->EditCommand(m_id, operation);
    }

    FormWindow* m_pForm = nullptr;
    ControlId m_id = IDC_STATIC;
};

}  // namespace quibo
