#pragma once

#include <QWidget>

#include <vector>

#include "hosts/qt/form/DialogUnits.h"
#include "res/Templates.h"

namespace quibo {

struct TemplateWidget {
    const ControlTemplate* control;
    QWidget* widget;
};

// Creates the controls of a template as children of parent, in template
// order, which is also the tab order; positions and sizes from dialog units.
// Edits are FieldEdits; icons show the application's icon.
std::vector<TemplateWidget> CreateTemplateWidgets(const DialogTemplate& dialog, QWidget& parent,
                                                  const DialogUnits& units);

}  // namespace quibo
