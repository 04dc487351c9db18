#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/AppPlatform.h"

namespace quibo {

// The application's desktop in memory: files, the answers its prompts give
// (in turn; nothing is a cancel) and where they started, the settings (recent files, Bits, Inspector), error
// boxes, the caption, the clipboard, and whether the main window closed.
class HeadlessAppPlatform : public AppPlatform {
public:
    std::optional<std::string> PromptOpen(const std::string& folder) override { return NextAnswer(folder); }
    std::optional<std::string> PromptSaveAs(const std::string& folder) override { return NextAnswer(folder); }
    OpenResult OpenForReading(const std::string& path) override
    {
        if (unreadable.count(path))
            return OpenResult::Failed;
        return files.count(path) ? OpenResult::Opened : OpenResult::NotFound;
    }
    bool CreateEmpty(const std::string& path) override
    {
        if (uncreatable.count(path))
            return false;
        files[path] = "";
        return true;
    }
    std::string FullPath(const std::string& path) override { return path.starts_with('/') ? path : "/cwd/" + path; }
    void ErrorBox(const std::string& text) override { errors.push_back(text); }
    void CloseMainWindow() override { mainWindowClosed = true; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    StoredSettings ReadSettings() override { return {recentFiles, bitsShown, inspectorShown}; }
    void UpdateRecentFiles(const RecentFileUpdate& update) override
    {
        if (const std::optional<std::vector<std::string>> list = update(recentFiles)) {
            recentFiles = *list;
            ++recentFileWrites;
        }
    }
    void StoreBitsShown(bool shown) override { bitsShown = shown; }
    void StoreInspectorShown(bool shown) override { inspectorShown = shown; }

    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> promptFolders;  // where each prompt started
    std::map<std::string, std::string> files;  // path to content
    std::set<std::string> unreadable;
    std::set<std::string> uncreatable;
    std::vector<std::string> errors;
    std::vector<std::string> recentFiles;
    int recentFileWrites = 0;
    bool bitsShown = false;
    bool inspectorShown = false;
    std::string caption;
    std::string clipboard;
    bool mainWindowClosed = false;

private:
    std::optional<std::string> NextAnswer(const std::string& folder)
    {
        promptFolders.push_back(folder);
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

}  // namespace quibo
