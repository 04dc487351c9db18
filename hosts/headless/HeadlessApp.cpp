#include "hosts/headless/HeadlessApp.h"

#include "app/DataTypeCommands.h"

namespace quibo {

HeadlessApp::HeadlessApp() : HeadlessApp(kNotStarted)
{
    m_app.InitInstance(std::nullopt);
}

HeadlessApp::HeadlessApp(NotStarted) : m_form(kForm101), m_app(m_platform, m_form, m_statusBar, m_frameWindow)
{
    m_form.SetTarget(&m_app.View());
    m_form.SetClipboard(&m_platform.clipboard);
}

bool HeadlessApp::ChooseDataType(std::string_view name)
{
    const std::optional<DataType> type = DataTypeByName(name);
    return type && m_app.OnCmdMsg(FindDataTypeCommand(*type)->id);
}

std::optional<DataType> HeadlessApp::CheckedDataType()
{
    for (const DataTypeCommand& command : DataTypeCommands()) {
        if (m_app.MenuCheck(command.id) == 1)
            return command.type;
    }
    return std::nullopt;
}

}  // namespace quibo
