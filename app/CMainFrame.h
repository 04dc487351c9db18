#pragma once

#include <span>

#include "calc/CBytewhirlDoc.h"
#include "platform/AppPlatform.h"
#include "platform/CmdUI.h"
#include "platform/FrameWindow.h"
#include "platform/RoutingTable.h"
#include "platform/StatusBarWindow.h"

namespace quibo {

// The main window's command handling, free of any toolkit: the Data Type
// commands, the View toggles, Help Instructions, and the check marks of
// their menu items. Whether the Bits panel and the Inspector are shown is kept in the
// settings.
class CMainFrame {
public:
    CMainFrame(CBytewhirlDoc& document, StatusBarWindow& statusBar, FrameWindow& frame, AppPlatform& platform);
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // In this single-document program, always the one document.
    CBytewhirlDoc& GetActiveDocument() const { return m_document; }

    // Route a command, or a menu item's update, to its handler; false when
    // the frame has none for that id.
    bool OnCmdMsg(int id);
    bool OnUpdateCmdUI(int id, CCmdUI* pCmdUI);
    static std::span<const CommandRoute<CMainFrame>> CommandTable();
    static std::span<const UpdateRoute<CMainFrame>> UpdateTable();

    // The window exists: it may not be resized or maximized. 0 to go on.
    int OnCreate();

    void OnViewRemoveBorder();
    void OnUpdateViewRemoveBorder(CCmdUI* pCmdUI);
    void OnViewTopmost();
    void OnUpdateViewTopmost(CCmdUI* pCmdUI);
    void OnHelpInstructions();
    // The framework's Status Bar item.
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    void OnViewBits();
    void OnUpdateViewBits(CCmdUI* pCmdUI);
    void OnViewInspector();
    void OnUpdateViewInspector(CCmdUI* pCmdUI);

    void OnTypeUnsignedChar();
    void OnTypeChar();
    void OnTypeUnsignedShort();
    void OnTypeShort();
    void OnTypeUnsignedLong();
    void OnTypeLong();
    void OnTypeUnsignedLongLong();
    void OnTypeLongLong();
    void OnTypeFloat();
    void OnTypeDouble();

    void OnUpdateTypeUnsignedChar(CCmdUI* pCmdUI);
    void OnUpdateTypeChar(CCmdUI* pCmdUI);
    void OnUpdateTypeUnsignedShort(CCmdUI* pCmdUI);
    void OnUpdateTypeShort(CCmdUI* pCmdUI);
    void OnUpdateTypeUnsignedLong(CCmdUI* pCmdUI);
    void OnUpdateTypeLong(CCmdUI* pCmdUI);
    void OnUpdateTypeUnsignedLongLong(CCmdUI* pCmdUI);
    void OnUpdateTypeLongLong(CCmdUI* pCmdUI);
    void OnUpdateTypeFloat(CCmdUI* pCmdUI);
    void OnUpdateTypeDouble(CCmdUI* pCmdUI);

private:
    void ChooseDataType(DataType type);
    void CheckDataType(CCmdUI* pCmdUI, DataType type);

    CBytewhirlDoc& m_document;

public:
    std::int32_t m_bTopmost = 0;
    std::int32_t m_bHasBorder = 1;
    StatusBarWindow& m_wndStatusBar;

private:
    FrameWindow& m_frame;
    AppPlatform& m_platform;
};

}  // namespace quibo
