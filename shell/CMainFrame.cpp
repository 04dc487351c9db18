#include "shell/CMainFrame.h"

#include <array>

#include "shell/platform/CommandIds.h"

namespace quibo {

namespace {

using Frame = CMainFrame;

constexpr std::array<CommandRoute<Frame>, 8> kCommands{{
    {ID_TYPE_UNSIGNED_CHAR, &Frame::OnTypeUnsignedChar},
    {ID_TYPE_CHAR, &Frame::OnTypeChar},
    {ID_TYPE_UNSIGNED_SHORT, &Frame::OnTypeUnsignedShort},
    {ID_TYPE_SHORT, &Frame::OnTypeShort},
    {ID_TYPE_UNSIGNED_LONG, &Frame::OnTypeUnsignedLong},
    {ID_TYPE_LONG, &Frame::OnTypeLong},
    {ID_TYPE_FLOAT, &Frame::OnTypeFloat},
    {ID_TYPE_DOUBLE, &Frame::OnTypeDouble},
}};

constexpr std::array<UpdateRoute<Frame>, 8> kUpdates{{
    {ID_TYPE_UNSIGNED_CHAR, &Frame::OnUpdateTypeUnsignedChar},
    {ID_TYPE_CHAR, &Frame::OnUpdateTypeChar},
    {ID_TYPE_UNSIGNED_SHORT, &Frame::OnUpdateTypeUnsignedShort},
    {ID_TYPE_SHORT, &Frame::OnUpdateTypeShort},
    {ID_TYPE_UNSIGNED_LONG, &Frame::OnUpdateTypeUnsignedLong},
    {ID_TYPE_LONG, &Frame::OnUpdateTypeLong},
    {ID_TYPE_FLOAT, &Frame::OnUpdateTypeFloat},
    {ID_TYPE_DOUBLE, &Frame::OnUpdateTypeDouble},
}};

}  // namespace

CMainFrame::CMainFrame(CBytewhirlDoc& document, StatusBarWindow& statusBar)
    : m_document(document), m_wndStatusBar(statusBar)
{
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
