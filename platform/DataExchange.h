#pragma once

#include <string>

#include "platform/EditControl.h"
#include "platform/FormWindow.h"

namespace quibo {

// The data exchange towards the controls: a control whose text already
// equals the bound text is left alone, so it raises no change notification.
inline void DDX_Text(FormWindow& form, ControlId id, const std::string& text)
{
    if (form.GetDlgItemText(id) != text)
        form.SetDlgItemText(id, text);
}

inline void DDX_Control(FormWindow& form, ControlId id, EditControl& control)
{
    control.Attach(form, id);
}

}  // namespace quibo
