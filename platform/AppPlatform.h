#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quibo {

enum class OpenResult { Opened, NotFound, Failed };

// How many files the recent-file list keeps, in the menu and in the
// settings file.
inline constexpr std::size_t kRecentFiles = 4;

// The recent-file list to store, given the one stored now; nothing when it
// needs no change.
using RecentFileUpdate = std::function<std::optional<std::vector<std::string>>(const std::vector<std::string>&)>;

// What the settings file keeps: the recent-file list, most recent first,
// and whether the Bits panel and the Inspector are shown.
struct StoredSettings {
    std::vector<std::string> recentFiles;
    bool bitsShown = false;
    bool inspectorShown = false;
};

// What the application needs of the desktop: file prompts, files, the
// settings store, the window caption, the clipboard and the framework's
// error boxes.
class AppPlatform {
public:
    virtual ~AppPlatform() = default;
    // "Open" with the one filter "All Files (*.*)", starting in folder when
    // it is one, else in the working folder; nothing when cancelled.
    virtual std::optional<std::string> PromptOpen(const std::string& folder) = 0;
    // "Save As", the same way, asking before it replaces a file.
    virtual std::optional<std::string> PromptSaveAs(const std::string& folder) = 0;
    // Opens the file for reading and closes it again; nothing is read. Only
    // a regular file opens: a FIFO, socket or device is not a document.
    virtual OpenResult OpenForReading(const std::string& path) = 0;
    // Creates the file, or empties it, with no content. Nothing that is not
    // a regular file is touched.
    virtual bool CreateEmpty(const std::string& path) = 0;
    virtual std::string FullPath(const std::string& path) = 0;
    virtual void ErrorBox(const std::string& text) = 0;
    // Closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // What is stored; nothing (an empty list, no panel) when the store is
    // missing, unreadable, or not a regular file.
    virtual StoredSettings ReadSettings() = 0;
    // Reads the stored list again, with other instances kept out, and
    // stores what update makes of it, if anything.
    virtual void UpdateRecentFiles(const RecentFileUpdate& update) = 0;
    // Stores whether the Bits panel is shown, under the same rules.
    virtual void StoreBitsShown(bool shown) = 0;
    // Stores whether the Inspector is shown, under the same rules.
    virtual void StoreInspectorShown(bool shown) = 0;
};

}  // namespace quibo
