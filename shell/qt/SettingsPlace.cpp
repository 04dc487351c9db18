#include "shell/qt/SettingsPlace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quibo {

std::string ForeignFolder(const std::string& folder)
{
    std::string existing = folder;
    struct stat info {};
    while (stat(existing.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return existing + ": " + std::strerror(errno);
        const std::size_t slash = existing.find_last_of('/');
        if (slash == std::string::npos || existing == "/")
            return folder + ": no folder of it exists";
        existing.erase(slash == 0 ? 1 : slash);
    }
    if (!S_ISDIR(info.st_mode))
        return existing + ": " + std::strerror(ENOTDIR);
    if (info.st_uid != geteuid())
        return existing + ": owned by another user";
    return {};
}

SettingsPlace UserSettingsPlace(const std::string& name)
{
    std::string folder;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config && *config == '/')
        folder = config;
    else if (home && *home == '/')
        folder = std::string(home) + "/.config";
    else if (!home || !*home)
        return {{}, "HOME is not set"};
    else
        return {{}, "HOME is not an absolute path: " + std::string(home)};
    const std::string path = folder + "/" + name;
    if (std::string problem = ForeignFolder(path.substr(0, path.find_last_of('/'))); !problem.empty())
        return {{}, problem};
    return {path, {}};
}

}  // namespace quibo
