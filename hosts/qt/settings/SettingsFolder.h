#pragma once

#include <string>

#include "hosts/qt/settings/Descriptor.h"

namespace quibo {

// Where a settings file lives, or why this session keeps none.
struct SettingsPlace {
    std::string folder;   // absolute, without a '/' at its end
    std::string name;     // the file's name in it
    std::string problem;  // why there is no place

    static SettingsPlace At(const std::string& path);
    std::string Path() const { return folder + "/" + name; }
};

// relative below the configuration folder: $XDG_CONFIG_HOME when that is an
// absolute path, else $HOME/.config, which needs HOME absolute. A HOME that
// exists must be the effective user's: root under sudo without -H keeps
// the user's HOME, and would take the user's files. The folder must pass
// SettingsFolder's checks as far as it exists.
SettingsPlace UserSettingsPlace(const std::string& relative);

// The settings folder, opened once and then used through its descriptor,
// so that what was checked is what is used. Links on the way are followed;
// the folder must be the effective user's, and one that another user can
// write to must have the sticky bit: else another user could rename the
// settings file, or put what they like in its place.
class SettingsFolder {
public:
    enum class Make { No, Yes };

    // With Make::Yes, makes the folders that are missing (mode 0700), but
    // only within a folder of the effective user's.
    SettingsFolder(const SettingsPlace& place, Make make);

    bool IsOpen() const { return m_fd.IsOpen(); }
    // Why it is not open; empty when it is only not there yet.
    const std::string& Problem() const { return m_problem; }
    // An O_PATH descriptor: for the *at() calls only.
    int Get() const { return m_fd.Get(); }
    const SettingsPlace& Place() const { return m_place; }

private:
    SettingsPlace m_place;
    Descriptor m_fd;
    std::string m_problem;
};

}  // namespace quibo
