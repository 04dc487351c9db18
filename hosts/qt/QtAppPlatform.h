#pragma once

#include "platform/AppPlatform.h"
#include "hosts/qt/form/QtForm.h"
#include "hosts/qt/settings/AppSettings.h"

class QMainWindow;

namespace quibo {

// The desktop services of the application on Qt: file prompts, files, the
// settings file, the caption, error boxes.
class QtAppPlatform : public AppPlatform {
public:
    QtAppPlatform(QMainWindow& window, QtForm& form) : m_window(window), m_form(form) {}

    std::optional<std::string> PromptOpen(const std::string& folder) override;
    std::optional<std::string> PromptSaveAs(const std::string& folder) override;
    OpenResult OpenForReading(const std::string& path) override;
    bool CreateEmpty(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    void ErrorBox(const std::string& text) override;
    void CloseMainWindow() override;
    void SetCaption(const std::string& caption) override;
    void SetClipboardText(const std::string& text) override;
    StoredSettings ReadSettings() override;
    void UpdateRecentFiles(const RecentFileUpdate& update) override;
    void StoreBitsShown(bool shown) override;
    void StoreInspectorShown(bool shown) override;

    // At exit: the settings edits that wait for the lock, with pause
    // between the tries.
    void FinishSettings(const Pause& pause) { m_settings.Finish(pause); }

private:
    QMainWindow& m_window;
    QtForm& m_form;
    AppSettings m_settings;
};

}  // namespace quibo
