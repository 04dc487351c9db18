#pragma once

#include <optional>
#include <string>

#include "app/CBytewhirlApp.h"
#include "hosts/qt/QtAppPlatform.h"
#include "hosts/qt/form/QtForm.h"
#include "hosts/qt/frame/QtMainFrame.h"

namespace quibo {

// Quibo on Qt: the main window with its form, the desktop services, and the
// application made on them.
class QtQuibo {
public:
    QtQuibo();
    QtQuibo(const QtQuibo&) = delete;
    QtQuibo& operator=(const QtQuibo&) = delete;

    // Carries out the command line (New, or Open of a file), whose initial
    // update fits the window to the form. False when start-up fails.
    bool Start(const std::optional<std::string>& fileName);
    // Keeps what is kept at exit, the recent-file list, waiting for its
    // lock with pause between the tries. The window is hidden first.
    void Exit(const Pause& pause = Sleep);
    // Work for after the first frame: what is kept of a file the command
    // line opened.
    void AfterFirstFrame();

    QtMainFrame& Window() { return m_window; }
    QtForm& Form() { return *m_form; }
    CBytewhirlApp& App() { return m_app; }

private:
    QtMainFrame m_window;
    QtForm* m_form;  // owned by the window
    QtAppPlatform m_platform;
    CBytewhirlApp m_app;
};

}  // namespace quibo
