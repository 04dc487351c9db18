#include "shell/qt/settings/SettingsPlace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "shell/qt/settings/SettingsFolder.h"

namespace quibo {

SettingsPlace UserSettingsPlace(const std::string& name)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const bool useConfig = config && *config == '/';
    if (!useConfig && (!home || !*home))
        return {{}, "HOME is not set"};
    if (!useConfig && *home != '/')
        return {{}, "HOME is not an absolute path: " + std::string(home)};

    SettingsPlace place;
    std::string folder = useConfig ? config : std::string(home) + "/.config";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    place.path = (folder == "/" ? "" : folder) + "/" + name;
    struct stat homeInfo {};
    place.strict = home && *home == '/' && stat(home, &homeInfo) == 0 && homeInfo.st_uid != geteuid();
    // XDG_CONFIG_HOME below HOME is reached from HOME, like ~/.config.
    const bool belowHome = !useConfig || folder.starts_with(std::string(home ? home : "") + "/");
    if (place.strict && belowHome)
        place.trusted = home;
    else if (place.strict)
        place.trusted = folder.substr(0, std::max<std::size_t>(folder.find_last_of('/'), 1));

    // Said once, at start-up; the session then keeps no list.
    if (const SettingsFolder probe(place, SettingsFolder::Make::No); !probe.Problem().empty())
        return {{}, probe.Problem()};
    return place;
}

}  // namespace quibo
