#include "replay/HeadlessReplayTarget.h"

#include "replay/ReadState.h"

namespace quibo {

bool HeadlessReplayTarget::FieldHasFocus()
{
    const auto focused = m_app.Form().GetFocus();
    return focused == IDC_HEX_EDIT || focused == IDC_DECIMAL_EDIT;
}

int HeadlessReplayTarget::BitWidth()
{
    const DataTypeInfo* info = FindDataTypeInfo(m_app.Document().m_nDataType);
    return info ? info->widthBits : 0;
}

FormState HeadlessReplayTarget::TakeState()
{
    HeadlessForm& form = m_app.Form();
    FormState state = ReadState(form, [this](int id) { return m_app.App().MenuCheck(id); }, m_app.StatusBar());
    for (const HeadlessForm::MessageRecord& message : form.Messages())
        state.messages.push_back({message.caption, message.text});
    form.ClearMessages();
    return state;
}

}  // namespace quibo
