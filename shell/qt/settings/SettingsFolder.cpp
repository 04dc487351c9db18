#include "shell/qt/settings/SettingsFolder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace quibo {

namespace {

// Only named, as the system's own path lookup does: a folder on the way
// needs to be searchable, not readable.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

std::string Foreign(const std::string& path)
{
    return (path.empty() ? "/" : path) + ": owned by another user";
}

bool IsLink(int folder, const std::string& name)
{
    struct stat info {};
    return fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

std::string LinkRefused(const std::string& path)
{
    return path + ": a link, not followed in another user's HOME";
}

SettingsFolder::SettingsFolder(const SettingsPlace& place, Make make)
    : m_path(place.path.substr(0, place.path.find_last_of('/'))),
      m_fileName(place.path.substr(place.path.find_last_of('/') + 1)),
      m_followsLinks(!place.strict)
{
    const std::string& trusted = place.strict ? place.trusted : "/";
    quibo::Descriptor folder(open(trusted.c_str(), kFolderFlags));
    if (!folder.IsOpen()) {
        m_problem = Reason(trusted, errno);
        return;
    }
    std::string reached = trusted == "/" ? "" : trusted;
    const int follow = place.strict ? O_NOFOLLOW : 0;
    for (std::size_t start = trusted.size(); start < m_path.size();) {
        std::size_t end = m_path.find('/', start);
        end = end == std::string::npos ? m_path.size() : end;
        const std::string name = m_path.substr(start, end - start);
        start = end + 1;
        if (name.empty())
            continue;
        const std::string parent = reached;
        reached += "/" + name;
        quibo::Descriptor next(openat(folder.Get(), name.c_str(), kFolderFlags | follow));
        int error = errno;
        if (!next.IsOpen() && error == ENOENT && IsLink(folder.Get(), name)) {
            m_problem = reached + ": a link to nothing";
            return;
        }
        if (!next.IsOpen() && error == ENOENT) {
            // Nothing of another user's gets a folder of ours made in it.
            if (!OwnedByUs(folder.Get())) {
                m_problem = Foreign(parent);
                return;
            }
            if (make == Make::No)
                return;
            if (mkdirat(folder.Get(), name.c_str(), 0700) != 0 && errno != EEXIST) {
                m_problem = Reason(reached, errno);
                return;
            }
            next = quibo::Descriptor(openat(folder.Get(), name.c_str(), kFolderFlags | O_NOFOLLOW));
            error = errno;
        }
        if (!next.IsOpen()) {
            m_problem = place.strict && IsLink(folder.Get(), name) ? LinkRefused(reached) : Reason(reached, error);
            return;
        }
        if (place.strict && !OwnedByUs(next.Get())) {
            m_problem = Foreign(reached);
            return;
        }
        folder = std::move(next);
    }
    if (!OwnedByUs(folder.Get())) {
        m_problem = Foreign(m_path);
        return;
    }
    m_fd = std::move(folder);
}

}  // namespace quibo
