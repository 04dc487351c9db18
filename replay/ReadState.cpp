#include "replay/ReadState.h"

#include "app/DataTypeCommands.h"

namespace quibo {

FormState ReadState(const FormWindow& form, const std::function<int(int)>& menuCheck, const StatusBarWindow& statusBar)
{
    FormState state;
    state.display = form.GetDlgItemText(IDC_DISPLAY);
    state.hex = form.GetDlgItemText(IDC_HEX_EDIT);
    state.decimal = form.GetDlgItemText(IDC_DECIMAL_EDIT);
    state.binary = form.GetDlgItemText(IDC_BINARY);
    state.byteorder = form.GetDlgItemText(IDC_KEY_BYTE_ORDER);
    for (const DataTypeCommand& command : DataTypeCommands()) {
        if (menuCheck(command.id) == 1)
            state.datatype = FindDataTypeInfo(command.type)->name;
    }
    state.status = statusBar.GetPaneText(0);
    state.wrap = statusBar.GetPaneText(kWrapPane);
    return state;
}

}  // namespace quibo
