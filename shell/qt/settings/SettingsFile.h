#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "shell/qt/settings/Descriptor.h"
#include "shell/qt/settings/SettingsFolder.h"

namespace quibo {

// A settings file in its folder, read and written so that nothing that is
// not a regular file is ever read, opened for writing or replaced: a FIFO,
// a device or a folder there (or where a link there points) is left alone.
// Nor is a file larger than any settings file, which would cost its size
// in memory twice over and again on disk.
class SettingsFile {
public:
    static constexpr long long kMaxBytes = 1 << 20;

    explicit SettingsFile(const SettingsFolder& folder) : m_folder(folder) {}

    std::string Path() const { return m_folder.FilePath(); }

    // The file's text; empty when there is no file. Nothing, with the
    // reason, when the file is not a regular one or cannot be read.
    struct Content {
        bool ours = false;
        std::string text;
        std::string problem;
    };
    Content Read() const;

    // What Replace replaces: the file, or the file a link there names (the
    // link stays a link), as it was when looked at.
    struct Target {
        quibo::Descriptor folder;
        std::string name;
        std::string path;                // for messages
        quibo::Descriptor file;          // held, so that it stays itself
        std::optional<struct stat> was;  // nothing for a new file
    };
    // Looks once; the reason when there is nothing that may be replaced.
    std::optional<std::string> Find(Target& target) const;
    // The text of the file that Find looked at; empty for a new file.
    Content Read(const Target& target) const;
    // Writes text in place of target, atomically: a new file beside it, with
    // its mode, owner and group, put in its place only while what is there
    // is still what Find saw (or still nothing). The reason when that
    // failed; the file is then as it was.
    std::optional<std::string> Replace(const Target& target, const std::string& text) const;

private:
    const SettingsFolder& m_folder;
};

}  // namespace quibo
