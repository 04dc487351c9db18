#pragma once

#include <QWidget>

#include "platform/InspectorTable.h"

class QHBoxLayout;

namespace quibo {

class InspectorPanel;
class QtForm;

// What the main window holds between its menu bar and status bar: the form
// (with its Bits panel) and, right of it while shown, the Inspector, as
// tall as the form or taller. The Inspector is made when first shown.
class FormArea : public QWidget {
public:
    FormArea(QtForm& form, QWidget* parent);

    void ShowInspector(bool show);
    bool IsInspectorShown() const;
    void SetReadings(InspectorTable table);
    InspectorPanel* Inspector() const { return m_inspector; }
    // The Inspector is the stop after the form's last one, the Bits panel
    // included, whichever was made first.
    void KeepInspectorLast();

private:
    QtForm& m_form;
    QHBoxLayout* m_layout;
    InspectorPanel* m_inspector = nullptr;
    InspectorTable m_table;
};

}  // namespace quibo
