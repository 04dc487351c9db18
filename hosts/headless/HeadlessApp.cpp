#include "hosts/headless/HeadlessApp.h"

#include <algorithm>

#include "app/DataTypeCommands.h"
#include "res/Menu.h"
#include "res/Strings.h"

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

bool HeadlessApp::ChooseCommand(int id)
{
    const std::span<const MenuEntry> menu = Menu128();
    if (std::any_of(menu.begin(), menu.end(), [id](const MenuEntry& item) { return item.id == id; }))
        m_statusBar.SetPaneText(0, LoadString(AFX_IDS_IDLEMESSAGE));
    return m_app.OnCmdMsg(id);
}

bool HeadlessApp::ChooseDataType(std::string_view name)
{
    const std::optional<DataType> type = DataTypeByName(name);
    return type && ChooseCommand(FindDataTypeCommand(*type)->id);
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
