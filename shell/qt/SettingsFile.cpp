#include "shell/qt/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "shell/qt/RegularFile.h"
#include "shell/qt/SettingsPlace.h"

namespace quibo {

namespace {

std::string Reason(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

std::string TooLarge(const std::string& path)
{
    return path + ": larger than 1 MiB";
}

// Writes all of text to fd; the error when that failed.
int WriteAll(int fd, const std::string& text)
{
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t put = write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return errno;
        written += static_cast<std::size_t>(put);
    }
    return 0;
}

// Makes the rename of a file in path's folder last, as the file does.
void SyncFolder(const std::string& path)
{
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

std::optional<std::string> SettingsFile::MakeFolder() const
{
    const std::string folder = m_path.substr(0, m_path.find_last_of('/'));
    if (std::string problem = ForeignFolder(folder); !problem.empty())
        return problem;
    for (std::size_t slash = m_path.find('/', 1); slash != std::string::npos; slash = m_path.find('/', slash + 1)) {
        const std::string step = m_path.substr(0, slash);
        if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST)
            return Reason(step, errno);
    }
    return std::nullopt;
}

SettingsFile::Content SettingsFile::Read() const
{
    Content content;
    const RegularFile file(m_path, O_RDONLY);
    struct stat link {};
    if (file.Error() == ENOENT && lstat(m_path.c_str(), &link) == 0)
        content.problem = m_path + ": a link to nothing";  // no place to write either
    else if (file.Error() == ENOENT)
        content.ours = true;  // no file yet: an empty list
    else if (!file.IsOpen())
        content.problem = file.Error() ? Reason(m_path, file.Error()) : m_path + ": not a regular file";
    else if (file.Info().st_size > kMaxBytes)
        content.problem = TooLarge(m_path);
    if (!file.IsOpen() || !content.problem.empty())
        return content;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(file.Descriptor(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                content.problem = Reason(m_path, errno);
            break;
        }
        if (content.text.size() + static_cast<std::size_t>(got) > kMaxBytes) {
            content.problem = TooLarge(m_path);  // it grew while read
            break;
        }
        content.text.append(buffer, static_cast<std::size_t>(got));
    }
    content.ours = content.problem.empty();
    if (!content.ours)
        content.text.clear();
    return content;
}

std::optional<std::string> SettingsFile::FindTarget(Target& target) const
{
    // A link is followed, so that it stays a link.
    struct stat info {};
    if (stat(m_path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return m_path + ": not a regular file";
        const std::unique_ptr<char, decltype(&std::free)> real(realpath(m_path.c_str(), nullptr), &std::free);
        if (!real)
            return Reason(m_path, errno);
        target = {real.get(), static_cast<mode_t>(info.st_mode & 07777), {{info.st_uid, info.st_gid}}};
        return std::nullopt;
    }
    struct stat link {};
    if (errno != ENOENT)
        return Reason(m_path, errno);
    if (lstat(m_path.c_str(), &link) == 0)
        return m_path + ": a link to nothing";
    if (std::optional<std::string> problem = MakeFolder())
        return problem;
    const mode_t mask = umask(0);
    umask(mask);
    target = {m_path, static_cast<mode_t>(0666 & ~mask), std::nullopt};
    return std::nullopt;
}

std::optional<std::string> SettingsFile::Fill(int fd, const Target& target, const std::string& text)
{
    // Root replacing a user's file leaves it the user's. The owner goes
    // first: a change of owner clears the set-id bits of the mode.
    struct stat made {};
    if (fstat(fd, &made) != 0)
        return Reason(target.path, errno);
    if (target.owner && (made.st_uid != target.owner->first || made.st_gid != target.owner->second) &&
        fchown(fd, target.owner->first, target.owner->second) != 0)
        return target.path + ": cannot keep its owner and group: " + std::strerror(errno);
    if (fchmod(fd, target.mode) != 0)
        return Reason(target.path, errno);
    if (const int error = WriteAll(fd, text))
        return Reason(target.path, error);
    if (fsync(fd) != 0)
        return Reason(target.path, errno);
    return std::nullopt;
}

std::optional<std::string> SettingsFile::Replace(const std::string& text) const
{
    if (text.size() > kMaxBytes)
        return TooLarge(m_path);
    Target target;
    if (std::optional<std::string> problem = FindTarget(target))
        return problem;
    std::string temporary = target.path + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return Reason(target.path, errno);
    std::optional<std::string> problem = Fill(fd, target, text);
    if (close(fd) != 0 && !problem)
        problem = Reason(target.path, errno);
    if (!problem && rename(temporary.c_str(), target.path.c_str()) != 0)
        problem = Reason(target.path, errno);
    if (problem) {
        unlink(temporary.c_str());
        return problem;
    }
    SyncFolder(target.path);
    return std::nullopt;
}

}  // namespace quibo
