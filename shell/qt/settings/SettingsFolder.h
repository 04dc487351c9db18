#pragma once

#include <string>

#include "shell/qt/settings/Descriptor.h"
#include "shell/qt/settings/SettingsPlace.h"

namespace quibo {

// The folder of a settings file, opened once and then used through its
// descriptor, so that what was checked is what is used: the file read and
// replaced, its lock and the private copies all go in this folder, whatever
// is renamed or linked along its path meanwhile.
class SettingsFolder {
public:
    enum class Make { No, Yes };

    // With Make::Yes, makes the folders that are missing, only ever within
    // a folder of the effective user's.
    SettingsFolder(const SettingsPlace& place, Make make);

    bool IsOpen() const { return m_fd.IsOpen(); }
    // Why it is not open; empty when it is only not there yet.
    const std::string& Problem() const { return m_problem; }
    // An O_PATH descriptor: for the *at() calls only.
    int Descriptor() const { return m_fd.Get(); }
    // Whether links in it are followed (not in another user's HOME).
    bool FollowsLinks() const { return m_followsLinks; }

    const std::string& FileName() const { return m_fileName; }
    // A path in the folder, for messages.
    std::string PathOf(const std::string& name) const { return m_path + "/" + name; }
    std::string FilePath() const { return PathOf(m_fileName); }

private:
    quibo::Descriptor m_fd;
    std::string m_problem;
    std::string m_path;
    std::string m_fileName;
    bool m_followsLinks = true;
};

// The text for a link that is not followed.
std::string LinkRefused(const std::string& path);

}  // namespace quibo
