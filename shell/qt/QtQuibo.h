#pragma once

#include <optional>
#include <string>

#include "calc/CBytewhirlDoc.h"
#include "shell/CBytewhirlApp.h"
#include "shell/CBytewhirlView.h"
#include "shell/CMainFrame.h"
#include "shell/qt/QtAppPlatform.h"
#include "shell/qt/QtForm.h"
#include "shell/qt/QtMainFrame.h"

namespace quibo {

// Quibo on Qt: the document, the main window with its form, the frame's and
// the application's handlers, wired together.
class QtQuibo {
public:
    QtQuibo();
    QtQuibo(const QtQuibo&) = delete;
    QtQuibo& operator=(const QtQuibo&) = delete;

    // Carries out the command line (New, or Open of a file), whose initial
    // update fits the window to the form. False when start-up fails.
    bool Start(const std::optional<std::string>& fileName);
    // Keeps what is kept at exit: the recent-file list.
    void Exit() { m_app.ExitInstance(); }

    // Runs a menu or accelerator command.
    void Command(int id);
    // A menu item's check mark from its update handler: 1, 0, or -1.
    int Check(int id);

    QtMainFrame& Window() { return m_window; }
    QtForm& Form() { return *m_form; }
    CBytewhirlDoc& Document() { return m_document; }
    CBytewhirlApp& App() { return m_app; }
    CMainFrame& Frame() { return m_frame; }

private:
    CBytewhirlDoc m_document;
    QtMainFrame m_window;
    QtForm* m_form;  // owned by the window
    CMainFrame m_frame;
    CBytewhirlView m_view;
    QtAppPlatform m_platform;
    CBytewhirlApp m_app;
};

}  // namespace quibo
