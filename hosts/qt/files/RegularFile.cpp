#include "hosts/qt/files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quibo {

namespace {

// A descriptor of path when it is a regular file (a link to one is
// followed), else -1 with errno set, or 0 for a file that is not a regular
// one.
int OpenRegular(const std::string& path, int flags)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return -1;
    errno = 0;
    if (!S_ISREG(info.st_mode))
        return -1;
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd);
        errno = 0;
        return -1;
    }
    return fd;
}

}  // namespace

OpenResult OpenDocument(const std::string& path)
{
    const int fd = OpenRegular(path, O_RDONLY);
    if (fd >= 0) {
        close(fd);
        return OpenResult::Opened;
    }
    return errno == ENOENT || errno == ENOTDIR ? OpenResult::NotFound : OpenResult::Failed;
}

bool CreateEmptyDocument(const std::string& path)
{
    if (const int fd = OpenRegular(path, O_WRONLY | O_TRUNC); fd >= 0)
        return close(fd) == 0;
    if (errno != ENOENT)
        return false;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    return close(fd) == 0 && regular;
}

}  // namespace quibo
