#include "shell/headless/HeadlessReplayTarget.h"

#include "byteorder/DataTypeCommands.h"

namespace quibo {

bool HeadlessReplayTarget::FieldHasFocus()
{
    const auto focused = m_app.Form().FocusedControl();
    return focused == IDC_HEX_EDIT || focused == IDC_DECIMAL_EDIT;
}

void HeadlessReplayTarget::ChooseDataType(DataType type)
{
    m_app.Command(FindDataTypeCommand(type)->id);
}

FormState HeadlessReplayTarget::TakeState()
{
    HeadlessForm& form = m_app.Form();
    FormState state;
    state.display = form.GetDlgItemText(IDC_DISPLAY);
    state.hex = form.GetDlgItemText(IDC_HEX_EDIT);
    state.decimal = form.GetDlgItemText(IDC_DECIMAL_EDIT);
    state.binary = form.GetDlgItemText(IDC_BINARY);
    state.byteorder = form.GetDlgItemText(IDC_KEY_BYTE_ORDER);
    const std::optional<DataType> checked = m_app.CheckedDataType();
    state.datatype = checked ? FindDataTypeInfo(*checked)->name : "";
    state.status = m_app.StatusText();
    for (const HeadlessForm::MessageRecord& message : form.Messages())
        state.messages.push_back({message.caption, message.text});
    form.ClearMessages();
    return state;
}

}  // namespace quibo
