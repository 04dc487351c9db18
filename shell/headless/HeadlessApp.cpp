#include "shell/headless/HeadlessApp.h"

#include "byteorder/DataTypeCommands.h"
#include "shell/platform/CommandIds.h"

namespace quibo {

HeadlessApp::HeadlessApp()
    : m_form(kForm101), m_frame(m_document, m_statusBar, m_frameWindow), m_view(m_document, m_form)
{
    m_frame.OnCreate();
    m_form.SetTarget(&m_view);
    m_document.OnNewDocument();
    m_view.OnInitialUpdate();
}

bool HeadlessApp::Command(int id)
{
    if (id == ID_FILE_NEW) {
        OnFileNew();
        return true;
    }
    return m_frame.OnCmdMsg(id);
}

bool HeadlessApp::ChooseDataType(std::string_view name)
{
    const std::optional<DataType> type = DataTypeByName(name);
    return type && Command(FindDataTypeCommand(*type)->id);
}

void HeadlessApp::OnFileNew()
{
    // The one document is re-initialised in place; it is never modified, so
    // nothing asks to save it.
    if (m_document.OnNewDocument())
        m_view.OnInitialUpdate();
}

int HeadlessApp::MenuCheck(int id)
{
    CheckRecorder recorder;
    m_frame.OnUpdateCmdUI(id, &recorder);
    return recorder.check;
}

std::optional<DataType> HeadlessApp::CheckedDataType()
{
    for (const DataTypeCommand& command : DataTypeCommands()) {
        if (MenuCheck(command.id) == 1)
            return command.type;
    }
    return std::nullopt;
}

}  // namespace quibo
