#pragma once

#include "platform/DialogTemplate.h"
#include "platform/InspectorTable.h"

namespace quibo {

// Window style bits the frame changes, with their Win32 values.
enum WindowStyle : unsigned {
    WS_MAXIMIZEBOX = 0x00010000u,
    WS_THICKFRAME = 0x00040000u,
    WS_BORDER = 0x00800000u,
};

// SetWindowPos flags.
enum WindowPosFlag : unsigned {
    SWP_NOSIZE = 0x0001u,
    SWP_NOMOVE = 0x0002u,
    SWP_NOZORDER = 0x0004u,
    SWP_FRAMECHANGED = 0x0020u,
};

enum class InsertAfter { Unchanged, TopMost, NoTopMost };

// The main window's own operations.
class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    // Removes, then adds, style bits; nothing is redrawn.
    virtual void ModifyStyle(unsigned remove, unsigned add) = 0;
    // Changes the z-order band and/or redraws the frame, keeping the outer
    // rectangle when SWP_NOMOVE and SWP_NOSIZE are given.
    virtual void SetWindowPos(InsertAfter insertAfter, unsigned flags) = 0;
    // Runs a template dialog modally over the frame; its result.
    virtual int DoModal(const DialogTemplate& dialog) = 0;
    virtual void ShowStatusBar(bool show) = 0;
    virtual bool IsStatusBarVisible() const = 0;
    // The Bits panel below the form: the window grows by its height while
    // it is shown.
    virtual void ShowBitsPanel(bool show) = 0;
    virtual bool IsBitsPanelVisible() const = 0;
    // The Inspector right of the form (and of the Bits panel): the window
    // grows by its width while it is shown, and keeps one size whatever it
    // shows.
    virtual void ShowInspector(bool show) = 0;
    virtual bool IsInspectorVisible() const = 0;
    virtual void SetReadings(InspectorTable table) = 0;
    // Whether the window system lets a window stay above the others
    // (Wayland does not).
    virtual bool CanStayOnTop() const = 0;
};

}  // namespace quibo
