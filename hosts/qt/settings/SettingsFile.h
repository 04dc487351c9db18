#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "hosts/qt/settings/Descriptor.h"
#include "hosts/qt/settings/SettingsFolder.h"

namespace quibo {

// The settings file in its folder, found and read at once: a link is
// followed to its end (and stays a link when the file is replaced), and
// nothing that is not a regular file is ever opened, nor a file larger than
// any settings file.
class SettingsFile {
public:
    static constexpr std::size_t kMaxBytes = 1 << 20;

    explicit SettingsFile(const SettingsFolder& folder);

    // Why the file cannot be read or replaced; empty when it can.
    const std::string& Problem() const { return m_problem; }
    // Its text; empty when there is no file yet.
    const std::string& Text() const { return m_text; }

    // Writes text in the file's place: whole, into a new file beside it
    // (with its owner, group and mode) that then takes its name in one
    // rename, unless the name no longer holds the file that was read (or
    // still nothing). Removes what killed sessions left beside it. The
    // reason when that failed; the file is then exactly as it was.
    std::optional<std::string> Replace(const std::string& text) const;

private:
    Descriptor m_folder;               // the folder of the file itself
    std::string m_name;                // its name there
    std::string m_path;                // for messages
    Descriptor m_file;                 // held: its inode is no other file's meanwhile
    std::optional<struct stat> m_was;  // nothing for a new file
    std::string m_text;
    std::string m_problem;
};

}  // namespace quibo
