// The eight Data Type commands of the main frame and their check marks.
#include "byteorder/DataTypeCommands.h"

#include <array>

#include "shell/CMainFrame.h"

namespace quibo {

namespace {

constexpr std::array<DataTypeCommand, kDataTypeCount> kCommands{{
    {ID_TYPE_UNSIGNED_CHAR, DataType::UnsignedChar, "Unsigned Char Data Type"},
    {ID_TYPE_CHAR, DataType::Char, "Char Data Type"},
    {ID_TYPE_UNSIGNED_SHORT, DataType::UnsignedShort, "Unsigned Short Data Type"},
    {ID_TYPE_SHORT, DataType::Short, "Short Data Type"},
    {ID_TYPE_UNSIGNED_LONG, DataType::UnsignedLong, "Unsigned Long Data Type"},
    {ID_TYPE_LONG, DataType::Long, "Long Data Type"},
    {ID_TYPE_FLOAT, DataType::Float, "Float Data Type"},
    {ID_TYPE_DOUBLE, DataType::Double, "Double Data Type"},
}};

}  // namespace

std::span<const DataTypeCommand> DataTypeCommands()
{
    return kCommands;
}

const DataTypeCommand* FindDataTypeCommand(DataType type)
{
    for (const DataTypeCommand& command : kCommands) {
        if (command.type == type)
            return &command;
    }
    return nullptr;
}

std::optional<DataType> DataTypeByName(std::string_view name)
{
    for (const DataTypeCommand& command : kCommands) {
        if (FindDataTypeInfo(command.type)->name == name)
            return command.type;
    }
    return std::nullopt;
}

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
void CMainFrame::OnTypeFloat() { ChooseDataType(DataType::Float); }
void CMainFrame::OnTypeDouble() { ChooseDataType(DataType::Double); }

void CMainFrame::OnUpdateTypeUnsignedChar(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedChar); }
void CMainFrame::OnUpdateTypeChar(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Char); }
void CMainFrame::OnUpdateTypeUnsignedShort(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedShort); }
void CMainFrame::OnUpdateTypeShort(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Short); }
void CMainFrame::OnUpdateTypeUnsignedLong(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::UnsignedLong); }
void CMainFrame::OnUpdateTypeLong(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Long); }
void CMainFrame::OnUpdateTypeFloat(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Float); }
void CMainFrame::OnUpdateTypeDouble(CCmdUI* pCmdUI) { CheckDataType(pCmdUI, DataType::Double); }

}  // namespace quibo
