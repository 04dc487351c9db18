#pragma once

#include <QString>

#include <optional>
#include <string>

#include "shell/qt/settings/Descriptor.h"
#include "shell/qt/settings/SettingsFolder.h"

namespace quibo {

// A folder of the program's own inside a settings folder, for the private
// copies that Qt's settings store reads, writes and locks: on the same file
// system as the file, and where no other user can rename it. Mode 0700 and
// held open: Qt's store reaches it through its descriptor, and it is
// emptied and removed through that descriptor too, so a link put in its
// place is never followed. It is held with flock() as well, which tells a
// folder in use from one a killed session left: CleanUpLeftovers removes
// those, and the next session calls it after its first frame.
class PrivateFolder {
public:
    explicit PrivateFolder(const SettingsFolder& folder);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Why there is no folder; empty when there is one.
    const std::string& Problem() const { return m_problem; }
    // The folder and a file in it, as Qt's classes take them.
    QString Path() const;
    QString FilePath(const char* name) const;

    // Writes a new file of the folder, with a time of its own
    // (GiveOwnTime); the reason when that failed.
    std::optional<std::string> Write(const char* name, const std::string& text) const;
    // A file's bytes; nothing when it is not there.
    std::optional<std::string> Read(const char* name) const;

    // Removes the private folders that killed sessions left in folder.
    static void CleanUpLeftovers(const SettingsFolder& folder);

private:
    const SettingsFolder& m_settings;
    std::string m_name;
    quibo::Descriptor m_fd;
    std::string m_problem;
};

}  // namespace quibo
