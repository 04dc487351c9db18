#include "shell/qt/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "shell/qt/SettingsPlace.h"

namespace quibo {

namespace {

std::string Reason(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

struct Descriptor {
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
};

std::string TooLarge(const std::string& path)
{
    return path + ": larger than 1 MiB";
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
    struct stat info {};
    if (stat(m_path.c_str(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && lstat(m_path.c_str(), &link) == 0)
            content.problem = m_path + ": a link to nothing";  // no place to write either
        else if (error == ENOENT)
            content.ours = true;  // no file yet: an empty list
        else
            content.problem = Reason(m_path, error);
        return content;
    }
    if (!S_ISREG(info.st_mode)) {
        content.problem = m_path + ": not a regular file";
        return content;
    }
    // Not blocking, should a FIFO have taken the file's place meanwhile.
    const Descriptor file(open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd < 0 || fstat(file.fd, &info) != 0) {
        content.problem = Reason(m_path, errno);
        return content;
    }
    if (!S_ISREG(info.st_mode)) {
        content.problem = m_path + ": not a regular file";
        return content;
    }
    if (info.st_size > kMaxBytes) {
        content.problem = TooLarge(m_path);
        return content;
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(file.fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got > 0 && content.text.size() + static_cast<std::size_t>(got) > kMaxBytes) {
            content.problem = TooLarge(m_path);  // it grew while read
            content.text.clear();
            return content;
        }
        if (got < 0) {
            if (errno == EINTR)
                continue;
            content.problem = Reason(m_path, errno);
            content.text.clear();
            return content;
        }
        content.text.append(buffer, static_cast<std::size_t>(got));
    }
    content.ours = true;
    return content;
}

std::optional<std::string> SettingsFile::Replace(const std::string& text) const
{
    if (text.size() > kMaxBytes)
        return TooLarge(m_path);
    // Where the file really is: a link is followed, so that it stays a link.
    std::string target = m_path;
    mode_t mode = 0666;
    std::optional<std::pair<uid_t, gid_t>> owner;
    struct stat info {};
    if (stat(m_path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return m_path + ": not a regular file";
        owner.emplace(info.st_uid, info.st_gid);
        const std::unique_ptr<char, decltype(&std::free)> real(realpath(m_path.c_str(), nullptr), &std::free);
        if (!real)
            return Reason(m_path, errno);
        target = real.get();
        mode = info.st_mode & 07777;
    } else {
        struct stat link {};
        if (errno != ENOENT)
            return Reason(m_path, errno);
        if (lstat(m_path.c_str(), &link) == 0)
            return m_path + ": a link to nothing";
        if (std::optional<std::string> problem = MakeFolder())
            return problem;
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }

    std::string temporary = target + ".XXXXXX";
    const Descriptor file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.fd < 0)
        return Reason(target, errno);
    const auto fail = [&](int error) {
        unlink(temporary.c_str());
        return Reason(target, error);
    };
    // Root replacing a user's file leaves it the user's. The owner goes
    // first: a change of owner clears the set-id bits of the mode.
    struct stat made {};
    if (fstat(file.fd, &made) != 0)
        return fail(errno);
    if (owner && (made.st_uid != owner->first || made.st_gid != owner->second) &&
        fchown(file.fd, owner->first, owner->second) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return target + ": cannot keep its owner and group: " + std::strerror(error);
    }
    if (fchmod(file.fd, mode) != 0)
        return fail(errno);
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t put = write(file.fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return fail(errno);
        written += static_cast<std::size_t>(put);
    }
    if (fsync(file.fd) != 0)
        return fail(errno);
    if (rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    // The rename itself lasts too.
    const std::string folder = target.substr(0, target.find_last_of('/') + 1);
    const Descriptor directory(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.fd >= 0)
        fsync(directory.fd);
    return std::nullopt;
}

}  // namespace quibo
