#include "shell/qt/settings/SettingsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "shell/qt/settings/RegularFile.h"

namespace quibo {

namespace {

// As many links in a row as the system itself follows.
constexpr int kMaxLinks = 40;

std::string TooLarge(const std::string& path)
{
    return path + ": larger than 1 MiB";
}

// The text of fd, at most kMaxBytes.
SettingsFile::Content ReadContent(int fd, const std::string& path)
{
    SettingsFile::Content content;
    const int error = ReadAll(fd, content.text, SettingsFile::kMaxBytes);
    // Past the limit, it grew while read.
    if (error)
        content.problem = error == EFBIG ? TooLarge(path) : Reason(path, error);
    content.ours = content.problem.empty();
    return content;
}

std::string Changed(const std::string& path)
{
    return path + ": changed by another process while written; left as it is";
}

// The new file's owner, group and mode, text, and all on disk.
std::optional<std::string> Fill(int fd, const SettingsFile::Target& target, const std::string& text)
{
    mode_t mode = 0;
    if (target.was) {
        // Root replacing a user's file leaves it the user's. The owner goes
        // first: a change of owner clears the set-id bits of the mode.
        struct stat made {};
        if (fstat(fd, &made) != 0)
            return Reason(target.path, errno);
        if ((made.st_uid != target.was->st_uid || made.st_gid != target.was->st_gid) &&
            fchown(fd, target.was->st_uid, target.was->st_gid) != 0)
            return target.path + ": cannot keep its owner and group: " + std::strerror(errno);
        mode = target.was->st_mode & 07777;
    } else {
        mode = umask(0);
        umask(mode);
        mode = 0666 & ~mode;
    }
    if (fchmod(fd, mode) != 0)
        return Reason(target.path, errno);
    if (const int error = WriteAll(fd, text))
        return Reason(target.path, error);
    if (fsync(fd) != 0)
        return Reason(target.path, errno);
    return std::nullopt;
}

bool Unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Puts the new file, temporary, in target's place, but only over what was
// looked at. Where the file system can exchange two names, the exchange
// and a look at what came back make this one step; elsewhere a last look
// comes just before the rename. temporary is gone afterwards, unless it
// holds what had taken the file's place and could not be put back.
std::optional<std::string> Swap(const SettingsFile::Target& target, const std::string& temporary)
{
    const int folder = target.folder.Get();
    const char* name = target.name.c_str();
    const auto failed = [&](std::string problem) {
        unlinkat(folder, temporary.c_str(), 0);
        return problem;
    };
    const auto isWas = [&](const char* there) {
        struct stat info {};
        return target.was ? SameFile(folder, there, target.file.Get())
                          : fstatat(folder, there, &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
    };
    if (!target.was && renameat2(folder, temporary.c_str(), folder, name, RENAME_NOREPLACE) == 0)
        return std::nullopt;
    if (target.was && renameat2(folder, temporary.c_str(), folder, name, RENAME_EXCHANGE) == 0) {
        if (isWas(temporary.c_str())) {
            unlinkat(folder, temporary.c_str(), 0);
            return std::nullopt;
        }
        // Something else had taken the file's place: it goes back.
        if (renameat2(folder, temporary.c_str(), folder, name, RENAME_EXCHANGE) == 0)
            return failed(Changed(target.path));
        return Changed(target.path) + "; what was there is now " +
               target.path.substr(0, target.path.find_last_of('/') + 1) + temporary;
    }
    const int error = errno;
    if (error == EEXIST || error == ENOENT)
        return failed(Changed(target.path));
    if (!Unsupported(error))
        return failed(Reason(target.path, error));
    if (!isWas(name))
        return failed(Changed(target.path));
    if (renameat(folder, temporary.c_str(), folder, name) != 0) {
        const int renameError = errno;
        return failed(Reason(target.path, renameError));
    }
    return std::nullopt;
}

}  // namespace

SettingsFile::Content SettingsFile::Read() const
{
    Content content;
    const std::string path = Path();
    const bool follow = m_folder.FollowsLinks();
    const RegularFile file(m_folder.Descriptor(), m_folder.FileName(), O_RDONLY,
                           follow ? RegularFile::Links::Follow : RegularFile::Links::Refuse);
    struct stat link {};
    const bool isLink = fstatat(m_folder.Descriptor(), m_folder.FileName().c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISLNK(link.st_mode);
    if (isLink && !follow)
        content.problem = LinkRefused(path);
    else if (file.Error() == ENOENT && isLink)
        content.problem = path + ": a link to nothing";  // no place to write either
    else if (file.Error() == ENOENT)
        content.ours = true;  // no file yet: an empty list
    else if (!file.IsOpen())
        content.problem = file.Error() ? Reason(path, file.Error()) : path + ": not a regular file";
    else if (file.Info().st_size > kMaxBytes)
        content.problem = TooLarge(path);
    if (!file.IsOpen() || !content.problem.empty())
        return content;
    return ReadContent(file.Descriptor(), path);
}

SettingsFile::Content SettingsFile::Read(const Target& target) const
{
    if (!target.was)
        return {true, {}, {}};
    const quibo::Descriptor fd(openat(target.folder.Get(), target.name.c_str(),
                                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.IsOpen())
        return {false, {}, Reason(target.path, errno)};
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0 || info.st_dev != target.was->st_dev || info.st_ino != target.was->st_ino)
        return {false, {}, Changed(target.path)};
    if (info.st_size > kMaxBytes)
        return {false, {}, TooLarge(Path())};
    return ReadContent(fd.Get(), Path());
}

std::optional<std::string> SettingsFile::Find(Target& target) const
{
    target.folder = quibo::Descriptor(fcntl(m_folder.Descriptor(), F_DUPFD_CLOEXEC, 0));
    if (!target.folder.IsOpen())
        return Reason(Path(), errno);
    target.name = m_folder.FileName();
    target.path = Path();
    target.was.reset();
    for (int links = 0;; ++links) {
        // Only named, not opened: nothing happens to a device or a FIFO.
        target.file = quibo::Descriptor(openat(target.folder.Get(), target.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (!target.file.IsOpen() || fstat(target.file.Get(), &info) != 0) {
            if (errno != ENOENT)
                return Reason(target.path, errno);
            if (links > 0)
                return Path() + ": a link to nothing";
            return std::nullopt;  // a new file
        }
        if (S_ISREG(info.st_mode)) {
            target.was = info;
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode))
            return Path() + ": not a regular file";
        if (!m_folder.FollowsLinks())
            return LinkRefused(Path());
        if (links == kMaxLinks)
            return Reason(Path(), ELOOP);
        // A link stays a link: what it names is replaced, in the folder it
        // names, which is opened once.
        char buffer[PATH_MAX];
        const ssize_t length = readlinkat(target.folder.Get(), target.name.c_str(), buffer, sizeof buffer);
        if (length < 0 || length == static_cast<ssize_t>(sizeof buffer))
            return Reason(target.path, length < 0 ? errno : ENAMETOOLONG);
        const std::string to(buffer, static_cast<std::size_t>(length));
        const std::size_t slash = to.find_last_of('/');
        if (slash != std::string::npos) {
            const std::string folder = slash == 0 ? "/" : to.substr(0, slash);
            target.folder = quibo::Descriptor(openat(target.folder.Get(), folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!target.folder.IsOpen())
                return errno == ENOENT ? Path() + ": a link to nothing" : Reason(to, errno);
        }
        target.path = to.starts_with('/') ? to : target.path.substr(0, target.path.find_last_of('/') + 1) + to;
        target.name = slash == std::string::npos ? to : to.substr(slash + 1);
    }
}

std::optional<std::string> SettingsFile::Replace(const Target& target, const std::string& text) const
{
    if (text.size() > kMaxBytes)
        return TooLarge(Path());
    const int folder = target.folder.Get();
    std::string temporary;
    quibo::Descriptor fd;
    for (int tries = 0; tries < 100 && !fd.IsOpen(); ++tries) {
        temporary = RandomName(target.name + ".");
        fd = quibo::Descriptor(
            openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600));
        if (!fd.IsOpen() && errno != EEXIST)
            return Reason(target.path, errno);
    }
    if (!fd.IsOpen())
        return Reason(target.path, EEXIST);
    std::optional<std::string> problem = Fill(fd.Get(), target, text);
    if (!fd.Close() && !problem)
        problem = Reason(target.path, errno);
    if (problem) {
        unlinkat(folder, temporary.c_str(), 0);
        return problem;
    }
    if (std::optional<std::string> swapped = Swap(target, temporary))
        return swapped;
    // The rename lasts as the file does, where the folder can be read.
    if (const quibo::Descriptor readable(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)); readable.IsOpen())
        fsync(readable.Get());
    return std::nullopt;
}

}  // namespace quibo
