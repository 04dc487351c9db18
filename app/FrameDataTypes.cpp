// The main frame's ten Data Type commands and their check marks.
#include "app/CMainFrame.h"

#include "app/DataTypeCommands.h"

namespace quibo {

void CMainFrame::ChooseDataType(DataType type)
{
    CBytewhirlDoc& doc = GetActiveDocument();
    // Recorded even when the type is already current.
    doc.m_nPrevDataType = doc.m_nDataType;
    doc.m_nDataType = type;
    m_wndStatusBar.SetPaneText(0, FindDataTypeCommand(type)->statusText, true);
    doc.UpdateAllViews(nullptr, 0, nullptr);
}

void CMainFrame::CheckDataType(CCmdUI* pCmdUI, DataType type)
{
    pCmdUI->SetCheck(GetActiveDocument().m_nDataType == type ? 1 : 0);
}

void CMainFrame::OnTypeUnsignedChar() { ChooseDataType(DataType::UnsignedChar); }
void CMainFrame::OnTypeChar() { ChooseDataType(DataType::Char); }
void CMainFrame::OnTypeUnsignedShort() { ChooseDataType(DataType::UnsignedShort); }
void CMainFrame::OnTypeShort() { ChooseDataType(DataType::Short); }
void CMainFrame::OnTypeUnsignedLong() { ChooseDataType(DataType::UnsignedLong); }
void CMainFrame::OnTypeLong() { ChooseDataType(DataType::Long); }
void CMainFrame::OnTypeUnsignedLongLong() { ChooseDataType(DataType::UnsignedLongLong); }
void CMainFrame::OnTypeLongLong() { ChooseDataType(DataType::LongLong); }
void CMainFrame::OnTypeFloat() { ChooseDataType(DataType::Float); }
void CMainFrame::OnTypeDouble() { ChooseDataType(DataType::Double); }

void CMainFrame::OnUpdateTypeUnsignedChar(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedChar); }
void CMainFrame::OnUpdateTypeChar(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Char); }
void CMainFrame::OnUpdateTypeUnsignedShort(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedShort); }
void CMainFrame::OnUpdateTypeShort(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Short); }
void CMainFrame::OnUpdateTypeUnsignedLong(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedLong); }
void CMainFrame::OnUpdateTypeLong(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Long); }
void CMainFrame::OnUpdateTypeUnsignedLongLong(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedLongLong); }
void CMainFrame::OnUpdateTypeLongLong(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::LongLong); }
void CMainFrame::OnUpdateTypeFloat(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Float); }
void CMainFrame::OnUpdateTypeDouble(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Double); }

}  // namespace quibo
