#pragma once

#include <string>

namespace quibo {

// Where one of the user's settings files lives, or why this session keeps
// none: the folder comes from XDG_CONFIG_HOME or HOME, and only when it is
// an absolute path (a missing or relative HOME would put files at the
// filesystem root or under the working folder). The file's folder, or
// when it is missing its nearest folder that exists, must belong to the
// effective user.
//
// Run with another user's HOME (root under sudo -E), that user could point
// a link below HOME at any folder of root's: then the folders below HOME
// (below XDG_CONFIG_HOME's parent, when that is set) are reached without
// following a link and must each be the effective user's, and the file
// may not be a link either.
struct SettingsPlace {
    std::string path;     // the file; empty when there is no place
    std::string problem;  // why, in one line
    std::string trusted = "/";  // the folder opened as it is, links and all
    bool strict = false;        // below trusted: no link, and every folder ours

    // A file of the effective user's anywhere, links followed.
    static SettingsPlace At(std::string path) { return {std::move(path), {}, "/", false}; }
};

// name is the file's path below the configuration folder.
SettingsPlace UserSettingsPlace(const std::string& name);

}  // namespace quibo
