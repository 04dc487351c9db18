#include "app/CMainFrame.h"

#include <array>

#include "platform/CommandIds.h"
#include "res/Templates.h"

namespace quibo {

namespace {

using Frame = CMainFrame;

constexpr auto kCommands = std::to_array<CommandRoute<Frame>>({
    {ID_TYPE_UNSIGNED_CHAR, &Frame::OnTypeUnsignedChar},
    {ID_TYPE_CHAR, &Frame::OnTypeChar},
    {ID_TYPE_UNSIGNED_SHORT, &Frame::OnTypeUnsignedShort},
    {ID_TYPE_SHORT, &Frame::OnTypeShort},
    {ID_TYPE_UNSIGNED_LONG, &Frame::OnTypeUnsignedLong},
    {ID_TYPE_LONG, &Frame::OnTypeLong},
    {ID_TYPE_UNSIGNED_LONG_LONG, &Frame::OnTypeUnsignedLongLong},
    {ID_TYPE_LONG_LONG, &Frame::OnTypeLongLong},
    {ID_TYPE_FLOAT, &Frame::OnTypeFloat},
    {ID_TYPE_DOUBLE, &Frame::OnTypeDouble},
    {ID_VIEW_REMOVE_BORDER, &Frame::OnViewRemoveBorder},
    {ID_HELP_INSTRUCTIONS, &Frame::OnHelpInstructions},
    {ID_VIEW_TOPMOST, &Frame::OnViewTopmost},
    {ID_VIEW_STATUS_BAR, &Frame::OnViewStatusBar},
    {ID_VIEW_BITS, &Frame::OnViewBits},
    {ID_VIEW_INSPECTOR, &Frame::OnViewInspector},
});

constexpr auto kUpdates = std::to_array<UpdateRoute<Frame>>({
    {ID_TYPE_UNSIGNED_CHAR, &Frame::OnUpdateTypeUnsignedChar},
    {ID_TYPE_CHAR, &Frame::OnUpdateTypeChar},
    {ID_TYPE_UNSIGNED_SHORT, &Frame::OnUpdateTypeUnsignedShort},
    {ID_TYPE_SHORT, &Frame::OnUpdateTypeShort},
    {ID_TYPE_UNSIGNED_LONG, &Frame::OnUpdateTypeUnsignedLong},
    {ID_TYPE_LONG, &Frame::OnUpdateTypeLong},
    {ID_TYPE_UNSIGNED_LONG_LONG, &Frame::OnUpdateTypeUnsignedLongLong},
    {ID_TYPE_LONG_LONG, &Frame::OnUpdateTypeLongLong},
    {ID_TYPE_FLOAT, &Frame::OnUpdateTypeFloat},
    {ID_TYPE_DOUBLE, &Frame::OnUpdateTypeDouble},
    {ID_VIEW_REMOVE_BORDER, &Frame::OnUpdateViewRemoveBorder},
    {ID_VIEW_TOPMOST, &Frame::OnUpdateViewTopmost},
    {ID_VIEW_STATUS_BAR, &Frame::OnUpdateViewStatusBar},
    {ID_VIEW_BITS, &Frame::OnUpdateViewBits},
    {ID_VIEW_INSPECTOR, &Frame::OnUpdateViewInspector},
});

}  // namespace

CMainFrame::CMainFrame(CBytewhirlDoc& document, StatusBarWindow& statusBar, FrameWindow& frame,
                       AppPlatform& platform)
    : m_document(document), m_wndStatusBar(statusBar), m_frame(frame), m_platform(platform)
{
}

int CMainFrame::OnCreate()
{
    m_frame.ModifyStyle(WS_THICKFRAME, 0);
    m_frame.ModifyStyle(WS_MAXIMIZEBOX, 0);
    return 0;
}

void CMainFrame::OnViewRemoveBorder()
{
    if (m_bHasBorder != 0) {
        m_bHasBorder = 0;
        m_frame.ModifyStyle(WS_BORDER, 0);
    } else {
        m_bHasBorder = 1;
        m_frame.ModifyStyle(0, WS_BORDER);
    }
    m_frame.SetWindowPos(InsertAfter::Unchanged, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CMainFrame::OnUpdateViewRemoveBorder(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bHasBorder == 0 ? 1 : 0);
}

void CMainFrame::OnViewTopmost()
{
    if (m_bTopmost == 1) {
        m_bTopmost = 0;
        m_frame.SetWindowPos(InsertAfter::NoTopMost, SWP_NOSIZE | SWP_NOMOVE);
    } else {
        m_bTopmost = 1;
        m_frame.SetWindowPos(InsertAfter::TopMost, SWP_NOSIZE | SWP_NOMOVE);
    }
}

void CMainFrame::OnUpdateViewTopmost(CCmdUI* pCmdUI)
{
    // Where no window may stay on top, the item says so rather than pretend.
    pCmdUI->Enable(m_frame.CanStayOnTop());
    pCmdUI->SetCheck(m_bTopmost == 1 ? 1 : 0);
}

void CMainFrame::OnHelpInstructions()
{
    m_frame.DoModal(kDialog131);
}

void CMainFrame::OnViewStatusBar()
{
    m_frame.ShowStatusBar(!m_frame.IsStatusBarVisible());
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_frame.IsStatusBarVisible() ? 1 : 0);
}

void CMainFrame::OnViewBits()
{
    const bool show = !m_frame.IsBitsPanelVisible();
    m_frame.ShowBitsPanel(show);
    m_platform.StoreBitsShown(show);
}

void CMainFrame::OnUpdateViewBits(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_frame.IsBitsPanelVisible() ? 1 : 0);
}

void CMainFrame::OnViewInspector()
{
    // The view gives the panel its readings once the command is done.
    const bool show = !m_frame.IsInspectorVisible();
    m_frame.ShowInspector(show);
    m_platform.StoreInspectorShown(show);
}

void CMainFrame::OnUpdateViewInspector(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_frame.IsInspectorVisible() ? 1 : 0);
}

std::span<const CommandRoute<CMainFrame>> CMainFrame::CommandTable()
{
    return kCommands;
}

std::span<const UpdateRoute<CMainFrame>> CMainFrame::UpdateTable()
{
    return kUpdates;
}

bool CMainFrame::OnCmdMsg(int id)
{
    return RouteCommand(CommandTable(), *this, id);
}

bool CMainFrame::OnUpdateCmdUI(int id, CCmdUI* pCmdUI)
{
    return RouteCommand(UpdateTable(), *this, id, pCmdUI);
}

}  // namespace quibo
