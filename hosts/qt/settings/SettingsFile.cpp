#include "hosts/qt/settings/SettingsFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <vector>

namespace quibo {

namespace {

// As many links in a row as the system itself follows.
constexpr int kMaxLinks = 40;
constexpr char kNew[] = ".new-";
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string TooLarge(const std::string& path)
{
    return Named(path) + ": larger than 1 MiB";
}

std::string Changed(const std::string& path)
{
    return Named(path) + ": changed by another process while written; left as it is";
}

// Whether name in folder is what was (or, without one, nothing).
bool Holds(int folder, const char* name, const std::optional<struct stat>& was)
{
    struct stat info {};
    const bool there = fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
    return was ? there && info.st_dev == was->st_dev && info.st_ino == was->st_ino : !there && errno == ENOENT;
}

// What fd holds, or the system's error; EFBIG past the largest settings
// file.
int ReadAll(int fd, std::string& text)
{
    char buffer[1 << 16];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR)
            return errno;
        if (got > 0 && text.size() + static_cast<std::size_t>(got) > SettingsFile::kMaxBytes)
            return EFBIG;
        text.append(buffer, static_cast<std::size_t>(got < 0 ? 0 : got));
    }
    return 0;
}

int WriteAll(int fd, std::string_view text)
{
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t put = write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno != EINTR)
            return errno;
        written += static_cast<std::size_t>(put < 0 ? 0 : put);
    }
    return 0;
}

// name and six letters or digits drawn at random; early in boot, when the
// kernel has none yet, from the clock (each is made with O_EXCL all the same).
std::string NewName(const std::string& name)
{
    unsigned long long bits = 0;
    if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits))
        bits = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^ getpid();
    std::string made = name + kNew;
    for (int i = 0; i < 6; ++i, bits /= sizeof kLetters - 1)
        made += kLetters[bits % (sizeof kLetters - 1)];
    return made;
}

// Removes the new files of sessions killed while writing (their names as
// Replace makes them, regular and the user's); only a session that holds
// the lock writes, so none is in use.
void RemoveLeftovers(int folder, const std::string& name)
{
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = fd < 0 ? nullptr : fdopendir(fd);
    if (!entries) {
        if (fd >= 0)
            close(fd);
        return;
    }
    const std::string prefix = name + kNew;
    std::vector<std::string> left;
    while (const dirent* entry = readdir(entries)) {
        const std::string found = entry->d_name;
        if (found.size() == prefix.size() + 6 && found.starts_with(prefix) &&
            found.find_first_not_of(kLetters, prefix.size()) == std::string::npos)
            left.push_back(found);
    }
    closedir(entries);
    for (const std::string& found : left) {
        struct stat info {};
        if (fstatat(folder, found.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid())
            unlinkat(folder, found.c_str(), 0);
    }
}

}  // namespace

SettingsFile::SettingsFile(const SettingsFolder& folder)
    : m_folder(fcntl(folder.Get(), F_DUPFD_CLOEXEC, 0)), m_name(folder.Place().name), m_path(folder.Place().Path())
{
    struct stat info {};
    for (int links = 0;; ++links) {
        if (!m_folder.IsOpen() || fstatat(m_folder.Get(), m_name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                m_problem = Reason(m_path, errno);
            else if (links > 0)
                m_problem = Named(folder.Place().Path()) + ": a link to nothing";
            return;
        }
        if (!S_ISLNK(info.st_mode))
            break;
        if (links == kMaxLinks) {
            m_problem = Reason(folder.Place().Path(), ELOOP);
            return;
        }
        // What a link names is replaced in the folder it names.
        char buffer[PATH_MAX];
        const ssize_t length = readlinkat(m_folder.Get(), m_name.c_str(), buffer, sizeof buffer);
        if (length < 0 || length == static_cast<ssize_t>(sizeof buffer)) {
            m_problem = Reason(m_path, length < 0 ? errno : ENAMETOOLONG);
            return;
        }
        const std::string to(buffer, static_cast<std::size_t>(length));
        const std::size_t slash = to.find_last_of('/');
        if (slash != std::string::npos) {
            const std::string at = slash == 0 ? "/" : to.substr(0, slash);
            m_folder = Descriptor(openat(m_folder.Get(), at.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        }
        m_path = to.starts_with('/') ? to : m_path.substr(0, m_path.find_last_of('/') + 1) + to;
        m_name = to.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    if (!S_ISREG(info.st_mode)) {
        m_problem = Named(m_path) + ": not a regular file";
        return;
    }
    // Should a FIFO take its place meanwhile, the open does not wait.
    m_file = Descriptor(openat(m_folder.Get(), m_name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!m_file.IsOpen() || fstat(m_file.Get(), &info) != 0)
        m_problem = Reason(m_path, errno);
    else if (!S_ISREG(info.st_mode))
        m_problem = Named(m_path) + ": not a regular file";
    else if (static_cast<std::size_t>(info.st_size) > kMaxBytes)
        m_problem = TooLarge(m_path);
    else if (const int error = ReadAll(m_file.Get(), m_text))
        m_problem = error == EFBIG ? TooLarge(m_path) : Reason(m_path, error);
    else
        m_was = info;
}

std::optional<std::string> SettingsFile::Replace(const std::string& text) const
{
    if (!m_problem.empty())
        return m_problem;
    if (text.size() > kMaxBytes)
        return TooLarge(m_path);
    RemoveLeftovers(m_folder.Get(), m_name);
    const int folder = m_folder.Get();
    const std::string made = NewName(m_name);
    // Private until it has the file's owner and mode.
    Descriptor fd(openat(folder, made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                         m_was ? 0600 : 0666));
    if (!fd.IsOpen())
        return Reason(m_path, errno);
    // Root replacing a user's file leaves it the user's. The owner goes
    // first: a change of owner clears the set-id bits of the mode.
    int error = 0;
    struct stat info {};
    if (m_was && fstat(fd.Get(), &info) != 0)
        error = errno;
    else if (m_was && (info.st_uid != m_was->st_uid || info.st_gid != m_was->st_gid) &&
             fchown(fd.Get(), m_was->st_uid, m_was->st_gid) != 0)
        error = errno;
    else if (m_was && fchmod(fd.Get(), m_was->st_mode & 07777) != 0)
        error = errno;
    else if ((error = WriteAll(fd.Get(), text)) == 0 && fsync(fd.Get()) != 0)
        error = errno;
    if (!fd.Close() && !error)
        error = errno;
    // The last look comes just before the rename: what took the file's
    // place meanwhile (another program's own write) is left alone.
    std::optional<std::string> problem;
    if (error)
        problem = Reason(m_path, error);
    else if (!Holds(folder, m_name.c_str(), m_was))
        problem = Changed(m_path);
    else if (renameat(folder, made.c_str(), folder, m_name.c_str()) != 0)
        problem = Reason(m_path, errno);
    if (problem) {
        unlinkat(folder, made.c_str(), 0);
        return problem;
    }
    // The rename lasts as the file does, where the folder can be read.
    if (const Descriptor readable(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)); readable.IsOpen())
        fsync(readable.Get());
    return std::nullopt;
}

}  // namespace quibo
