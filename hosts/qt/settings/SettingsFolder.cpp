#include "hosts/qt/settings/SettingsFolder.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace quibo {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

bool Ours(int fd)
{
    struct stat info {};
    return fstat(fd, &info) == 0 && info.st_uid == geteuid();
}

// Whether a user other than the owner may write in the folder: anyone, or
// a group that is more than the owner's own (a user private group, as
// Debian makes with umask 002, has no other members).
bool OthersCanWrite(const struct stat& info)
{
    if (info.st_mode & S_ISVTX)
        return false;
    if (info.st_mode & S_IWOTH)
        return true;
    if (!(info.st_mode & S_IWGRP))
        return false;
    const passwd* user = getpwuid(info.st_uid);
    const group* shared = getgrgid(info.st_gid);
    return !user || !shared || user->pw_gid != info.st_gid || std::string(user->pw_name) != shared->gr_name ||
           (shared->gr_mem && shared->gr_mem[0]);
}

}  // namespace

SettingsPlace SettingsPlace::At(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return {path.substr(0, slash), path.substr(slash + 1), {}};
}

SettingsPlace UserSettingsPlace(const std::string& relative)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const bool useConfig = config && *config == '/';
    if (!useConfig && (!home || !*home))
        return {{}, {}, "HOME is not set"};
    if (!useConfig && *home != '/')
        return {{}, {}, "HOME is not an absolute path: " + Named(home)};
    if (struct stat info {}; home && *home == '/' && stat(home, &info) == 0 && info.st_uid != geteuid())
        return {{}, {}, "HOME " + Named(home) + " is another user's"};
    std::string base = useConfig ? config : std::string(home) + "/.config";
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    SettingsPlace place = SettingsPlace::At((base == "/" ? "" : base) + "/" + relative);
    // Said once, at start-up; the session then keeps no settings.
    if (const SettingsFolder probe(place, SettingsFolder::Make::No); !probe.Problem().empty())
        return {{}, {}, probe.Problem()};
    return place;
}

SettingsFolder::SettingsFolder(const SettingsPlace& place, Make make) : m_place(place)
{
    Descriptor folder(open("/", kFolderFlags));
    std::string reached;
    std::istringstream names(place.folder);
    for (std::string name; folder.IsOpen() && std::getline(names, name, '/');) {
        if (name.empty())
            continue;
        const std::string parent = reached.empty() ? "/" : reached;
        reached += "/" + name;
        Descriptor next(openat(folder.Get(), name.c_str(), kFolderFlags));
        if (!next.IsOpen() && errno == ENOENT) {
            if (make == Make::No)
                return;
            // Nothing of another user's gets a folder of ours made in it.
            if (!Ours(folder.Get())) {
                m_problem = Named(parent) + ": owned by another user";
                return;
            }
            if (mkdirat(folder.Get(), name.c_str(), 0700) != 0 && errno != EEXIST) {
                m_problem = Reason(reached, errno);
                return;
            }
            next = Descriptor(openat(folder.Get(), name.c_str(), kFolderFlags));
        }
        if (!next.IsOpen()) {
            m_problem = errno == ENOTDIR ? Named(reached) + ": not a folder" : Reason(reached, errno);
            return;
        }
        folder = std::move(next);
    }
    struct stat info {};
    if (!folder.IsOpen() || fstat(folder.Get(), &info) != 0)
        m_problem = Reason(place.folder, errno);
    else if (info.st_uid != geteuid())
        m_problem = Named(place.folder) + ": owned by another user";
    else if (OthersCanWrite(info))
        m_problem = Named(place.folder) + ": other users may write in it, and it has no sticky bit";
    else
        m_fd = std::move(folder);
}

}  // namespace quibo
