#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/CBytewhirlApp.h"
#include "hosts/headless/HeadlessAppPlatform.h"
#include "hosts/headless/HeadlessForm.h"
#include "hosts/headless/HeadlessFrame.h"
#include "hosts/headless/HeadlessStatusBar.h"

namespace quibo {

// The application on the headless host's windows, as start-up leaves it:
// the command line (no file) has been carried out; or, given kNotStarted,
// before start-up.
class HeadlessApp {
public:
    static constexpr struct NotStarted {
    } kNotStarted{};

    HeadlessApp();
    explicit HeadlessApp(NotStarted);
    HeadlessApp(const HeadlessApp&) = delete;
    HeadlessApp& operator=(const HeadlessApp&) = delete;

    CBytewhirlApp& App() { return m_app; }
    CBytewhirlDoc& Document() { return m_app.Document(); }
    CBytewhirlView& View() { return m_app.View(); }
    HeadlessForm& Form() { return m_form; }
    HeadlessFrame& FrameWindow() { return m_frameWindow; }
    HeadlessAppPlatform& Platform() { return m_platform; }

    // A command as the window's menu chooses it: for a menu item's, the
    // status pane shows the idle text first, as the menu leaves it. False
    // when nothing takes it.
    bool ChooseCommand(int id);
    // The Data Type command of the type with this name ("unsigned char" ...).
    bool ChooseDataType(std::string_view name);
    // The type whose Data Type item is checked.
    std::optional<DataType> CheckedDataType();
    std::string StatusText() const { return m_statusBar.GetPaneText(0); }
    const HeadlessStatusBar& StatusBar() const { return m_statusBar; }

private:
    HeadlessForm m_form;
    HeadlessStatusBar m_statusBar;
    HeadlessFrame m_frameWindow;
    HeadlessAppPlatform m_platform;
    CBytewhirlApp m_app;
};

}  // namespace quibo
