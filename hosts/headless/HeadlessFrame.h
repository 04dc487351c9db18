#pragma once

#include <vector>

#include "platform/FrameWindow.h"
#include "res/Templates.h"

namespace quibo {

// The main window's own operations, in memory: style bits, the topmost band,
// the status bar's, the Bits panel's and the Inspector's visibility, the Inspector's readings, and
// the dialogs shown (closed at once).
class HeadlessFrame : public FrameWindow {
public:
    void ModifyStyle(unsigned remove, unsigned add) override { style = (style & ~remove) | add; }
    void SetWindowPos(InsertAfter insertAfter, unsigned) override
    {
        if (insertAfter != InsertAfter::Unchanged)
            topmost = insertAfter == InsertAfter::TopMost;
    }
    int DoModal(const DialogTemplate& dialog) override
    {
        dialogsShown.push_back(dialog.resourceId);
        return 1;
    }
    void ShowStatusBar(bool show) override { statusBarVisible = show; }
    bool IsStatusBarVisible() const override { return statusBarVisible; }
    bool CanStayOnTop() const override { return canStayOnTop; }
    void ShowBitsPanel(bool show) override { bitsPanelVisible = show; }
    bool IsBitsPanelVisible() const override { return bitsPanelVisible; }
    void ShowInspector(bool show) override { inspectorVisible = show; }
    bool IsInspectorVisible() const override { return inspectorVisible; }
    void SetReadings(InspectorTable table) override
    {
        readings = std::move(table);
        ++readingsGiven;
    }

    unsigned style = WS_BORDER | WS_THICKFRAME | WS_MAXIMIZEBOX;
    bool topmost = false;
    bool statusBarVisible = true;
    bool canStayOnTop = true;
    bool bitsPanelVisible = false;
    bool inspectorVisible = false;
    InspectorTable readings;  // what the Inspector was last given
    int readingsGiven = 0;
    std::vector<int> dialogsShown;
};

}  // namespace quibo
