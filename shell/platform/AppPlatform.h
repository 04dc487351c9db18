#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quibo {

enum class OpenResult { Opened, NotFound, Failed };

// What the application needs of the desktop: file prompts, files, the
// settings store, the window caption and the framework's error boxes.
class AppPlatform {
public:
    virtual ~AppPlatform() = default;
    // "Open" with the one filter "All Files (*.*)"; nothing when cancelled.
    virtual std::optional<std::string> PromptOpen() = 0;
    // "Save As", asking before it replaces a file; nothing when cancelled.
    virtual std::optional<std::string> PromptSaveAs() = 0;
    // Opens the file for reading and closes it again; nothing is read.
    virtual OpenResult OpenForReading(const std::string& path) = 0;
    // Creates the file, or empties it, with no content.
    virtual bool CreateEmpty(const std::string& path) = 0;
    virtual std::string FullPath(const std::string& path) = 0;
    virtual void ErrorBox(const std::string& text) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::vector<std::string> ReadRecentFiles() = 0;
    virtual void WriteRecentFiles(const std::vector<std::string>& files) = 0;
};

}  // namespace quibo
