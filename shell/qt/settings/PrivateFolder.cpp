#include "shell/qt/settings/PrivateFolder.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "shell/qt/settings/RegularFile.h"

namespace quibo {

namespace {

constexpr char kPrefix[] = ".quibo-private-";
constexpr std::size_t kRandomLetters = 6;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Removes the files of the folder that fd has open (Quibo's copies and what
// Qt's store made beside them), then the folder, when name in parent is
// still that folder.
void Remove(int parent, const std::string& name, int fd)
{
    if (const int listed = fcntl(fd, F_DUPFD_CLOEXEC, 0); listed >= 0) {
        if (DIR* folder = fdopendir(listed)) {
            while (const dirent* entry = readdir(folder)) {
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    unlinkat(fd, entry->d_name, 0);
            }
            closedir(folder);
        } else {
            close(listed);
        }
    }
    if (SameFile(parent, name, fd))
        unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

bool IsPrivateName(const char* name)
{
    const std::size_t prefix = sizeof kPrefix - 1;
    return std::strncmp(name, kPrefix, prefix) == 0 && std::strlen(name) == prefix + kRandomLetters;
}

}  // namespace

PrivateFolder::PrivateFolder(const SettingsFolder& folder) : m_settings(folder)
{
    const int parent = folder.Descriptor();
    for (int tries = 0; tries < 100; ++tries) {
        const std::string name = RandomName(kPrefix);
        if (mkdirat(parent, name.c_str(), 0700) != 0) {
            const int error = errno;
            if (error == EEXIST)
                continue;
            m_problem = Reason(folder.PathOf(name), error);
            return;
        }
        quibo::Descriptor fd(openat(parent, name.c_str(), kFolderFlags));
        const int error = errno;
        if (!fd.IsOpen() && error != ENOENT) {
            m_problem = Reason(folder.PathOf(name), error);
            return;
        }
        // Held, and still there under its name: else another session's
        // cleanup took it between the two. Where the file system has no
        // such locks, no cleanup can take it either.
        const bool held = fd.IsOpen() && (flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK);
        if (!held || !SameFile(parent, name, fd.Get()))
            continue;
        m_name = name;
        m_fd = std::move(fd);
        return;
    }
    m_problem = Reason(folder.PathOf(kPrefix), EEXIST);
}

PrivateFolder::~PrivateFolder()
{
    if (m_fd.IsOpen())
        Remove(m_settings.Descriptor(), m_name, m_fd.Get());
}

void PrivateFolder::CleanUpLeftovers(const SettingsFolder& folder)
{
    const int parent = folder.Descriptor();
    const int listed = openat(parent, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = listed < 0 ? nullptr : fdopendir(listed);
    if (!entries) {
        if (listed >= 0)
            close(listed);
        return;
    }
    while (const dirent* entry = readdir(entries)) {
        if (!IsPrivateName(entry->d_name))
            continue;
        // Only a folder of ours that no live session holds.
        quibo::Descriptor fd(openat(parent, entry->d_name, kFolderFlags));
        if (fd.IsOpen() && OwnedByUs(fd.Get()) && flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
            Remove(parent, entry->d_name, fd.Get());
    }
    closedir(entries);
}

QString PrivateFolder::Path() const
{
    return QString::fromStdString(DescriptorPath(m_fd.Get()));
}

QString PrivateFolder::FilePath(const char* name) const
{
    return Path() + '/' + QLatin1String(name);
}

std::optional<std::string> PrivateFolder::Write(const char* name, const std::string& text) const
{
    if (!m_fd.IsOpen())
        return m_problem;
    quibo::Descriptor fd(openat(m_fd.Get(), name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.IsOpen())
        return std::strerror(errno);
    if (const int error = WriteAll(fd.Get(), text))
        return std::strerror(error);
    GiveOwnTime(fd.Get());
    if (!fd.Close())
        return std::strerror(errno);
    return std::nullopt;
}

std::optional<std::string> PrivateFolder::Read(const char* name) const
{
    if (!m_fd.IsOpen())
        return std::nullopt;
    const RegularFile file(m_fd.Get(), name, O_RDONLY, RegularFile::Links::Refuse);
    if (!file.IsOpen())
        return std::nullopt;
    // Whatever its size: what is written back says when it is too large.
    std::string text;
    if (ReadAll(file.Descriptor(), text, text.max_size()) != 0)
        return std::nullopt;
    return text;
}

}  // namespace quibo
