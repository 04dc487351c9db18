#pragma once

#include <string>

namespace quibo {

// Where one of the user's settings files lives, or why this session keeps
// none: the folder comes from XDG_CONFIG_HOME or HOME, and only when it is
// an absolute path (a missing or relative HOME would put files at the
// filesystem root or under the working folder). Its nearest folder that
// exists must belong to the effective user: run as root with another
// user's HOME, nothing of that user's is created or replaced.
struct SettingsPlace {
    std::string path;     // empty when there is no place
    std::string problem;  // why, in one line
};

// name is the file's path below the configuration folder.
SettingsPlace UserSettingsPlace(const std::string& name);

// The reason a folder (or, when it is missing, its nearest folder that
// exists) may not be written in by the effective user; empty when it may.
std::string ForeignFolder(const std::string& folder);

}  // namespace quibo
