#include "shell/qt/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

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

// The folders on the way to path, made when missing.
bool MakeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

}  // namespace

bool SettingsFile::MakeFolder() const
{
    return MakeFolders(m_path);
}

std::string SettingsFile::DefaultPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string folder = config && *config == '/' ? config : std::string(home ? home : "") + "/.config";
    return folder + "/Local AppWizard-Generated Applications/Quibo.ini";
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
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(file.fd, buffer, sizeof buffer);
        if (got == 0)
            break;
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
    // Where the file really is: a link is followed, so that it stays a link.
    std::string target = m_path;
    mode_t mode = 0666;
    struct stat info {};
    if (stat(m_path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return m_path + ": not a regular file";
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
        if (!MakeFolders(target))
            return Reason(target, errno);
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
