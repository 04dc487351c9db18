#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/CBytewhirlDoc.h"
#include "shell/CBytewhirlView.h"
#include "shell/CMainFrame.h"
#include "shell/headless/HeadlessForm.h"
#include "shell/headless/HeadlessFrame.h"
#include "shell/headless/HeadlessStatusBar.h"

namespace quibo {

// The document, the main frame and the form wired together on the headless
// host, as start-up leaves them: the new-document step and the form's
// initial update have run.
class HeadlessApp {
public:
    HeadlessApp();
    HeadlessApp(const HeadlessApp&) = delete;
    HeadlessApp& operator=(const HeadlessApp&) = delete;

    CBytewhirlDoc& Document() { return m_document; }
    HeadlessForm& Form() { return m_form; }
    CBytewhirlView& View() { return m_view; }
    CMainFrame& Frame() { return m_frame; }
    HeadlessFrame& FrameWindow() { return m_frameWindow; }

    // A menu or accelerator command, as the user chooses it: it does not move
    // the keyboard focus. False when nothing handles the id.
    bool Command(int id);
    // The Data Type command of the type with this name ("unsigned char" ...).
    bool ChooseDataType(std::string_view name);
    // New: re-initialises the document and runs the form's initial update.
    void OnFileNew();

    // The check mark a menu item's update handler sets: 1 or 0, or -1 when
    // the item has no update handler.
    int MenuCheck(int id);
    // The type whose Data Type item is checked.
    std::optional<DataType> CheckedDataType();
    std::string StatusText() const { return m_statusBar.GetPaneText(0); }

private:
    CBytewhirlDoc m_document;
    HeadlessForm m_form;
    HeadlessStatusBar m_statusBar;
    HeadlessFrame m_frameWindow;
    CMainFrame m_frame;
    CBytewhirlView m_view;
};

}  // namespace quibo
