#pragma once

#include "platform/DialogTemplate.h"

class QWidget;

namespace quibo {

class QtForm;

// A dialog made from its template (About, Help Instructions), modal over
// parent, in its own font and dialog units: 1 when its OK button closed it
// (control 1), 2 otherwise. While it is open the form (when there is one)
// knows a modal window runs.
int RunTemplateDialog(QWidget& parent, const DialogTemplate& dialog, QtForm* form);

}  // namespace quibo
